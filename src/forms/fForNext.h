#pragma once
// "Insert FOR...NEXT": loop variable, range, direction, surround and indent.
// One instance for the whole run, so it reopens with the last entries.

#include "app/CommandUi.h"
#include "forms/BlockDialog.h"

namespace tavrill {

class TfrmForNext : public BlockDialogForm, public ForNextDialog {
public:
    TfrmForNext();
    std::optional<ForNextValues> Run() override;

private:
    HWND txtVar_ = nullptr;
    HWND txtMin_ = nullptr;
    HWND txtMax_ = nullptr;
    HWND chkDownto_ = nullptr;
    HWND chkSurround_ = nullptr;
    HWND spin1_ = nullptr;
};

}  // namespace tavrill
