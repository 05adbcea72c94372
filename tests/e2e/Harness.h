#pragma once
// End-to-end harness: starts the sample editor and tavrill.exe from a fresh program folder and
// drives them only as a user would - SendInput clicks and key strokes, speed buttons found by
// their text, menu items by their keys, message boxes answered by key - and then looks at what a
// user could see: the editor's text, the clipboard, the files, the windows and their captions.
//
// Anything the harness itself cannot do (start a program, find a button, see a menu open)
// throws HarnessError, which GoogleTest reports as a failure of the test that asked for it.
//
//     Session s({.editor = {.text = "my_var := some_func(x);"}});
//     s.Editor().SelectAll();
//     s.WaitForTarget();
//     s.ChooseFromMenu(kFormatButton, {VK_HOME, VK_RIGHT, 'T'});
//     EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "My_Var := Some_Func(X);"; }));

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
// The tool bar's timer ticks once a second; a window the user has just switched to becomes its
// target at the next tick. Half a second to spare for a busy machine.
inline constexpr Millis kTargetDelay{1500};

// The hint texts of the tool bar's speed buttons, which are also their window texts.
inline constexpr std::string_view kMainButton = "General options";
inline constexpr std::string_view kBlocksButton = "Insert new blocks of code";
inline constexpr std::string_view kFormatButton = "Format text (comment etc)";
inline constexpr std::string_view kStashButton = "Stash clip for later use";
inline constexpr std::string_view kLoadButton = "Retrieve code from stash";
inline constexpr std::string_view kHelpButton = "Help!";

inline constexpr std::string_view kToolBarCaption = "Delphi Tavrill";

class HarnessError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ---- Waiting. Both keep the harness's own windows answering while they wait.

// Polls `done` until it holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& done, Millis timeout = kDefaultTimeout);
void Pause(Millis duration);

// ---- User input, through SendInput only.

void MoveMouse(POINT screen);
void ClickAt(POINT screen);
void ClickWindow(HWND window);  // in the middle of the window
// Key strokes one after another: virtual-key codes, letters as 'A'..'Z' (a menu's access keys).
void PressKeys(std::initializer_list<WORD> keys);
// Keys held down together, released in reverse order: {VK_CONTROL, 'A'}.
void PressChord(std::initializer_list<WORD> keys);
// Types text as characters; CR LF, CR or LF alone each give one Enter.
void TypeText(std::string_view text);

// ---- Looking at windows.

std::string WindowText(HWND window);  // WM_GETTEXT, so an edit control gives its whole text
std::string ClassOf(HWND window);
RECT WindowRect(HWND window);
bool IsTopmost(HWND window);
bool IsForeground(HWND window);           // the window or one of its children is the foreground
std::vector<HWND> Children(HWND parent);  // the direct children in z-order, top first
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);
// The first descendant (any depth) whose window text is `text`, or nullptr.
HWND FindDescendantByText(HWND parent, std::string_view text);

// ---- The clipboard. The harness opens it with a window of its own.

std::optional<std::string> ClipboardText();  // nullopt when it holds no plain text
void SetClipboardText(std::string_view text);
void ClearClipboard();

// ---- Message boxes (class "#32770" with a text control of ID 0xFFFF).

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
std::optional<MessageBoxInfo> FindMessageBox(DWORD processId);
std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Millis timeout = kDefaultTimeout);
// Answers with a key (VK_RETURN, VK_ESCAPE, 'Y', 'N') and waits until the box has closed.
void AnswerMessageBox(const MessageBoxInfo& box, WORD key);

// ---- Files, with Windows paths.

std::optional<std::string> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);

// A fresh folder under %TEMP%, removed with everything in it at the end. Path ends in "\".
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// A program started by the harness; ended (politely, then by force) when this goes away.
class Process {
public:
    Process(const std::string& exe, const std::string& arguments, const std::string& workingFolder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    bool WaitForExit(Millis timeout);
    // WM_CLOSE to its windows, then TerminateProcess when it has not ended in time.
    void End(Millis grace = Millis{3000});

private:
    PROCESS_INFORMATION info_{};
};

// ---- The sample editor.

struct EditorOptions {
    std::string text;                    // written to a file that the editor opens
    std::string fileName = "Unit1.pas";  // the editor window's title
    bool tab = false;                    // the editor control inside a TTabControl
    bool tabSecond = false;              // ... but not as its first child
    bool second = false;                 // a second, empty editor control below the first
};

class SampleEditor {
public:
    // Writes the text into `folder` and starts the editor on it; waits for its window.
    SampleEditor(const EditorOptions& options, const std::string& folder);

    DWORD ProcessId() const { return process_.Id(); }
    HWND Window() const { return window_; }
    // The editor controls in the order the tool bar looks at them (the first is the IDE's one).
    HWND Control(size_t index = 0) const;
    std::string Text(size_t index = 0) const { return WindowText(Control(index)); }
    bool Alive() const { return IsWindow(window_) != FALSE; }

    // Clicks into the control, waits until it has the focus, and puts the caret at the end of
    // the text (Ctrl+End).
    void Focus(size_t index = 0);
    void SelectAll(size_t index = 0);  // Focus, then Ctrl+A
    // Focus, Ctrl+Home, then Right `start` times and Shift+Right `length` times; a line break
    // counts as one position.
    void SelectRange(size_t start, size_t length, size_t index = 0);
    // The user closes the editor (WM_CLOSE, as the close box sends) and it ends.
    void Close();

private:
    Process process_;
    HWND window_ = nullptr;
};

// ---- A window of some other program, for commands given while it is the foreground.

class ForeignWindow {
public:
    explicit ForeignWindow(RECT where = {300, 560, 700, 760}, std::string_view title = "Notes");
    ~ForeignWindow();
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;
    HWND Window() const { return window_; }
    void Activate();  // clicks it and waits until it is the foreground

private:
    HWND window_ = nullptr;
};

// ---- One run of the tool bar beside the sample editor.

struct SessionOptions {
    EditorOptions editor;
    bool startEditor = true;
    bool startToolBar = true;
    // Files put into the program folder before the tool bar starts: {"tavrill.ini", "..."},
    // {"stash\\a.pas", "..."}, {"UnitHead.txt", "..."}.
    std::vector<std::pair<std::string, std::string>> files;
};

class Session {
public:
    explicit Session(SessionOptions options = {});
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The program folder that holds the copy of tavrill.exe, with a trailing "\". The program
    // itself sees it lower-cased.
    const std::string& Folder() const { return programFolder_; }
    std::optional<std::string> ReadProgramFile(const std::string& name) const;
    void WriteProgramFile(const std::string& name, std::string_view bytes) const;

    SampleEditor& Editor();  // the editor started last
    // Starts another editor; the earlier ones stay open until closed or the session ends.
    SampleEditor& StartEditor(const EditorOptions& options);

    void StartToolBar();  // starts tavrill.exe and waits for the tool bar
    bool ToolBarRunning() const;
    DWORD ToolBarProcessId() const;
    // The tool bar window now (Stay on Top makes a new one), or nullptr.
    HWND ToolBar() const;
    HWND Button(std::string_view hint) const;  // throws when there is none
    // Waits for the tool bar to end by itself, for instance after Exit.
    bool WaitForToolBarExit(Millis timeout = kDefaultTimeout);

    // Waits long enough for the tool bar to take the foreground window as its target.
    void WaitForTarget() const { Pause(kTargetDelay); }
    void ClickButton(std::string_view hint);
    // Clicks the button, waits for its pop-up menu, presses the keys and waits for the menu to
    // close. Two menus share access keys; reach those items with the arrow keys, starting with
    // VK_HOME (the first item): the menu opens under the pointer, and Wine highlights the item
    // there, so VK_DOWN alone would start from wherever that was. {VK_HOME, VK_RIGHT, 'T'} is
    // "&Case" > "&Title Case"; {VK_HOME, VK_DOWN, VK_RETURN} is the second item.
    void ChooseFromMenu(std::string_view hint, std::initializer_list<WORD> keys);
    // Exit from the main menu; waits until the program has ended.
    void Exit();

    std::optional<MessageBoxInfo> WaitForMessageBox(Millis timeout = kDefaultTimeout) const;
    // True when the tool bar shows no message box during the whole time.
    bool NoMessageBoxFor(Millis duration) const;
    // The first visible top-level window of the tool bar with this caption (its dialogs).
    HWND WaitForDialog(std::string_view caption, Millis timeout = kDefaultTimeout) const;

private:
    void Report() const noexcept;

    TempFolder root_;
    std::string programFolder_;
    std::string sourceFolder_;
    std::vector<std::unique_ptr<SampleEditor>> editors_;
    std::unique_ptr<Process> toolBar_;
};

// Under Wine, makes the programs' windows unmanaged (see Harness.cpp); does nothing on Windows.
// Call before any window is made.
void PrepareWine();

// The programs under test: built beside the harness, or named by TAVRILL_E2E_TAVRILL and
// TAVRILL_E2E_EDITOR (Windows paths) when the harness runs somewhere else.
std::string TavrillExe();
std::string SampleEditorExe();

}  // namespace tavrill::e2e
