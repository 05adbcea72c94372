#include "forms/Aboutwin.h"

#include "resource.h"

namespace tavrill {
namespace {

constexpr int kIconSize = 32;  // layout units

}  // namespace

TfrmAbout::TfrmAbout() {
    Create({.className = "TfrmAbout",
            .caption = "About Tavrill",
            .style = WS_POPUP | WS_CAPTION,  // no buttons in the title bar
            .clientWidth = 298,
            .clientHeight = 214});

    // Panel1: raised inner, lowered outer bevel around the five parts.
    AddLabel({.rect = {8, 8, 282, 161}, .style = SS_ETCHEDFRAME});
    programIcon_ = AddLabel({.rect = {22, 22, kIconSize, kIconSize}, .style = SS_ICON | SS_REALSIZEIMAGE});
    productName_ = AddLabel({.rect = {72, 24, 200, 18}, .text = kApplicationTitle, .style = SS_NOPREFIX});
    labVer_ = AddLabel({.rect = {72, 48, 200, 14}, .text = "Version", .style = SS_NOPREFIX});
    AddLabel({.rect = {22, 84, 254, 28},
              .text = "Freeware from Pelmora Systems. Use it, share it, enjoy it.",
              .style = SS_NOPREFIX});
    label1_ = AddLabel({.rect = {16, 124, 266, 28},
                        .text = "www.pelmora-systems.example",
                        .style = SS_CENTER | SS_NOPREFIX});

    butOK_ = AddButton({.id = IDOK, .rect = {111, 178, 75, 25}, .text = "OK", .isDefault = true});
    SetInitialFocus(butOK_);
    OnDpiChanged();
}

void TfrmAbout::OnDpiChanged() {
    GiveFont(productName_, boldUnderlined_, PointFont(10, FW_BOLD, true));
    GiveFont(label1_, large_, PointFont(12, FW_BOLD));
    GiveFont(butOK_, bold_, PointFont(8, FW_BOLD));
    // The icon file holds the logo at several sizes: the one for this resolution, not a stretched one.
    const RECT size = ToPixels({0, 0, kIconSize, kIconSize});
    UniqueIcon icon{static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TAVRILL),
                                                  IMAGE_ICON, size.right, size.bottom, LR_DEFAULTCOLOR))};
    SendMessageW(programIcon_, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    icon_ = std::move(icon);
}

void TfrmAbout::form_show() {
    SetWindowTextBytes(labVer_, kVersionLine);
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
