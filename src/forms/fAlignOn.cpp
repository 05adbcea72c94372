#include "forms/fAlignOn.h"

#include "win32/Utf.h"

namespace tavrill {
namespace {

enum : int { kCboToken = 101 };

}  // namespace

TfrmAlignOn::TfrmAlignOn() {
    Create({.className = "TfrmAlignOn", .caption = "Align on", .clientWidth = 292, .clientHeight = 96});
    AddLabel({.rect = {8, 10, 276, 14}, .text = "&Character or word to align on:"});
    // A drop-down combo box's height includes its opened list.
    cboToken_ = AddComboBox({.id = kCboToken, .rect = {8, 28, 276, 200}});
    AddButton({.id = IDOK, .rect = {54, 62, 75, 25}, .text = "&OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {162, 62, 75, 25}, .text = "&Cancel"});
    SetInitialFocus(cboToken_);
}

std::optional<std::string> TfrmAlignOn::Run(const std::vector<std::string>& recent) {
    for (const std::string& token : recent)
        SendMessageW(cboToken_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(token).c_str()));
    SetWindowTextBytes(cboToken_, recent.empty() ? ":=" : recent.front());
    SendMessageW(cboToken_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    if (ShowModal() != IDOK) return std::nullopt;
    return WindowText(cboToken_);
}

}  // namespace tavrill
