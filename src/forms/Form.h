#pragma once
// A small form framework over plain Win32: one window class per form class, a
// thunk that finds the C++ object, child controls created in code, and a modal
// loop of our own. A persistent dialog is an object that lives for the whole run
// and is only hidden between uses, so its controls keep what the user typed; a
// fresh dialog is constructed for one use and destroyed afterwards.
//
// Keyboard handling is IsDialogMessage's: Tab moves between WS_TABSTOP controls,
// Enter presses the default button (except in a multi-line box with
// ES_WANTRETURN), Esc presses IDCANCEL.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/Modal.h"

namespace tavrill {

struct FormStyle {
    const char* className;  // the window class, named after the form class ("TfrmIF")
    std::string caption;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    int clientWidth = 300;
    int clientHeight = 200;
    bool centred = true;  // otherwise placed at (x, y)
    int x = 0;
    int y = 0;
};

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Handle() const { return hwnd_; }
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

    // Shows the form modally for the whole program and returns IDOK or IDCANCEL.
    int ShowModal();
    // Ends ShowModal with this result; the form is hidden, not destroyed.
    void EndModal(int result) { modalResult_ = result; }
    // Shows the form without making it modal and brings it to the front.
    void Show();
    void Hide();

    // The window every form is owned by: the application window.
    static void SetOwnerWindow(HWND owner) { ownerWindow_ = owner; }
    static HWND OwnerWindow() { return ownerWindow_; }
    // The font of every control: "MS Sans Serif" at 8 points.
    static HFONT DefaultFont();
    // Shows an error raised in a handler: the message and "." under the
    // application title, with a stop icon.
    static void ShowErrorBox(std::string_view message);

protected:
    Form() = default;
    void Create(const FormStyle& style);

    // Control factories; each returns the child and gives it the form's font.
    HWND AddControl(const char* cls, std::string_view text, DWORD style, int x, int y, int w, int h, int id,
                    DWORD exStyle = 0);
    HWND AddLabel(std::string_view text, int x, int y, int w, int h, DWORD align = SS_LEFT);
    HWND AddGroupBox(std::string_view text, int x, int y, int w, int h);
    HWND AddButton(std::string_view text, int x, int y, int w, int h, int id, bool isDefault = false);
    HWND AddCheckBox(std::string_view text, int x, int y, int w, int h, int id);
    // The first radio button of a group passes firstOfGroup.
    HWND AddRadioButton(std::string_view text, int x, int y, int w, int h, int id, bool firstOfGroup);
    HWND AddEdit(int x, int y, int w, int h, int id);
    // A multi-line box; Enter starts a new line in it.
    HWND AddMemo(int x, int y, int w, int h, int id, bool wordWrap = false, bool scrollBars = true);
    // A spin box: an edit box with an up-down control; its value is read as typed.
    HWND AddSpin(int x, int y, int w, int h, int id, int minimum, int maximum, int value);
    HWND AddComboBox(int x, int y, int w, int h, int id, bool sorted = false);
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    // The default button that Enter presses (IDOK unless set otherwise).
    void SetDefaultButton(int id) { defaultButton_ = id; }
    // The control that has the keyboard on the first showing. Afterwards the form
    // remembers where the keyboard was when it was deactivated or closed and puts
    // it back there, as a dialog does, so a kept dialog reopens where the user left it.
    void SetInitialFocus(HWND control) { focus_ = control; }

    // Handlers. OnCommand gets every WM_COMMAND from the controls; the base
    // version ends the modal loop on IDOK (after OnOK) and IDCANCEL.
    virtual void OnCommand(int id, int code, HWND control);
    virtual void OnOK() {}              // butOKClick: runs before the dialog closes with OK
    virtual void OnShowing() {}         // form_show: runs before every showing
    virtual void OnClose();             // the close box: Cancel for a modal form, else hide
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Raise();  // to the top of the window order, explicitly
    void ClampSpin(HWND edit);
    void RememberFocus();

    struct Spin {
        HWND edit;
        int minimum;
        int maximum;
    };
    std::vector<Spin> spins_;
    int defaultButton_ = IDOK;
    HWND focus_ = nullptr;
    int modalResult_ = 0;
    bool modal_ = false;
    FormStyle style_;
    static HWND ownerWindow_;
};

// Text of a window as a byte string, whatever its length.
std::string WindowText(HWND hwnd);
void SetWindowTextBytes(HWND hwnd, std::string_view text);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);

}  // namespace tavrill
