#include "forms/BlockDialog.h"

#include <algorithm>

namespace tavrill {

HWND BlockDialogForm::AddIndentSpin(int id, POINT at) {
    AddLabel({.rect = {at.x, at.y + 3, 90, 14}, .text = "Spaces to Indent:"});
    return AddSpin({.id = id, .rect = {at.x + 92, at.y, 44, 21}, .minimum = 1, .maximum = 10, .value = 2});
}

bool BlockDialogForm::SelectRadio(HWND clicked, std::initializer_list<HWND> group) {
    if (std::find(group.begin(), group.end(), clicked) == group.end()) return false;
    for (HWND radio : group) SetChecked(radio, radio == clicked);
    return true;
}

}  // namespace tavrill
