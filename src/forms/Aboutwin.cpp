#include "forms/Aboutwin.h"

#include "resource.h"

namespace tavrill {
namespace {

HFONT MakeFont(int points, int weight, bool underline, const char* face = "MS Sans Serif") {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, weight, FALSE, underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

}  // namespace

TfrmAbout::TfrmAbout() {
    FormStyle style;
    style.className = "TfrmAbout";
    style.caption = "About Tavrill";
    style.style = WS_POPUP | WS_CAPTION;  // no buttons in the title bar
    style.exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    style.clientWidth = 298;
    style.clientHeight = 214;
    Create(style);

    // Panel1: raised inner, lowered outer bevel around the five parts.
    AddControl("STATIC", "", SS_ETCHEDFRAME, 8, 8, 282, 161, -1);
    HWND icon = AddControl("STATIC", "", SS_ICON | SS_REALSIZEIMAGE, 22, 22, 32, 32, -1);
    SendMessageA(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TAVRILL))),
                 0);
    HWND productName = AddLabel("Delphi Tavrill", 72, 24, 200, 18, SS_LEFT | SS_NOPREFIX);
    boldUnderlined_.reset(MakeFont(10, FW_BOLD, true));
    SendMessageA(productName, WM_SETFONT, reinterpret_cast<WPARAM>(boldUnderlined_.get()), FALSE);
    labVer_ = AddLabel("Version", 72, 48, 200, 14, SS_LEFT | SS_NOPREFIX);
    AddLabel("Freeware from Pelmora Systems. Use it, share it, enjoy it.", 22, 84, 254, 28, SS_LEFT | SS_NOPREFIX);
    label1_ = AddLabel("www.pelmora-systems.example", 16, 124, 266, 28, SS_CENTER | SS_NOPREFIX);
    large_.reset(MakeFont(12, FW_BOLD, false));
    SendMessageA(label1_, WM_SETFONT, reinterpret_cast<WPARAM>(large_.get()), FALSE);

    HWND ok = AddButton("OK", 111, 178, 75, 25, IDOK, true);
    SetInitialFocus(ok);
    bold_.reset(MakeFont(8, FW_BOLD, false));
    SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(bold_.get()), FALSE);
}

void TfrmAbout::form_show() {
    SetWindowTextA(labVer_, kVersionLine);
}

LRESULT TfrmAbout::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == label1_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(128, 0, 0));  // maroon
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace tavrill
