#include "forms/fProc.h"

namespace tavrill {
namespace {

enum : int {
    kChkProc = 101, kChkFn, kChkCons, kChkDest, kTxtName, kTxtParams, kLstResult, kChkComment, kChkVars
};

}  // namespace

TfrmProc::TfrmProc() {
    FormStyle style;
    style.className = "TfrmProc";
    style.caption = "Add Procedure/Function";
    style.style = WS_POPUP | WS_CAPTION;  // no system menu: no buttons in the title bar
    style.clientWidth = 292;
    style.clientHeight = 262;
    Create(style);

    // Created in tab order; the kinds stand in two columns, procedure and
    // constructor on the first row.
    chkProc_ = AddRadioButton("&procedure", 12, 8, 120, 17, kChkProc, true);
    chkFn_ = AddRadioButton("&function", 12, 28, 120, 17, kChkFn, false);
    chkCons_ = AddRadioButton("&constructor", 150, 8, 120, 17, kChkCons, false);
    chkDest_ = AddRadioButton("&destructor", 150, 28, 120, 17, kChkDest, false);
    AddGroupBox(" Name ", 8, 50, 276, 46);
    txtName_ = AddEdit(18, 66, 256, 21, kTxtName);
    AddGroupBox(" Parameters ", 8, 100, 276, 46);
    txtParams_ = AddEdit(18, 116, 256, 21, kTxtParams);
    AddGroupBox(" Result type ", 8, 150, 276, 46);
    lstResult_ = AddComboBox(18, 166, 256, 120, kLstResult);
    for (const char* type : {"boolean", "integer", "string"})
        SendMessageA(lstResult_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    chkComment_ = AddCheckBox("use proc &comment", 12, 204, 130, 17, kChkComment);
    chkVars_ = AddCheckBox("make &var block", 150, 204, 130, 17, kChkVars);
    AddButton("OK", 54, 230, 75, 25, IDOK, true);
    AddButton("Cancel", 162, 230, 75, 25, IDCANCEL);
    SetChecked(chkProc_, true);
    chkProc_Click();
    SetInitialFocus(chkProc_);
}

void TfrmProc::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && (id == kChkProc || id == kChkFn || id == kChkCons || id == kChkDest)) {
        SelectRadio(control, {chkProc_, chkFn_, chkCons_, chkDest_});
        chkProc_Click();
        return;
    }
    BlockDialogForm::OnCommand(id, code, control);
}

ProcKind TfrmProc::SelectedKind() const {
    if (IsChecked(chkFn_)) return ProcKind::Function;
    if (IsChecked(chkCons_)) return ProcKind::Constructor;
    if (IsChecked(chkDest_)) return ProcKind::Destructor;
    return ProcKind::Procedure;
}

void TfrmProc::chkProc_Click() {
    const ProcKindEffect effect = SelectProcKind(SelectedKind());
    EnableWindow(lstResult_, effect.resultTypeEnabled);
    if (effect.params) SetWindowTextBytes(txtParams_, *effect.params);
}

std::optional<ProcValues> TfrmProc::Run() {
    if (ShowModal() != IDOK) return std::nullopt;
    ProcValues v;
    v.kind = SelectedKind();
    v.name = WindowText(txtName_);
    v.params = WindowText(txtParams_);
    // A result type typed for a function is ignored once another kind is chosen.
    if (IsWindowEnabled(lstResult_)) v.resultType = WindowText(lstResult_);
    v.useComment = IsChecked(chkComment_);
    v.varBlock = IsChecked(chkVars_);
    return v;
}

}  // namespace tavrill
