#pragma once
// What the code generator dialogs share beyond Form: the "Spaces to Indent:" box
// and radio groups.

#include <initializer_list>

#include "forms/Form.h"

namespace tavrill {

class BlockDialogForm : public Form {
protected:
    // The label "Spaces to Indent:" at `at` and beside it the spin box (1 to 10, showing 2).
    HWND AddIndentSpin(int id, POINT at);

    // Whether the control is one of the radio buttons, and makes it the only one
    // checked among them: radio buttons that do not stand next to each other in
    // the tab order are no group for the window system.
    static bool SelectRadio(HWND clicked, std::initializer_list<HWND> group);
};

}  // namespace tavrill
