#include "forms/BlockDialog.h"

#include <algorithm>

namespace tavrill {

HWND BlockDialogForm::AddIndentSpin(int x, int y, int id) {
    AddLabel("Spaces to Indent:", x, y + 3, 90, 14);
    return AddSpin(x + 92, y, 44, 21, id, 1, 10, 2);
}

bool BlockDialogForm::SelectRadio(HWND clicked, std::initializer_list<HWND> group) {
    if (std::find(group.begin(), group.end(), clicked) == group.end()) return false;
    for (HWND radio : group) SetChecked(radio, radio == clicked);
    return true;
}

void BlockDialogForm::RememberFocus() {
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus)) focus_ = focus;
}

void BlockDialogForm::OnCommand(int id, int code, HWND control) {
    if ((id == IDOK || id == IDCANCEL) && code == BN_CLICKED) RememberFocus();
    Form::OnCommand(id, code, control);
}

void BlockDialogForm::OnClose() {
    RememberFocus();
    Form::OnClose();
}

LRESULT BlockDialogForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ACTIVATE) {
        // Instead of the default, which gives the focus to the form itself.
        if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
        else if (focus_ && !IsIconic(hwnd_)) SetFocus(focus_);
        return 0;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace tavrill
