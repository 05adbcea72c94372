#include "forms/fCase.h"

namespace tavrill {
namespace {

enum : int { kTxtVar = 101, kChkElse, kSpin1, kMemo1, kChkBegin };

}  // namespace

TfrmCase::TfrmCase() {
    Create({.className = "TfrmCase",
            .caption = "Case statement",
            .clientWidth = 292,
            .clientHeight = 300,
            .position = POINT{240, 160}});

    // In tab order.
    AddGroupBox({.rect = {8, 6, 276, 50}, .text = "  Variable  "});
    txtVar_ = AddEdit({.id = kTxtVar, .rect = {18, 24, 256, 21}});
    AddButton({.id = IDOK, .rect = {54, 266, 75, 25}, .text = "&OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {162, 266, 75, 25}, .text = "&Cancel"});
    chkElse_ = AddCheckBox({.id = kChkElse, .rect = {12, 66, 110, 17}, .text = "create &ELSE"});
    spin1_ = AddIndentSpin(kSpin1, {140, 63});
    AddLabel({.rect = {12, 92, 60, 14}, .text = "Cases:"});
    memo1_ = AddMemo({.id = kMemo1, .rect = {12, 108, 268, 124}, .wordWrap = true, .scrollBars = false});
    chkBegin_ =
        AddCheckBox({.id = kChkBegin, .rect = {12, 240, 200, 17}, .text = "&Begin...end for each case"});
    SetInitialFocus(txtVar_);
}

std::optional<CaseValues> TfrmCase::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    // The box's text holds only the line breaks the user typed; where it wraps on
    // screen is no part of it.
    return CaseValues{WindowText(txtVar_), IsChecked(chkElse_), SpinText(spin1_), WindowText(memo1_),
                      IsChecked(chkBegin_)};
}

}  // namespace tavrill
