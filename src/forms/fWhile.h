#pragma once
// "Insert Repeat / While / With": the kind of block, its condition (or record),
// surround and indent. One instance for the whole run, so it reopens with the
// last entries; its title bar has no close box.

#include "app/CommandUi.h"
#include "forms/BlockDialog.h"

namespace tavrill {

class TfrmWhile : public BlockDialogForm, public WhileDialog {
public:
    TfrmWhile();
    std::optional<WhileValues> Run() override;

private:
    void OnCommand(int id, int code, HWND control) override;

    HWND chkRepeat_ = nullptr;
    HWND chkWhile_ = nullptr;
    HWND txtCond_ = nullptr;
    HWND chkSurround_ = nullptr;
    HWND chkWith_ = nullptr;
    HWND spin1_ = nullptr;
};

}  // namespace tavrill
