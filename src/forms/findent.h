#pragma once
// "Indent": the text in an editable box, the direction and the number of blanks. One instance
// for the whole run, so the direction stays as the user last chose it; the text and the number
// (2) are set afresh at every opening.

#include "app/CommandUi.h"
#include "forms/BlockDialog.h"
#include "text/Indent.h"

namespace tavrill {

class TfrmIndent : public BlockDialogForm, public IndentDialog {
public:
    TfrmIndent();
    std::optional<std::string> Run(std::string_view text) override;

private:
    void OnOK() override;  // butOKClick

    HWND Memo1_ = nullptr;
    HWND chkIndent_ = nullptr;
    HWND chkUnindent_ = nullptr;
    HWND spin1_ = nullptr;
    std::optional<std::string> result_;
};

}  // namespace tavrill
