#pragma once
// The save dialog: a name, a one-line description and the code to be stashed.
// One instance lives for the whole run, so the name and description stay as the
// user left them; the code box is refilled at every opening.

#include "app/CommandUi.h"
#include "forms/Form.h"

namespace tavrill {

class TfrmSave : public Form, public SaveDialog {
public:
    TfrmSave();

    std::optional<SaveValues> Run(std::string_view code) override;

private:
    HWND txtName_ = nullptr;
    HWND txtDesc_ = nullptr;
    HWND Memo1_ = nullptr;
};

}  // namespace tavrill
