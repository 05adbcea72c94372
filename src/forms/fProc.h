#pragma once
// "Add Procedure/Function": kind, name, parameters, result type, procedure
// comment and var block of a new routine. One instance for the whole run, so it
// reopens with the last entries; its title bar carries no buttons.

#include "app/CommandUi.h"
#include "forms/BlockDialog.h"

namespace tavrill {

class TfrmProc : public BlockDialogForm, public ProcDialog {
public:
    TfrmProc();
    std::optional<ProcValues> Run() override;

private:
    void OnCommand(int id, int code, HWND control) override;
    // The one handler of the four kinds, by mouse or by keyboard.
    void chkProc_Click();
    ProcKind SelectedKind() const;

    HWND chkProc_ = nullptr;
    HWND chkFn_ = nullptr;
    HWND chkCons_ = nullptr;
    HWND chkDest_ = nullptr;
    HWND txtName_ = nullptr;
    HWND txtParams_ = nullptr;
    HWND lstResult_ = nullptr;
    HWND chkComment_ = nullptr;
    HWND chkVars_ = nullptr;
};

}  // namespace tavrill
