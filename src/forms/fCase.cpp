#include "forms/fCase.h"

namespace tavrill {
namespace {

enum : int { kTxtVar = 101, kChkElse, kSpin1, kMemo1, kChkBegin };

}  // namespace

TfrmCase::TfrmCase() {
    FormStyle style;
    style.className = "TfrmCase";
    style.caption = "Case statement";
    style.clientWidth = 292;
    style.clientHeight = 300;
    style.centred = false;
    style.x = 240;
    style.y = 160;
    Create(style);

    // Created in tab order.
    AddGroupBox("  Variable  ", 8, 6, 276, 50);
    txtVar_ = AddEdit(18, 24, 256, 21, kTxtVar);
    AddButton("&OK", 54, 266, 75, 25, IDOK, true);
    AddButton("&Cancel", 162, 266, 75, 25, IDCANCEL);
    chkElse_ = AddCheckBox("create &ELSE", 12, 66, 110, 17, kChkElse);
    spin1_ = AddIndentSpin(140, 63, kSpin1);
    AddLabel("Cases:", 12, 92, 60, 14);
    memo1_ = AddMemo(12, 108, 268, 124, kMemo1, /*wordWrap=*/true, /*scrollBars=*/false);
    chkBegin_ = AddCheckBox("&Begin...end for each case", 12, 240, 200, 17, kChkBegin);
    SetInitialFocus(txtVar_);
}

std::optional<CaseValues> TfrmCase::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    // The box's text holds only the line breaks the user typed; where it wraps on
    // screen is no part of it.
    return CaseValues{WindowText(txtVar_), IsChecked(chkElse_), WindowText(spin1_), WindowText(memo1_),
                      IsChecked(chkBegin_)};
}

}  // namespace tavrill
