#include "forms/fWhile.h"

namespace tavrill {
namespace {

enum : int { kChkRepeat = 101, kChkWhile, kTxtCond, kChkSurround, kChkWith, kSpin1 };

}  // namespace

TfrmWhile::TfrmWhile() {
    Create({.className = "TfrmWhile",
            .caption = "Insert Repeat / While / With",
            .style = WS_POPUP | WS_CAPTION,  // no system menu, so no close box
            .clientWidth = 292,
            .clientHeight = 180});

    // In tab order; "&with...end" stands apart from the other two kinds in it.
    chkRepeat_ = AddRadioButton(
        {.id = kChkRepeat, .rect = {12, 8, 120, 17}, .text = "&repeat...until", .firstOfGroup = true});
    chkWhile_ = AddRadioButton({.id = kChkWhile, .rect = {12, 28, 120, 17}, .text = "&while...end"});
    AddGroupBox({.rect = {8, 70, 276, 50}, .text = " Condition "});
    txtCond_ = AddEdit({.id = kTxtCond, .rect = {18, 88, 256, 21}});
    chkSurround_ =
        AddCheckBox({.id = kChkSurround, .rect = {12, 126, 180, 17}, .text = "&surround existing code"});
    AddButton({.id = IDOK, .rect = {54, 150, 75, 25}, .text = "&OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {162, 150, 75, 25}, .text = "&Cancel"});
    chkWith_ = AddRadioButton(
        {.id = kChkWith, .rect = {12, 48, 120, 17}, .text = "&with...end", .firstOfGroup = true});
    spin1_ = AddIndentSpin(kSpin1, {140, 8});
    SetChecked(chkRepeat_, true);
    SetInitialFocus(chkRepeat_);
}

void TfrmWhile::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && SelectRadio(control, {chkRepeat_, chkWhile_, chkWith_})) return;
    BlockDialogForm::OnCommand(id, code, control);
}

std::optional<WhileValues> TfrmWhile::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    const WhileKind kind = IsChecked(chkWith_)    ? WhileKind::With
                           : IsChecked(chkWhile_) ? WhileKind::While
                                                  : WhileKind::Repeat;
    return WhileValues{kind, WindowText(txtCond_), IsChecked(chkSurround_), SpinText(spin1_)};
}

}  // namespace tavrill
