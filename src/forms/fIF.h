#pragma once
// "Insert IF...THEN...": the condition, an optional empty else branch, the
// indent and whether the selection goes inside. Made afresh for every use, so it
// always opens empty.

#include "app/CommandUi.h"
#include "forms/BlockDialog.h"

namespace tavrill {

class TfrmIF : public BlockDialogForm, public IfDialog {
public:
    TfrmIF();
    std::optional<IfValues> Run() override;

private:
    HWND txtCond_ = nullptr;
    HWND chkElse_ = nullptr;
    HWND spin1_ = nullptr;
    HWND chkSurround_ = nullptr;
};

}  // namespace tavrill
