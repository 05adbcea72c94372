#include "forms/fSave.h"

namespace tavrill {
namespace {

enum : int { kTxtName = 101, kTxtDesc, kMemo1 };

}  // namespace

TfrmSave::TfrmSave() {
    Create({.className = "TfrmSave",
            .caption = "Save code to stash",
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,  // a tool window: a close box and nothing else
            .clientWidth = 400,
            .clientHeight = 300});

    AddLabel({.rect = {8, 12, 70, 14}, .text = "FileName:"});
    txtName_ = AddEdit({.id = kTxtName, .rect = {80, 8, 160, 21}});
    AddLabel({.rect = {8, 40, 70, 14}, .text = "Description:"});
    txtDesc_ = AddEdit({.id = kTxtDesc, .rect = {80, 36, 312, 21}});
    AddLabel({.rect = {8, 66, 200, 14}, .text = "View of clipped code:"});
    Memo1_ = AddMemo({.id = kMemo1, .rect = {8, 82, 384, 176}});
    AddButton({.id = IDOK, .rect = {236, 266, 75, 25}, .text = "OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {317, 266, 75, 25}, .text = "Cancel"});
    SetInitialFocus(txtName_);
}

std::optional<SaveValues> TfrmSave::Run(std::string_view code) {
    SetWindowTextBytes(Memo1_, code);
    if (ShowModal() != IDOK) return std::nullopt;
    return SaveValues{WindowText(txtName_), WindowText(txtDesc_), WindowText(Memo1_)};
}

}  // namespace tavrill
