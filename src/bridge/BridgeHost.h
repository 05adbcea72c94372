#pragma once
// Everything the bridge needs of the window system and the clipboard. The
// Windows implementation (win32/WindowsHost) is a thin layer over user32; the
// unit tests use an in-memory host with a little window tree and a clipboard.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavrill {

// An opaque window handle; 0 is "none".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

enum class Answer { Yes, No, Cancel };

// A copy of everything that was on the clipboard; only the host that made it
// knows what is inside.
class SavedClipboard {
public:
    virtual ~SavedClipboard() = default;
};

// The key chords the bridge types into an editor that does not answer the
// clipboard messages of other programs, and the Left arrow that moves the caret
// back into a pasted snippet.
enum class Keystroke { CtrlInsert, ShiftInsert, CtrlZ, Left };

class BridgeHost {
public:
    virtual ~BridgeHost() = default;

    virtual WindowHandle ForegroundWindow() = 0;
    // A window of this program (the tool bar, its dialogs, message boxes and
    // menus): never the user's editor.
    virtual bool IsOwnWindow(WindowHandle w) = 0;
    virtual bool WindowExists(WindowHandle w) = 0;
    // At most 98 characters, as UTF-8; empty when it cannot be read.
    virtual std::string ClassName(WindowHandle w) = 0;
    virtual WindowHandle FirstChild(WindowHandle w) = 0;
    virtual WindowHandle NextSibling(WindowHandle w) = 0;
    // At most 127 characters, as UTF-8; empty for none or a window without a title.
    virtual std::string WindowTitle(WindowHandle w) = 0;
    // True when `inner` is a descendant of `outer` (not `outer` itself).
    virtual bool Contains(WindowHandle outer, WindowHandle inner) = 0;
    // The keyboard focus of the thread that owns w (GetGUIThreadInfo), or none.
    // It can be none while that thread's windows are in the background.
    virtual WindowHandle FocusOf(WindowHandle w) = 0;
    // The top-level window that w belongs to (w itself for a top-level window).
    virtual WindowHandle TopLevelOf(WindowHandle w) = 0;
    // Visible itself and in all its ancestors.
    virtual bool IsVisible(WindowHandle w) = 0;
    // Width times height of the window's rectangle; 0 when it cannot be read.
    virtual std::int64_t Area(WindowHandle w) = 0;
    // The window belongs to a process with more rights than this one (an editor
    // started as administrator): the system drops our messages and keystrokes.
    virtual bool RunsElevated(WindowHandle w) = 0;

    // Sent synchronously; a none or dead handle makes them do nothing. SendCopy
    // is false only when the system refused the message for lack of rights.
    virtual bool SendCopy(WindowHandle w) = 0;
    virtual void SendPaste(WindowHandle w) = 0;
    virtual void SendUndo(WindowHandle w) = 0;
    virtual void BringToFront(WindowHandle w) = 0;

    // Types the chord into whatever has the keyboard focus, after releasing the
    // modifier keys the user still holds, so they cannot change the chord.
    // The caller makes sure the editor is the foreground window first.
    virtual void SendKeystroke(Keystroke k) = 0;
    // Waits for about that long while still answering messages sent to this
    // thread (another program emptying the clipboard we own waits for us).
    virtual void Pause(int milliseconds) = 0;
    // Returns once the thread of w has handled the keystrokes typed so far, or
    // after a bounded wait when it does not answer.
    virtual void AwaitInputHandled(WindowHandle w) = 0;

    // Changes each time any program changes the clipboard.
    virtual std::uint32_t ClipboardSequence() = 0;
    virtual void ClearClipboard() = 0;
    virtual bool ClipboardHasText() = 0;
    // The text up to its first NUL, as UTF-8 (the Unicode text, else the plain text
    // in the ANSI code page); empty when there is none.
    virtual std::string ReadClipboardText() = 0;
    // The clipboard afterwards holds exactly this text, as Unicode text (the system
    // offers plain text from it). False when it could not be opened or the text
    // could not be stored; it may then hold anything.
    virtual bool WriteClipboardText(std::string_view text) = 0;

    // A copy of every format on the clipboard that can be copied (the others are
    // left out); nothing when the clipboard cannot be opened.
    virtual std::unique_ptr<SavedClipboard> SaveClipboard() = 0;
    // Empties the clipboard and puts the saved formats back.
    virtual void RestoreClipboard(std::unique_ptr<SavedClipboard> saved) = 0;

    // Message boxes, modal for the whole program, without an icon.
    virtual void ShowNotice(std::string_view text, std::string_view caption) = 0;        // OK
    virtual Answer AskYesNoCancel(std::string_view text, std::string_view caption) = 0;  // Yes default
    virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;          // true for Yes
};

}  // namespace tavrill
