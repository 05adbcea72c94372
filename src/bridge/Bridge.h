#pragma once
// The editor bridge: the working text, the window the user worked in last, the
// IDE editor control found under it, and the lock. Every command reaches the
// editor through FetchText and DeliverText; nothing here knows Object Pascal.

#include <optional>
#include <string>
#include <string_view>

#include "bridge/BridgeHost.h"

namespace tavrill {

class Bridge {
public:
    explicit Bridge(BridgeHost& host) : host_(host) {}

    // The timer tick: keeps the target window up to date.
    void Tick();

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

    // Undo in the editor; does nothing without a living edit control.
    void Undo();

    // Lock to Window. Returns the new check state of the menu item, or nothing
    // when the user cancelled.
    std::optional<bool> LockToWindow();

    void NoticeBox(std::string_view text, std::string_view caption) { host_.ShowNotice(text, caption); }
    Answer QuestionBox(std::string_view text, std::string_view caption) {
        return host_.AskYesNoCancel(text, caption);
    }

    std::string& WorkingText() { return workingText_; }
    const std::string& WorkingText() const { return workingText_; }

    WindowHandle Target() const { return target_; }
    WindowHandle EditControl() const { return editControl_; }
    WindowHandle LockedWindow() const { return lockedWindow_; }

    BridgeHost& Host() { return host_; }

private:
    WindowHandle FindEditControl(WindowHandle editorWindow);

    BridgeHost& host_;
    std::string workingText_;
    WindowHandle target_ = kNoWindow;
    WindowHandle editControl_ = kNoWindow;
    WindowHandle lockedWindow_ = kNoWindow;
};

}  // namespace tavrill
