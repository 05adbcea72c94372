#include "forms/fIF.h"

namespace tavrill {
namespace {

enum : int { kTxtCond = 101, kChkElse, kSpin1, kChkSurround };

}  // namespace

TfrmIF::TfrmIF() {
    Create(
        {.className = "TfrmIF", .caption = "Insert IF...THEN...", .clientWidth = 292, .clientHeight = 146});

    // In tab order; group boxes and labels take no part in it.
    AddGroupBox({.rect = {8, 6, 276, 50}, .text = " Condition "});
    txtCond_ = AddEdit({.id = kTxtCond, .rect = {18, 24, 256, 21}});
    AddButton({.id = IDOK, .rect = {54, 112, 75, 25}, .text = "&OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {162, 112, 75, 25}, .text = "&Cancel"});
    chkElse_ = AddCheckBox({.id = kChkElse, .rect = {12, 66, 110, 17}, .text = "create &ELSE"});
    spin1_ = AddIndentSpin(kSpin1, {140, 63});
    chkSurround_ =
        AddCheckBox({.id = kChkSurround, .rect = {12, 88, 180, 17}, .text = "&surround existing code"});
    SetInitialFocus(txtCond_);
}

std::optional<IfValues> TfrmIF::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    return IfValues{WindowText(txtCond_), IsChecked(chkElse_), SpinText(spin1_), IsChecked(chkSurround_)};
}

}  // namespace tavrill
