#pragma once
// "Insert {$IFDEF}" and "Insert {$REGION}": the one line a guard block needs, the define's
// name or the region's caption. Made afresh for every use, so it always opens empty.

#include <string>

#include "app/CommandUi.h"
#include "forms/Form.h"

namespace tavrill {

class TfrmBlockName : public Form, public BlockNameDialog {
public:
    // `caption` for the title bar, `label` above the box ("&Define name:").
    TfrmBlockName(const char* caption, const char* label);
    std::optional<std::string> Run() override;

private:
    HWND txtName_ = nullptr;
};

}  // namespace tavrill
