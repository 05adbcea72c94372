#pragma once
// The editor bridge: the working text, the window the user worked in last, the
// IDE editor control found under it, and the lock. Every command reaches the
// editor through FetchText and DeliverText; nothing here knows Object Pascal.
//
// An editor control is driven by messages (WM_COPY, WM_PASTE, WM_UNDO) as long
// as it answers them. One that leaves the clipboard alone on WM_COPY gets the
// same requests as keystrokes (Ctrl+Insert, Shift+Insert, Ctrl+Z) once a typed
// Ctrl+Insert has been seen to change the clipboard; so does every window of
// another editor when "Any editor" is on.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/BridgeHost.h"

namespace tavrill {

class Bridge {
public:
    explicit Bridge(BridgeHost& host) : host_(host) {}

    // The timer tick: keeps the target window up to date.
    void Tick() { TakeTarget(host_.ForegroundWindow()); }
    // The tick's rule for a given foreground window; a hot key uses it at once,
    // without waiting for the next tick.
    void TakeTarget(WindowHandle foreground);

    // Copies the editor's selection to the clipboard and, when readClipboard is
    // set, reads the clipboard into the working text. Never empties the working
    // text; failures are told to the user here and stop nothing.
    void FetchText(bool readClipboard);

    // Puts the text on the clipboard, pastes it over the editor's selection and
    // brings the editor to the front. Adds nothing to the text. When the clipboard
    // does not take the text, nothing is pasted (that would paste whatever the
    // clipboard held before) and the user is told. The working text is never
    // touched here.
    void DeliverText(std::string_view text);

    // Undo in the editor; does nothing without a living edit control. A control
    // driven by keys is brought to the front for its Ctrl+Z.
    void Undo();

    // "Any editor": a target that is not an IDE editor window is driven by
    // keystrokes instead of being refused. Turning it off forgets a control
    // found that way.
    void SetAnyEditor(bool on);
    bool AnyEditor() const { return anyEditor_; }

    // Lock to Window. Returns the new check state of the menu item, or nothing
    // when the user cancelled.
    std::optional<bool> LockToWindow();

    // Keep my clipboard: while on, every command puts back what the user had on
    // the clipboard (see BeginCommand).
    void SetKeepClipboard(bool on) { keepClipboard_ = on; }
    bool KeepClipboard() const { return keepClipboard_; }

    // Around every command (CommandScope). With Keep my clipboard on, BeginCommand
    // saves the clipboard and EndCommand puts it back, after the paste, when the
    // command has used the clipboard and no other program has changed it since:
    // a text the user copied elsewhere while a dialog was open stays.
    void BeginCommand();
    void EndCommand();

    void NoticeBox(std::string_view text, std::string_view caption) { host_.ShowNotice(text, caption); }
    Answer QuestionBox(std::string_view text, std::string_view caption) {
        return host_.AskYesNoCancel(text, caption);
    }

    std::string& WorkingText() { return workingText_; }
    const std::string& WorkingText() const { return workingText_; }

    WindowHandle Target() const { return target_; }
    WindowHandle EditControl() const { return editControl_; }
    WindowHandle LockedWindow() const { return lockedWindow_; }
    // The edit control gets keystrokes instead of messages.
    bool DrivenByKeys() const { return editControl_ != kNoWindow && editControl_ == keysControl_; }

    BridgeHost& Host() { return host_; }

private:
    // Sets the edit control for the target: false when the fetch ends here.
    bool LocateUnderTarget();
    // The two places the early IDE versions keep their control in.
    WindowHandle FindEditControl(WindowHandle editorWindow);
    void NoteClipboardUse();
    // The control the user types in anywhere in a docked IDE's window tree.
    WindowHandle FindDockedEditControl(WindowHandle ideWindow);
    // The focused control of another editor, or the window itself.
    WindowHandle FindFocusedControl(WindowHandle window);
    std::vector<WindowHandle> EditControlsUnder(WindowHandle root);
    void RememberFocus(WindowHandle window);

    // Asks the control to copy; false when the system refused (told to the user).
    bool Copy(WindowHandle control);
    // Types Ctrl+Insert and waits, bounded, for the clipboard to change.
    bool CopyByKeys(WindowHandle control);
    // Brings the control's window to the front and types the chord there; false
    // (and nothing typed) when another window is in front.
    bool Type(WindowHandle control, Keystroke k);
    bool RefusedForRights(WindowHandle w);

    BridgeHost& host_;
    std::string workingText_;
    WindowHandle target_ = kNoWindow;
    WindowHandle editControl_ = kNoWindow;
    WindowHandle lockedWindow_ = kNoWindow;
    // The control that answered a typed Ctrl+Insert; it gets keys from then on.
    WindowHandle keysControl_ = kNoWindow;
    // Per top-level window, the control inside it that last had the focus.
    std::map<WindowHandle, WindowHandle> lastFocus_;
    bool anyEditor_ = false;

    bool keepClipboard_ = false;
    std::unique_ptr<SavedClipboard> savedClipboard_;
    bool clipboardUsed_ = false;
    std::uint32_t ownClipboardSequence_ = 0;  // the clipboard as the bridge left it
};

// One command's span: BeginCommand when made, EndCommand when gone, also when
// the command ends with an exception.
class CommandScope {
public:
    explicit CommandScope(Bridge& bridge) : bridge_(bridge) { bridge_.BeginCommand(); }
    ~CommandScope() {
        // Putting the clipboard back is a courtesy: a failure there (out of
        // memory) must not end the program from a destructor.
        try {
            bridge_.EndCommand();
        } catch (...) {
        }
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    Bridge& bridge_;
};

}  // namespace tavrill
