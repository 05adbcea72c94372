#include "forms/findent.h"

namespace tavrill {
namespace {

enum : int { kMemo1 = 101, kChkIndent, kChkUnindent, kSpin1 };

}  // namespace

TfrmIndent::TfrmIndent() {
    Create({.className = "TfrmIndent", .caption = "Indent", .clientWidth = 360, .clientHeight = 262});

    // In tab order: the text first, so that the keyboard is in it at the first opening.
    Memo1_ = AddMemo({.id = kMemo1, .rect = {8, 8, 344, 180}});
    AddLabel({.rect = {8, 206, 52, 14}, .text = "Spaces to "});
    chkIndent_ = AddRadioButton(
        {.id = kChkIndent, .rect = {62, 196, 80, 17}, .text = "&Indent", .firstOfGroup = true});
    chkUnindent_ = AddRadioButton({.id = kChkUnindent, .rect = {62, 216, 80, 17}, .text = "&Unindent"});
    spin1_ = AddSpin({.id = kSpin1, .rect = {150, 202, 44, 21}, .minimum = 0, .maximum = 16, .value = 2});
    AddButton({.id = IDOK, .rect = {196, 230, 75, 25}, .text = "OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {277, 230, 75, 25}, .text = "Cancel"});
    SetChecked(chkIndent_, true);
    SetInitialFocus(Memo1_);
}

std::optional<std::string> TfrmIndent::Run(std::string_view text) {
    SetWindowTextBytes(spin1_, "2");
    SetWindowTextBytes(Memo1_, text);
    result_.reset();
    if (ShowModal() != IDOK) return std::nullopt;
    // Empty when butOKClick failed; the error box has told the user, and nothing is pasted.
    return std::move(result_);
}

void TfrmIndent::OnOK() {
    std::string text = IndentDialogRewrite(WindowText(Memo1_), IsChecked(chkIndent_), SpinText(spin1_));
    SetWindowTextBytes(Memo1_, text);
    result_ = std::move(text);
}

}  // namespace tavrill
