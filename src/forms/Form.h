#pragma once
// A small form framework over plain Win32: one window class per form class, a
// thunk that finds the C++ object, child controls declared in code, and a modal
// loop of our own. A persistent dialog is an object that lives for the whole run
// and is only hidden between uses, so its controls keep what the user typed; a
// fresh dialog is constructed for one use and destroyed afterwards.
//
// A form is declared, not assembled: its constructor calls Create with a
// FormStyle and then one Add... per control, each from one argument struct with
// designated initialisers, in tab order:
//
//     Create({.className = "TfrmIF", .caption = "Insert IF...THEN...", .clientWidth = 292, ...});
//     txtCond_ = AddEdit({.id = kTxtCond, .rect = {18, 24, 256, 21}});
//     AddButton({.id = IDOK, .rect = {54, 112, 75, 25}, .text = "&OK", .isDefault = true});
//
// Rectangles and client sizes are in layout units (pixels at 96 dots per inch).
// They become device pixels in one place, Form::ToPixels; a form that lays its
// controls out itself on WM_SIZE goes through Place and ToLayout.
//
// Keyboard handling is IsDialogMessage's: Tab moves between WS_TABSTOP controls,
// Enter presses the default button (except in a multi-line box with
// ES_WANTRETURN), Esc presses IDCANCEL.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/Modal.h"
#include "win32/UniqueHandle.h"

namespace tavrill {

// The program's title: the caption of the tool bar, the application window and the error box.
inline constexpr char kApplicationTitle[] = "Delphi Tavrill";

// Layout units are pixels at this resolution.
inline constexpr int kLayoutDpi = 96;

// A rectangle in layout units: left, top, width, height.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct FormStyle {
    const char* className = nullptr;  // the window class, named after the form class ("TfrmIF")
    const char* caption = "";
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    int clientWidth = 300;  // layout units
    int clientHeight = 200;
    std::optional<POINT> position;  // the outer top-left corner on the screen; nothing: centred
};

// A control of a kind that needs nothing beyond its place and text: labels, group
// boxes, check boxes, edit boxes, combo boxes, and AddControl's own classes.
struct ControlArgs {
    int id = -1;  // the WM_COMMAND id; -1 for a control nothing addresses
    Rect rect;
    std::string_view text;
    DWORD style = 0;  // added to the styles the kind sets itself (SS_CENTER, SS_NOPREFIX, ...)
    DWORD exStyle = 0;
};

struct ButtonArgs {
    int id = -1;
    Rect rect;
    std::string_view text;
    bool isDefault = false;  // the button Enter presses
};

struct RadioArgs {
    int id = -1;
    Rect rect;
    std::string_view text;
    bool firstOfGroup = false;  // starts a group: a tab stop, and arrow keys stay within the group
};

struct MemoArgs {
    int id = -1;
    Rect rect;
    bool wordWrap = false;
    bool scrollBars = true;
};

// A whole-number box with up and down arrows.
struct SpinArgs {
    int id = -1;
    Rect rect;
    int minimum = 0;
    int maximum = 0;
    int value = 0;
};

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND Handle() const { return hwnd_; }
    bool Visible() const { return IsWindowVisible(hwnd_) != 0; }

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
    // The font of every control: "MS Sans Serif" at 8 points, made once for the run.
    static HFONT DefaultFont();
    // Shows an error raised in a handler: the message and "." under the
    // application title, with a stop icon.
    static void ShowErrorBox(std::string_view message);

protected:
    Form() = default;
    // Registers the form's window class on first use and creates the hidden
    // window. Throws Error when the window cannot be created.
    void Create(const FormStyle& style);

    // Control factories, in tab order; each returns the child and gives it the
    // form's font. Throws Error when the child cannot be created.
    HWND AddControl(const char* className, const ControlArgs& args);
    HWND AddLabel(const ControlArgs& args);  // SS_LEFT unless args.style says otherwise
    HWND AddGroupBox(const ControlArgs& args);
    HWND AddButton(const ButtonArgs& args);
    HWND AddCheckBox(const ControlArgs& args);
    HWND AddRadioButton(const RadioArgs& args);
    HWND AddEdit(const ControlArgs& args);
    // A multi-line box without a length limit; Enter starts a new line in it.
    HWND AddMemo(const MemoArgs& args);
    // A spin box: an edit box with an up-down control. Its text is limited to the
    // length of its longer bound, a number typed outside the range is pulled to
    // the nearer bound when the box loses the focus, and SpinText reads it with
    // ReadSpinValue, so that whatever the box holds its value is in range.
    HWND AddSpin(const SpinArgs& args);
    // A drop-down combo box; args.rect's height includes the opened list.
    HWND AddComboBox(const ControlArgs& args);
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }

    // The value of a spin box made by AddSpin, as decimal text, always inside its
    // range (ReadSpinValue): the box may hold any text, set by a program or typed
    // and confirmed with Enter before the box could pull it into range.
    std::string SpinText(HWND spin) const;

    // Where a layout rectangle lies in device pixels; the one place of scaling.
    RECT ToPixels(const Rect& rect) const;
    // A length in device pixels (from WM_SIZE, say) in layout units.
    int ToLayout(int pixels) const;
    // Moves a control to a layout rectangle.
    void Place(HWND control, const Rect& rect) const;

    // The default button that Enter presses (IDOK unless set otherwise).
    void SetDefaultButton(int id) { defaultButton_ = id; }
    // The control that has the keyboard on the first showing. Afterwards the form
    // remembers where the keyboard was when it was deactivated or closed and puts
    // it back there, as a dialog does, so a kept dialog reopens where the user left it.
    void SetInitialFocus(HWND control) { focus_ = control; }

    // Handlers. OnCommand gets every WM_COMMAND from the controls; the base
    // version ends the modal loop on IDOK (after OnOK) and IDCANCEL.
    virtual void OnCommand(int id, int code, HWND control);
    virtual void OnOK() {}       // butOKClick: runs before the dialog closes with OK
    virtual void OnShowing() {}  // form_show: runs before every showing
    virtual void OnClose();      // the close box: Cancel for a modal form, else hide
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    struct Spin {
        HWND edit;
        int minimum;
        int maximum;
    };
    const Spin* FindSpin(HWND edit) const;
    void ClampSpin(HWND edit);
    void RememberFocus();

    std::vector<Spin> spins_;
    int defaultButton_ = IDOK;
    HWND focus_ = nullptr;
    int modalResult_ = 0;
    bool modal_ = false;
    int dpi_ = kLayoutDpi;  // the form's resolution: layout units are its pixels until scaling sets it
    static HWND ownerWindow_;
};

// A font of the given size in points for the screen, "MS Sans Serif" unless named.
UniqueFont CreatePointFont(int points, int weight = FW_NORMAL, bool underline = false,
                           const char* face = "MS Sans Serif");

// Text of a window as UTF-8, whatever its length; set through the wide function, so
// a Unicode control (every control of a form) keeps every character.
std::string WindowText(HWND hwnd);
void SetWindowTextBytes(HWND hwnd, std::string_view text);
// Gives a control a font, which must outlive it; a null font is the system's.
void SetFont(HWND control, HFONT font);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);

}  // namespace tavrill
