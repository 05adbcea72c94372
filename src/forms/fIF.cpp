#include "forms/fIF.h"

namespace tavrill {
namespace {

enum : int { kTxtCond = 101, kChkElse, kSpin1, kChkSurround };

}  // namespace

TfrmIF::TfrmIF() {
    FormStyle style;
    style.className = "TfrmIF";
    style.caption = "Insert IF...THEN...";
    style.clientWidth = 292;
    style.clientHeight = 146;
    Create(style);

    // Created in tab order; group boxes and labels take no part in it.
    AddGroupBox(" Condition ", 8, 6, 276, 50);
    txtCond_ = AddEdit(18, 24, 256, 21, kTxtCond);
    AddButton("&OK", 54, 112, 75, 25, IDOK, true);
    AddButton("&Cancel", 162, 112, 75, 25, IDCANCEL);
    chkElse_ = AddCheckBox("create &ELSE", 12, 66, 110, 17, kChkElse);
    spin1_ = AddIndentSpin(140, 63, kSpin1);
    chkSurround_ = AddCheckBox("&surround existing code", 12, 88, 180, 17, kChkSurround);
    SetInitialFocus(txtCond_);
}

std::optional<IfValues> TfrmIF::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    return IfValues{WindowText(txtCond_), IsChecked(chkElse_), WindowText(spin1_), IsChecked(chkSurround_)};
}

}  // namespace tavrill
