#include "forms/fProc.h"

namespace tavrill {
namespace {

enum : int {
    kChkProc = 101,
    kChkFn,
    kChkCons,
    kChkDest,
    kTxtName,
    kTxtParams,
    kLstResult,
    kChkComment,
    kChkVars
};

}  // namespace

TfrmProc::TfrmProc() {
    Create({.className = "TfrmProc",
            .caption = "Add Procedure/Function",
            .style = WS_POPUP | WS_CAPTION,  // no system menu: no buttons in the title bar
            .clientWidth = 292,
            .clientHeight = 262});

    // In tab order; the kinds stand in two columns, procedure and constructor on the first row.
    chkProc_ = AddRadioButton(
        {.id = kChkProc, .rect = {12, 8, 120, 17}, .text = "&procedure", .firstOfGroup = true});
    chkFn_ = AddRadioButton({.id = kChkFn, .rect = {12, 28, 120, 17}, .text = "&function"});
    chkCons_ = AddRadioButton({.id = kChkCons, .rect = {150, 8, 120, 17}, .text = "&constructor"});
    chkDest_ = AddRadioButton({.id = kChkDest, .rect = {150, 28, 120, 17}, .text = "&destructor"});
    AddGroupBox({.rect = {8, 50, 276, 46}, .text = " Name "});
    txtName_ = AddEdit({.id = kTxtName, .rect = {18, 66, 256, 21}});
    AddGroupBox({.rect = {8, 100, 276, 46}, .text = " Parameters "});
    txtParams_ = AddEdit({.id = kTxtParams, .rect = {18, 116, 256, 21}});
    AddGroupBox({.rect = {8, 150, 276, 46}, .text = " Result type "});
    lstResult_ = AddComboBox({.id = kLstResult, .rect = {18, 166, 256, 120}});
    for (const char* type : {"boolean", "integer", "string"})
        SendMessageW(lstResult_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type));
    chkComment_ = AddCheckBox({.id = kChkComment, .rect = {12, 204, 130, 17}, .text = "use proc &comment"});
    chkVars_ = AddCheckBox({.id = kChkVars, .rect = {150, 204, 130, 17}, .text = "make &var block"});
    AddButton({.id = IDOK, .rect = {54, 230, 75, 25}, .text = "OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {162, 230, 75, 25}, .text = "Cancel"});
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
