#include "forms/fForNext.h"

namespace tavrill {
namespace {

enum : int { kTxtVar = 101, kTxtMin, kTxtMax, kChkDownto, kChkSurround, kSpin1 };

}  // namespace

TfrmForNext::TfrmForNext() {
    FormStyle style;
    style.className = "TfrmForNext";
    style.caption = "Insert FOR...NEXT";
    style.clientWidth = 292;
    style.clientHeight = 206;
    Create(style);

    // Created in tab order. A group box's access key ("&Range") moves the focus to
    // the next control in that order, so each box comes right before its first edit.
    AddGroupBox(" Variable ", 8, 6, 276, 50);
    txtVar_ = AddEdit(18, 24, 256, 21, kTxtVar);
    AddGroupBox("&Range", 8, 62, 276, 50);
    txtMin_ = AddEdit(18, 80, 112, 21, kTxtMin);
    AddLabel("to", 138, 83, 16, 14, SS_CENTER);
    txtMax_ = AddEdit(162, 80, 112, 21, kTxtMax);
    chkDownto_ = AddCheckBox("&downto", 12, 120, 110, 17, kChkDownto);
    chkSurround_ = AddCheckBox("&surround existing code", 12, 142, 180, 17, kChkSurround);
    AddButton("&OK", 54, 172, 75, 25, IDOK, true);
    AddButton("&Cancel", 162, 172, 75, 25, IDCANCEL);
    spin1_ = AddIndentSpin(140, 117, kSpin1);
    SetInitialFocus(txtVar_);
}

std::optional<ForNextValues> TfrmForNext::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    return ForNextValues{WindowText(txtVar_),    WindowText(txtMin_),      WindowText(txtMax_),
                         IsChecked(chkDownto_), IsChecked(chkSurround_), WindowText(spin1_)};
}

}  // namespace tavrill
