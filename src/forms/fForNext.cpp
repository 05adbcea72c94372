#include "forms/fForNext.h"

namespace tavrill {
namespace {

enum : int { kTxtVar = 101, kTxtMin, kTxtMax, kChkDownto, kChkSurround, kSpin1 };

}  // namespace

TfrmForNext::TfrmForNext() {
    Create({.className = "TfrmForNext",
            .caption = "Insert FOR...NEXT",
            .clientWidth = 292,
            .clientHeight = 206});

    // In tab order. A group box's access key ("&Range") moves the focus to the
    // next control in that order, so each box comes right before its first edit.
    AddGroupBox({.rect = {8, 6, 276, 50}, .text = " Variable "});
    txtVar_ = AddEdit({.id = kTxtVar, .rect = {18, 24, 256, 21}});
    AddGroupBox({.rect = {8, 62, 276, 50}, .text = "&Range"});
    txtMin_ = AddEdit({.id = kTxtMin, .rect = {18, 80, 112, 21}});
    AddLabel({.rect = {138, 83, 16, 14}, .text = "to", .style = SS_CENTER});
    txtMax_ = AddEdit({.id = kTxtMax, .rect = {162, 80, 112, 21}});
    chkDownto_ = AddCheckBox({.id = kChkDownto, .rect = {12, 120, 110, 17}, .text = "&downto"});
    chkSurround_ =
        AddCheckBox({.id = kChkSurround, .rect = {12, 142, 180, 17}, .text = "&surround existing code"});
    AddButton({.id = IDOK, .rect = {54, 172, 75, 25}, .text = "&OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {162, 172, 75, 25}, .text = "&Cancel"});
    spin1_ = AddIndentSpin(kSpin1, {140, 117});
    SetInitialFocus(txtVar_);
}

std::optional<ForNextValues> TfrmForNext::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    return ForNextValues{WindowText(txtVar_),   WindowText(txtMin_),     WindowText(txtMax_),
                         IsChecked(chkDownto_), IsChecked(chkSurround_), SpinText(spin1_)};
}

}  // namespace tavrill
