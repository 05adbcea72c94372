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

}  // namespace tavrill
