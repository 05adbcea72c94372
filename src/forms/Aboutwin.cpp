#include "forms/Aboutwin.h"

#include "resource.h"

namespace tavrill {

TfrmAbout::TfrmAbout() {
    Create({.className = "TfrmAbout",
            .caption = "About Tavrill",
            .style = WS_POPUP | WS_CAPTION,  // no buttons in the title bar
            .clientWidth = 298,
            .clientHeight = 214});

    // Panel1: raised inner, lowered outer bevel around the five parts.
    AddLabel({.rect = {8, 8, 282, 161}, .style = SS_ETCHEDFRAME});
    HWND icon = AddLabel({.rect = {22, 22, 32, 32}, .style = SS_ICON | SS_REALSIZEIMAGE});
    SendMessageA(
        icon, STM_SETICON,
        reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TAVRILL))), 0);
    HWND productName = AddLabel({.rect = {72, 24, 200, 18}, .text = kApplicationTitle, .style = SS_NOPREFIX});
    boldUnderlined_ = CreatePointFont(10, FW_BOLD, true);
    SetFont(productName, boldUnderlined_.get());
    labVer_ = AddLabel({.rect = {72, 48, 200, 14}, .text = "Version", .style = SS_NOPREFIX});
    AddLabel({.rect = {22, 84, 254, 28},
              .text = "Freeware from Pelmora Systems. Use it, share it, enjoy it.",
              .style = SS_NOPREFIX});
    label1_ = AddLabel({.rect = {16, 124, 266, 28},
                        .text = "www.pelmora-systems.example",
                        .style = SS_CENTER | SS_NOPREFIX});
    large_ = CreatePointFont(12, FW_BOLD);
    SetFont(label1_, large_.get());

    HWND ok = AddButton({.id = IDOK, .rect = {111, 178, 75, 25}, .text = "OK", .isDefault = true});
    SetInitialFocus(ok);
    bold_ = CreatePointFont(8, FW_BOLD);
    SetFont(ok, bold_.get());
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
