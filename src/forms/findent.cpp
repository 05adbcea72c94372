#include "forms/findent.h"

namespace tavrill {
namespace {

enum : int { kMemo1 = 101, kChkIndent, kChkUnindent, kSpin1 };

}  // namespace

TfrmIndent::TfrmIndent() {
    FormStyle style;
    style.className = "TfrmIndent";
    style.caption = "Indent";
    style.clientWidth = 360;
    style.clientHeight = 262;
    Create(style);

    // Created in tab order: the text first, so that the keyboard is in it at the first opening.
    Memo1_ = AddMemo(8, 8, 344, 180, kMemo1);
    AddLabel("Spaces to ", 8, 206, 52, 14);
    chkIndent_ = AddRadioButton("&Indent", 62, 196, 80, 17, kChkIndent, true);
    chkUnindent_ = AddRadioButton("&Unindent", 62, 216, 80, 17, kChkUnindent, false);
    spin1_ = AddSpin(150, 202, 44, 21, kSpin1, 0, 16, 2);
    // Three characters hold every number of the box's range with a sign; a longer number typed
    // and confirmed with Enter (which skips the box's own clamping) could ask for gigabytes.
    SendMessageA(spin1_, EM_LIMITTEXT, 3, 0);
    AddButton("OK", 196, 230, 75, 25, IDOK, true);
    AddButton("Cancel", 277, 230, 75, 25, IDCANCEL);
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
    std::string text = IndentDialogRewrite(WindowText(Memo1_), IsChecked(chkIndent_), WindowText(spin1_));
    SetWindowTextBytes(Memo1_, text);
    result_ = std::move(text);
}

}  // namespace tavrill
