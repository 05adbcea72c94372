#include "forms/fWhile.h"

namespace tavrill {
namespace {

enum : int { kChkRepeat = 101, kChkWhile, kTxtCond, kChkSurround, kChkWith, kSpin1 };

}  // namespace

TfrmWhile::TfrmWhile() {
    FormStyle style;
    style.className = "TfrmWhile";
    style.caption = "Insert Repeat / While / With";
    style.style = WS_POPUP | WS_CAPTION;  // no system menu, so no close box
    style.clientWidth = 292;
    style.clientHeight = 180;
    Create(style);

    // Created in tab order; "&with...end" stands apart from the other two kinds in it.
    chkRepeat_ = AddRadioButton("&repeat...until", 12, 8, 120, 17, kChkRepeat, true);
    chkWhile_ = AddRadioButton("&while...end", 12, 28, 120, 17, kChkWhile, false);
    AddGroupBox(" Condition ", 8, 70, 276, 50);
    txtCond_ = AddEdit(18, 88, 256, 21, kTxtCond);
    chkSurround_ = AddCheckBox("&surround existing code", 12, 126, 180, 17, kChkSurround);
    AddButton("&OK", 54, 150, 75, 25, IDOK, true);
    AddButton("&Cancel", 162, 150, 75, 25, IDCANCEL);
    chkWith_ = AddRadioButton("&with...end", 12, 48, 120, 17, kChkWith, true);
    spin1_ = AddIndentSpin(140, 8, kSpin1);
    SetChecked(chkRepeat_, true);
    SetInitialFocus(chkRepeat_);
}

void TfrmWhile::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && SelectRadio(control, {chkRepeat_, chkWhile_, chkWith_})) return;
    BlockDialogForm::OnCommand(id, code, control);
}

std::optional<WhileValues> TfrmWhile::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    const WhileKind kind =
        IsChecked(chkWith_) ? WhileKind::With : IsChecked(chkWhile_) ? WhileKind::While : WhileKind::Repeat;
    return WhileValues{kind, WindowText(txtCond_), IsChecked(chkSurround_), WindowText(spin1_)};
}

}  // namespace tavrill
