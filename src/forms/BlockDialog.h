#pragma once
// What the code generator dialogs share beyond Form: the "Spaces to Indent:" box,
// and the focus that comes back to the control that had it when the dialog last
// closed (or to the first control on the first showing), so that a dialog kept
// for the whole run reopens where the user left it.

#include <initializer_list>

#include "forms/Form.h"

namespace tavrill {

class BlockDialogForm : public Form {
protected:
    void SetInitialFocus(HWND control) { focus_ = control; }

    // The label "Spaces to Indent:" and beside it the spin box (1 to 10, showing 2).
    HWND AddIndentSpin(int x, int y, int id);

    // Whether the control is one of the radio buttons, and makes it the only one
    // checked among them: radio buttons that do not stand next to each other in
    // the tab order are no group for the window system.
    static bool SelectRadio(HWND clicked, std::initializer_list<HWND> group);

    void OnCommand(int id, int code, HWND control) override;
    void OnClose() override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void RememberFocus();

    HWND focus_ = nullptr;
};

}  // namespace tavrill
