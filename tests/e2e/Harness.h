#pragma once
// End-to-end harness: starts the sample editor and tavrill.exe from a fresh program folder, drives
// them as a user would (SendInput clicks and keys, buttons found by their text, menu items by their
// keys, message boxes answered by key) and looks at what a user could see. What the harness itself
// cannot do throws HarnessError, which GoogleTest reports as a failure of the test.

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tavrill::e2e {

using Millis = std::chrono::milliseconds;

inline constexpr Millis kDefaultTimeout{5000};
// The tool bar looks at the foreground window once a second; half a second to spare.
inline constexpr Millis kTargetDelay{1500};

// The hints of the tool bar's speed buttons, which are also their window texts.
inline constexpr std::string_view kMainButton = "General options";
inline constexpr std::string_view kBlocksButton = "Insert new blocks of code";
inline constexpr std::string_view kFormatButton = "Format text (comment etc)";
inline constexpr std::string_view kStashButton = "Stash clip for later use";
inline constexpr std::string_view kLoadButton = "Retrieve code from stash";
inline constexpr std::string_view kHelpButton = "Help!";
// The message box of a command whose target window is no editor.
inline constexpr char kNotAnEditor[] = "Could not copy|Source window was not a Delphi TEditWindow.";

class HarnessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Polls `done` until it holds or the time is up, keeping the harness's own windows answering.
bool WaitFor(const std::function<bool()>& done, Millis timeout = kDefaultTimeout);
void Pause(Millis duration);

void ClickAt(POINT screen);
void ClickWindow(HWND window);                      // in its middle
void PressKeys(std::initializer_list<WORD> keys);   // one after another; letters as 'A'..'Z'
void PressChord(std::initializer_list<WORD> keys);  // held together: {VK_CONTROL, 'A'}
void TypeText(std::string_view text);               // UTF-8; CR LF, CR or LF alone each give one Enter
inline void PressShortcut(WORD key) {               // Ctrl+Alt+Shift and the key: a default shortcut
    PressChord({VK_CONTROL, VK_MENU, VK_SHIFT, key});
}

std::string WindowText(HWND window);  // WM_GETTEXT in the wide form, as UTF-8: an edit gives its whole text
std::string ClassOf(HWND window);
RECT WindowRect(HWND window);
bool IsForeground(HWND window);  // the window or one of its children
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);
HWND FindDescendantByText(HWND parent, std::string_view text);  // nullptr when none

void ClearClipboard();

class Process;  // a started program, ended when this goes away

struct EditorOptions {
    std::string text;                    // written to the file the editor opens
    std::string fileName = "Unit1.pas";  // the editor window's title
    bool tab = false;                    // the editor control inside a TTabControl
    std::string modes;                   // more options: "--docked --keys-only", "--unicode", "--other"
};

class SampleEditor {
public:
    SampleEditor(const EditorOptions& options, const std::string& folder);
    ~SampleEditor();
    HWND Window() const { return window_; }
    HWND Control() const;  // the editor control
    std::string Text() const { return WindowText(Control()); }
    bool Shows(const std::string& text) const {  // waits for it
        return WaitFor([&] { return Text() == text; });
    }
    void Focus();      // clicks into the control
    void SelectAll();  // Focus, then Ctrl+A
    void Close();      // as the close box does, and waits until the editor has ended

private:
    std::unique_ptr<Process> process_;
    HWND window_ = nullptr;
};

// A window of some other program.
class ForeignWindow {
public:
    ForeignWindow();  // "Notes", below the tool bar
    ~ForeignWindow();
    void Activate();  // clicks it and waits until it is the foreground

private:
    HWND window_ = nullptr;
};

// One of Wine's own editors, an editor nobody here wrote: notepad.exe (an "Edit" control) or
// wordpad.exe (a rich edit control). Filled and selected by messages, read with WM_GETTEXT.
class WineEditor {
public:
    WineEditor(const std::string& exe, std::string_view controlClass);  // a Windows path
    ~WineEditor();
    HWND Control() const { return control_; }
    void SelectAllOf(std::string_view text);  // sets the text, selects all of it
    std::string Text() const;                 // without a rich edit's closing CR
    void Activate();                          // clicks into the control, waits until it has the focus

private:
    std::unique_ptr<Process> process_;
    HWND window_ = nullptr;
    HWND control_ = nullptr;
};

// A dialog of the tool bar.
struct Dialog {
    HWND window = nullptr;
    std::vector<HWND> Controls(std::string_view classPrefix) const;  // direct children, any case, top first
    HWND Item(std::string_view text) const;                          // throws when there is none
    void Click(std::string_view text) const { ClickWindow(Item(text)); }
    bool Checked(std::string_view text) const;
    bool Closes() const;  // waits until it is hidden
    bool Close(WORD key) const {
        PressKeys({key});
        return Closes();
    }
};

struct SessionOptions {
    EditorOptions editor;
    bool startEditor = true;
    // Put into the program folder first: {"tavrill.ini", "..."}, {"stash\\a.pas", "..."}.
    std::vector<std::pair<std::string, std::string>> files;
};

// One run (or several) of a copy of tavrill.exe in a fresh folder, beside sample editors.
class Session {
public:
    explicit Session(SessionOptions options = {});
    ~Session();

    const std::string& Folder() const { return programFolder_; }  // ends in "\"
    std::optional<std::string> ReadProgramFile(const std::string& name) const;
    void WriteProgramFile(const std::string& name, std::string_view bytes) const;
    SampleEditor& Editor();  // the one started last
    SampleEditor& StartEditor(const EditorOptions& options);
    void StartToolBar();  // and waits for it to appear
    DWORD ToolBarProcessId() const;
    HWND ToolBar() const;  // looked up at each call: Stay on Top makes a new window
    HWND Button(std::string_view hint) const;

    // Call after making another window the foreground, before clicking the tool bar.
    void WaitForTarget() const { Pause(kTargetDelay); }
    void ClickButton(std::string_view hint) { ClickWindow(Button(hint)); }
    // Selects all in the editor, waits for the target and chooses from the button's menu, or with
    // no keys clicks the button.
    void Command(std::string_view hint, std::initializer_list<WORD> keys = {});
    // Opens the button's menu, presses the keys and waits for the menu to close. Items whose key
    // another item shares are reached with arrows after VK_HOME: the menu opens under the pointer,
    // and Wine highlights the item there. {VK_HOME, VK_RIGHT, 'T'} is "&Case" > "&Title Case".
    void ChooseFromMenu(std::string_view hint, std::initializer_list<WORD> keys);
    void Exit();  // from the main menu; waits until the program has ended
    // An item of the format menu's "&Case", which shares its key with "&Comment out".
    void CaseCommand(WORD item) { Command(kFormatButton, {VK_HOME, VK_RIGHT, item}); }

    bool NoMessageBoxFor(Millis duration) const;
    // Waits for the tool bar's message box and answers it: "caption|text", or "" when none came.
    std::string AnswerBox(WORD key = VK_RETURN) const;
    // The tool bar's first visible top-level window with this caption, or nullptr.
    HWND WaitForDialog(std::string_view caption, Millis timeout = kDefaultTimeout) const;
    Dialog AwaitDialog(std::string_view caption) const;  // throws when none comes

private:
    std::string root_;  // a fresh folder under %TEMP%, removed at the end
    std::string programFolder_;
    std::string sourceFolder_;
    std::vector<std::unique_ptr<SampleEditor>> editors_;
    std::unique_ptr<Process> toolBar_;  // ends first
};

// Under Wine, makes the programs' windows unmanaged; call before any window is made.
void PrepareWine();
// Built beside the harness, or named by TAVRILL_E2E_TAVRILL (a Windows path).
std::string TavrillExe();

}  // namespace tavrill::e2e
