#include "forms/fBlockName.h"

namespace tavrill {
namespace {

enum : int { kTxtName = 101 };

}  // namespace

TfrmBlockName::TfrmBlockName(const char* caption, const char* label) {
    Create({.className = "TfrmBlockName", .caption = caption, .clientWidth = 292, .clientHeight = 96});
    AddLabel({.rect = {8, 10, 276, 14}, .text = label});
    txtName_ = AddEdit({.id = kTxtName, .rect = {8, 28, 276, 21}});
    AddButton({.id = IDOK, .rect = {54, 62, 75, 25}, .text = "&OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {162, 62, 75, 25}, .text = "&Cancel"});
    SetInitialFocus(txtName_);
}

std::optional<std::string> TfrmBlockName::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    return WindowText(txtName_);
}

}  // namespace tavrill
