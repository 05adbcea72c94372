#include "forms/fSave.h"

namespace tavrill {
namespace {

enum : int { kTxtName = 101, kTxtDesc, kMemo1 };

}  // namespace

TfrmSave::TfrmSave() {
    FormStyle style;
    style.className = "TfrmSave";
    style.caption = "Save code to stash";
    style.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    style.exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;  // a tool window: a close box and nothing else
    style.clientWidth = 400;
    style.clientHeight = 300;
    Create(style);

    AddLabel("FileName:", 8, 12, 70, 14);
    txtName_ = AddEdit(80, 8, 160, 21, kTxtName);
    AddLabel("Description:", 8, 40, 70, 14);
    txtDesc_ = AddEdit(80, 36, 312, 21, kTxtDesc);
    AddLabel("View of clipped code:", 8, 66, 200, 14);
    Memo1_ = AddMemo(8, 82, 384, 176, kMemo1);
    AddButton("OK", 236, 266, 75, 25, IDOK, true);
    AddButton("Cancel", 317, 266, 75, 25, IDCANCEL);
    SetInitialFocus(txtName_);
}

std::optional<SaveValues> TfrmSave::Run(std::string_view code) {
    SetWindowTextBytes(Memo1_, code);
    if (ShowModal() != IDOK) return std::nullopt;
    return SaveValues{WindowText(txtName_), WindowText(txtDesc_), WindowText(Memo1_)};
}

}  // namespace tavrill
