#include "bridge/Bridge.h"

#include <algorithm>

namespace tavrill {
namespace {

constexpr std::string_view kEditorWindowClass = "TEditWindow";
constexpr std::string_view kAppBuilderClass = "TAppBuilder";
constexpr std::string_view kEditControlClass = "TEditControl";
constexpr std::string_view kTabControlClass = "TTabControl";

constexpr std::string_view kNotAnEditor = "Source window was not a Delphi TEditWindow.";
constexpr std::string_view kCouldNotCopy = "Could not copy";
constexpr std::string_view kRunsAsAdministrator =
    "The editor runs as administrator. Start Delphi Tavrill as administrator too.";

// An editor answers a typed Ctrl+Insert within a few of its message loop's
// turns; a busy one gets this long before the bridge goes on without it.
constexpr int kKeyCopyWaitMs = 400;
constexpr int kPollMs = 20;
// SetForegroundWindow may take a moment to reach the window system.
constexpr int kFrontWaitMs = 100;
// A window tree larger than this is not an editor's; the walk stops there
// rather than follow a tree that changes under it for ever.
constexpr size_t kMaxWindowsWalked = 20000;
// Remembered focus entries of closed windows are dropped beyond this many.
constexpr size_t kFocusMemory = 32;

bool Holds(const std::vector<WindowHandle>& windows, WindowHandle w) {
    return std::find(windows.begin(), windows.end(), w) != windows.end();
}

}  // namespace

void Bridge::TakeTarget(WindowHandle foreground) {
    if (lockedWindow_ != kNoWindow) {
        target_ = lockedWindow_;
        editControl_ = lockedWindow_;
        return;
    }
    // Only the tool bar itself is passed over: the program's dialogs and message
    // boxes become the target like any other window. That is harmless, since a
    // running command pastes into the edit control, not into the target.
    if (foreground == host_.OwnWindow()) return;
    if (foreground != target_) target_ = foreground;
    if (foreground != kNoWindow) RememberFocus(foreground);
}

void Bridge::RememberFocus(WindowHandle window) {
    // While the tool bar runs a command the editor is in the background, where
    // its thread need not report a focus any more; so it is noted here, while
    // the user works in it.
    const WindowHandle focus = host_.FocusOf(window);
    if (focus == kNoWindow || (focus != window && !host_.Contains(window, focus))) return;
    if (lastFocus_.size() >= kFocusMemory) {
        std::erase_if(lastFocus_, [&](const auto& entry) { return !host_.WindowExists(entry.first); });
    }
    if (lastFocus_.size() < kFocusMemory || lastFocus_.contains(window)) lastFocus_[window] = focus;
}

void Bridge::SetAnyEditor(bool on) {
    anyEditor_ = on;
    if (!on && DrivenByKeys() && host_.ClassName(editControl_) != kEditControlClass) editControl_ = kNoWindow;
}

WindowHandle Bridge::FindEditControl(WindowHandle editorWindow) {
    // The IDE keeps its editor control either directly under the editor window or
    // as the first child of a tab control; only those two places are searched.
    WindowHandle tabControl = kNoWindow;
    for (WindowHandle child = host_.FirstChild(editorWindow); child != kNoWindow;
         child = host_.NextSibling(child)) {
        const std::string cls = host_.ClassName(child);
        if (cls == kEditControlClass) return child;
        if (cls == kTabControlClass) tabControl = child;  // the last one wins
    }
    if (tabControl != kNoWindow) {
        const WindowHandle first = host_.FirstChild(tabControl);
        if (first != kNoWindow && host_.ClassName(first) == kEditControlClass) return first;
    }
    return kNoWindow;
}

std::vector<WindowHandle> Bridge::EditControlsUnder(WindowHandle root) {
    // Depth first, each level in z-order, so ties go to the control higher up.
    std::vector<WindowHandle> found;
    std::vector<WindowHandle> pending{host_.FirstChild(root)};
    for (size_t walked = 0; !pending.empty() && walked < kMaxWindowsWalked;) {
        const WindowHandle w = pending.back();
        pending.pop_back();
        if (w == kNoWindow) continue;
        ++walked;
        pending.push_back(host_.NextSibling(w));
        pending.push_back(host_.FirstChild(w));
        if (host_.ClassName(w) == kEditControlClass) found.push_back(w);
    }
    return found;
}

WindowHandle Bridge::FindDockedEditControl(WindowHandle ideWindow) {
    const std::vector<WindowHandle> controls = EditControlsUnder(ideWindow);
    if (const WindowHandle focus = host_.FocusOf(ideWindow); focus != kNoWindow && Holds(controls, focus))
        return focus;

    std::vector<WindowHandle> visible;
    std::copy_if(controls.begin(), controls.end(), std::back_inserter(visible),
                 [&](WindowHandle c) { return host_.IsVisible(c); });
    if (const auto it = lastFocus_.find(ideWindow); it != lastFocus_.end() && Holds(visible, it->second))
        return it->second;

    // Several files open side by side: the one with most room is the main view.
    WindowHandle largest = kNoWindow;
    std::int64_t largestArea = -1;
    for (const WindowHandle c : visible) {
        const std::int64_t area = host_.Area(c);
        if (area > largestArea) {
            largest = c;
            largestArea = area;
        }
    }
    return largest;
}

WindowHandle Bridge::FindFocusedControl(WindowHandle window) {
    const WindowHandle focus = host_.FocusOf(window);
    if (focus != kNoWindow && (focus == window || host_.Contains(window, focus))) return focus;
    if (const auto it = lastFocus_.find(window); it != lastFocus_.end() && host_.WindowExists(it->second))
        return it->second;
    return window;  // keystrokes go to wherever the window keeps its keyboard
}

bool Bridge::RefusedForRights(WindowHandle w) {
    if (!host_.RunsElevated(w)) return false;
    NoticeBox(kRunsAsAdministrator, kCouldNotCopy);
    return true;
}

bool Bridge::LocateUnderTarget() {
    const std::string cls = host_.ClassName(target_);
    const bool ideWindow = cls == kEditorWindowClass || cls == kAppBuilderClass;
    // A window whose class cannot be read (a closed one) is nobody's editor.
    if (!ideWindow && (!anyEditor_ || cls.empty())) {
        host_.ClearClipboard();
        NoticeBox(kNotAnEditor, kCouldNotCopy);
        return false;
    }
    if (RefusedForRights(target_)) return false;
    host_.ClearClipboard();
    if (!ideWindow) {
        editControl_ = keysControl_ = FindFocusedControl(target_);
        return true;
    }
    editControl_ = FindEditControl(target_);
    if (editControl_ == kNoWindow) editControl_ = FindDockedEditControl(target_);
    return true;
}

bool Bridge::Type(WindowHandle control, Keystroke k) {
    host_.BringToFront(control);
    const WindowHandle window = host_.TopLevelOf(control);
    if (window == kNoWindow) return false;  // closed meanwhile: no window to type into
    for (int waited = 0; host_.ForegroundWindow() != window; waited += kPollMs) {
        // Keys go wherever the keyboard is, so never into a window the user has
        // switched to meanwhile, nor one that kept the front against our request.
        if (waited >= kFrontWaitMs) return false;
        host_.Pause(kPollMs);
    }
    host_.SendKeystroke(k);
    return true;
}

bool Bridge::CopyByKeys(WindowHandle control) {
    const std::uint32_t before = host_.ClipboardSequence();
    if (!Type(control, Keystroke::CtrlInsert)) return false;
    for (int waited = 0; waited < kKeyCopyWaitMs; waited += kPollMs) {
        host_.Pause(kPollMs);
        if (host_.ClipboardSequence() != before) return true;
    }
    return false;
}

bool Bridge::Copy(WindowHandle control) {
    if (control == keysControl_) {
        CopyByKeys(control);
        return true;
    }
    const std::uint32_t before = host_.ClipboardSequence();
    if (!host_.SendCopy(control)) {
        NoticeBox(kRunsAsAdministrator, kCouldNotCopy);
        return false;
    }
    // An unchanged clipboard means an empty selection, or a control that does
    // not take the request from another program; a typed Ctrl+Insert tells
    // which. Either way an unchanged clipboard then keeps its classic meaning.
    if (host_.ClipboardSequence() == before && CopyByKeys(control)) keysControl_ = control;
    return true;
}

void Bridge::FetchText(bool readClipboard) {
    if (editControl_ != kNoWindow && host_.WindowExists(editControl_)) {
        if (RefusedForRights(editControl_)) return;
        // The clipboard is deliberately not cleared here: if the editor puts
        // nothing on it, the text already there becomes the working text.
        const bool copied = Copy(editControl_);
        NoteClipboardUse();
        if (!copied) return;
    } else if (target_ == kNoWindow) {
        return;
    } else {
        const bool located = LocateUnderTarget();
        NoteClipboardUse();  // emptied, unless the message told the user why not
        if (!located) return;
        const bool copied = editControl_ == kNoWindow || Copy(editControl_);
        NoteClipboardUse();
        if (!copied) return;
    }

    if (!readClipboard) return;
    if (host_.ClipboardHasText()) {
        workingText_ = host_.ReadClipboardText();
    } else {
        NoticeBox("No data found on clipboard.", "Empty clipboard?");
    }
}

void Bridge::DeliverText(std::string_view text) {
    if (!host_.WriteClipboardText(text)) {
        NoteClipboardUse();  // it may have been emptied on the way: Keep my clipboard puts it back
        NoticeBox("Could not put the text on the clipboard.", "Could not paste");
        return;
    }
    if (DrivenByKeys()) {
        // Typed keys are handled after this returns; a clipboard that is to be
        // put back must wait until the editor has pasted from it.
        const bool typed = Type(editControl_, Keystroke::ShiftInsert);
        if (typed && savedClipboard_) host_.AwaitInputHandled(editControl_);
        NoteClipboardUse();
        return;  // Type leaves the editor in front
    }
    if (editControl_ != kNoWindow) host_.SendPaste(editControl_);
    NoteClipboardUse();
    host_.BringToFront(editControl_);
}

void Bridge::BeginCommand() {
    clipboardUsed_ = false;
    savedClipboard_ = keepClipboard_ ? host_.SaveClipboard() : nullptr;
}

void Bridge::EndCommand() {
    auto saved = std::move(savedClipboard_);
    if (saved && clipboardUsed_ && host_.ClipboardSequence() == ownClipboardSequence_)
        host_.RestoreClipboard(std::move(saved));
}

void Bridge::NoteClipboardUse() {
    clipboardUsed_ = true;
    ownClipboardSequence_ = host_.ClipboardSequence();
}

void Bridge::Undo() {
    if (editControl_ == kNoWindow || !host_.WindowExists(editControl_)) return;
    if (DrivenByKeys()) {
        Type(editControl_, Keystroke::CtrlZ);
    } else {
        host_.SendUndo(editControl_);
    }
}

std::optional<bool> Bridge::LockToWindow() {
    FetchText(false);
    const std::string title = host_.WindowTitle(target_);
    const std::string question = "Would you like to lock the Tavrill to the window \"" + title +
                                 "\"?  Clicking NO will unlock Tavrill from its current window.";
    switch (QuestionBox(question, "Lock to Window")) {
        case Answer::Yes:
            lockedWindow_ = editControl_;
            return true;
        case Answer::No:
            lockedWindow_ = kNoWindow;
            return false;
        case Answer::Cancel:
            break;
    }
    return std::nullopt;
}

}  // namespace tavrill
