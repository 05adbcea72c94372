#pragma once
// "Case statement": the selector, the case labels one per line, begin/end pairs,
// an else branch and the indent. Made afresh for every use, so it always opens
// empty. The labels box wraps long lines on screen, but a label is a line of its
// text: a label shown on two rows is still one label.

#include "app/CommandUi.h"
#include "forms/BlockDialog.h"

namespace tavrill {

class TfrmCase : public BlockDialogForm, public CaseDialog {
public:
    TfrmCase();
    std::optional<CaseValues> Run() override;

private:
    HWND txtVar_ = nullptr;
    HWND chkElse_ = nullptr;
    HWND spin1_ = nullptr;
    HWND memo1_ = nullptr;
    HWND chkBegin_ = nullptr;
};

}  // namespace tavrill
