#pragma once
// The editor bridge: the window the user worked in last, the editor control
// found under it, and the lock. Every command reaches the editor through
// FetchSelection (or FindEditor) and Deliver; the bridge keeps no text between
// commands, and nothing here knows Object Pascal.
//
// An editor control is asked by messages (WM_COPY, WM_PASTE, WM_UNDO) first.
// The clipboard's sequence number tells whether it copied: a control seen to
// answer once is known to, and an unchanged clipboard then means an empty
// selection. A control that leaves the clipboard alone before it has ever
// answered gets the request again as a typed Ctrl+Insert; when that copies, it
// is driven by keystrokes (Ctrl+Insert, Shift+Insert, Ctrl+Z) from then on.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
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
    // without waiting for the next tick. Windows of this program never become
    // the target.
    void TakeTarget(WindowHandle foreground);

    // The editor's selection: its text, empty when nothing is selected, or
    // nothing when there is no editor to work with or the copy failed (the user
    // has been told why). Never a text the editor did not just copy.
    std::optional<std::string> FetchSelection();

    // Finds the editor control under the target without copying anything, for
    // commands that only insert. False as FetchSelection's nothing.
    bool FindEditor();

    // Puts the text on the clipboard, pastes it over the editor's selection and
    // brings the editor to the front. False, with nothing pasted, when the
    // clipboard does not take the text (the user is told) or there is no editor.
    bool Deliver(std::string_view text);

    // Moves the caret of the editor that was just delivered to by this many
    // presses of Left, when that editor is in front to take them; false (and no
    // key typed) otherwise, so a key never lands in another window.
    bool MoveCaretLeft(std::size_t presses);

    // Undo in the editor; does nothing without a living edit control. A control
    // driven by keys is brought to the front for its Ctrl+Z.
    void Undo();

    // "Any editor": a target that is not an IDE editor window is worked with
    // like one, through its focused control. Turning it off forgets a control
    // found that way.
    void SetAnyEditor(bool on);
    bool AnyEditor() const { return anyEditor_; }

    // Lock to Window: asks, then locks to the editor found under the target
    // (Yes) or unlocks (No). Returns whether a window is locked afterwards, or
    // nothing when the user cancelled.
    std::optional<bool> LockToWindow();
    bool Locked() const { return lockedWindow_ != kNoWindow; }

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

    WindowHandle Target() const { return target_; }
    BridgeHost& Host() { return host_; }

private:
    // Sets editControl_ for the target; false (the user told) when there is none.
    bool Locate();
    bool LocateUnderTarget();
    // The two places the early IDE versions keep their control in.
    WindowHandle FindEditControl(WindowHandle editorWindow);
    // The control the user types in anywhere in a docked IDE's window tree.
    WindowHandle FindDockedEditControl(WindowHandle ideWindow);
    // The focused control of another editor, or the window itself.
    WindowHandle FindFocusedControl(WindowHandle window);
    std::vector<WindowHandle> EditControlsUnder(WindowHandle root);
    void RememberFocus(WindowHandle window);
    void NoteClipboardUse();
    bool DrivenByKeys() const { return keysControls_.contains(editControl_); }

    enum class Copied { Text, Nothing, Refused };
    Copied Copy(WindowHandle control);
    // Types Ctrl+Insert and waits, bounded, for the clipboard to change.
    bool CopyByKeys(WindowHandle control);
    // Brings the control's window to the front and types the chord there; false
    // (and nothing typed) when another window is in front.
    bool Type(WindowHandle control, Keystroke k);
    bool RefusedForRights(WindowHandle w);

    BridgeHost& host_;
    WindowHandle target_ = kNoWindow;
    WindowHandle editControl_ = kNoWindow;
    WindowHandle controlTarget_ = kNoWindow;  // the target editControl_ was found under
    bool controlFromAnyEditor_ = false;       // found under a window that is not the IDE's
    WindowHandle lockedWindow_ = kNoWindow;
    // Controls seen to answer WM_COPY, and controls that copied only on a typed
    // Ctrl+Insert; neither set is ever large, and a reused handle costs at most one retry.
    std::set<WindowHandle> answeringControls_;
    std::set<WindowHandle> keysControls_;
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
