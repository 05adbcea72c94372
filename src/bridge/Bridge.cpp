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
constexpr std::string_view kNoData = "No data found on clipboard.";
constexpr std::string_view kEmptyClipboard = "Empty clipboard?";
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
        return;
    }
    // The tool bar, its dialogs, boxes and menus are passed over, and so is a
    // moment without any foreground window: the editor stays the target.
    if (foreground == kNoWindow || host_.IsOwnWindow(foreground)) return;
    target_ = foreground;
    RememberFocus(foreground);
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
    if (!on && controlFromAnyEditor_) editControl_ = controlTarget_ = kNoWindow;
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

bool Bridge::Locate() {
    if (lockedWindow_ != kNoWindow) {
        // A locked window that has closed is reported like any other non-editor,
        // never driven by keys that would land elsewhere.
        if (!host_.WindowExists(lockedWindow_)) {
            NoticeBox(kNotAnEditor, kCouldNotCopy);
            return false;
        }
        editControl_ = lockedWindow_;
        return !RefusedForRights(editControl_);
    }
    if (target_ == kNoWindow) return false;
    // The control found before serves only while the user stays in the window
    // it was found under: after a move to another editor, that one is served.
    if (editControl_ != kNoWindow && controlTarget_ == target_ && host_.WindowExists(editControl_))
        return !RefusedForRights(editControl_);
    return LocateUnderTarget();
}

bool Bridge::LocateUnderTarget() {
    editControl_ = controlTarget_ = kNoWindow;
    const std::string cls = host_.ClassName(target_);
    const bool ideWindow = cls == kEditorWindowClass || cls == kAppBuilderClass;
    // A window whose class cannot be read (a closed one) is nobody's editor.
    if (!ideWindow && (!anyEditor_ || cls.empty())) {
        NoticeBox(kNotAnEditor, kCouldNotCopy);
        return false;
    }
    if (RefusedForRights(target_)) return false;
    WindowHandle control = kNoWindow;
    if (ideWindow) {
        control = FindEditControl(target_);
        if (control == kNoWindow) control = FindDockedEditControl(target_);
    } else {
        control = FindFocusedControl(target_);
    }
    if (control == kNoWindow) {
        NoticeBox(kNoData, kEmptyClipboard);
        return false;
    }
    editControl_ = control;
    controlTarget_ = target_;
    controlFromAnyEditor_ = !ideWindow;
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

Bridge::Copied Bridge::Copy(WindowHandle control) {
    if (keysControls_.contains(control)) return CopyByKeys(control) ? Copied::Text : Copied::Nothing;
    const std::uint32_t before = host_.ClipboardSequence();
    if (!host_.SendCopy(control)) {
        NoticeBox(kRunsAsAdministrator, kCouldNotCopy);
        return Copied::Refused;
    }
    if (host_.ClipboardSequence() != before) {
        answeringControls_.insert(control);
        return Copied::Text;
    }
    // A control known to answer has nothing selected. Any other may not take the
    // request from another program: a typed Ctrl+Insert tells.
    if (answeringControls_.contains(control)) return Copied::Nothing;
    if (!CopyByKeys(control)) return Copied::Nothing;
    keysControls_.insert(control);
    return Copied::Text;
}

bool Bridge::FindEditor() {
    return Locate();
}

std::optional<std::string> Bridge::FetchSelection() {
    if (!Locate()) return std::nullopt;
    switch (Copy(editControl_)) {
        case Copied::Refused:
            return std::nullopt;
        case Copied::Nothing:
            return std::string();
        case Copied::Text:
            break;
    }
    NoteClipboardUse();
    if (!host_.ClipboardHasText()) {
        NoticeBox(kNoData, kEmptyClipboard);
        return std::nullopt;
    }
    return host_.ReadClipboardText();
}

bool Bridge::Deliver(std::string_view text) {
    if (editControl_ == kNoWindow || !host_.WindowExists(editControl_)) return false;
    if (!host_.WriteClipboardText(text)) {
        NoteClipboardUse();  // it may have been emptied on the way: Keep my clipboard puts it back
        NoticeBox("Could not put the text on the clipboard.", "Could not paste");
        return false;
    }
    if (DrivenByKeys()) {
        // Typed keys are handled after this returns; a clipboard that is to be
        // put back must wait until the editor has pasted from it.
        const bool typed = Type(editControl_, Keystroke::ShiftInsert);
        if (typed && savedClipboard_) host_.AwaitInputHandled(editControl_);
        NoteClipboardUse();
        return typed;  // Type leaves the editor in front
    }
    host_.SendPaste(editControl_);
    NoteClipboardUse();
    host_.BringToFront(editControl_);
    return true;
}

bool Bridge::MoveCaretLeft(std::size_t presses) {
    if (presses == 0) return true;
    if (editControl_ == kNoWindow || !host_.WindowExists(editControl_)) return false;
    if (!Type(editControl_, Keystroke::Left)) return false;
    for (std::size_t i = 1; i < presses; ++i) host_.SendKeystroke(Keystroke::Left);
    return true;
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
    const bool found = Locate();
    const std::string title = host_.WindowTitle(target_);
    const std::string question = "Would you like to lock the Tavrill to the window \"" + title +
                                 "\"?  Clicking NO will unlock Tavrill from its current window.";
    switch (host_.AskYesNoCancel(question, "Lock to Window")) {
        case Answer::Yes:
            lockedWindow_ = found ? editControl_ : kNoWindow;
            return Locked();
        case Answer::No:
            lockedWindow_ = kNoWindow;
            return false;
        case Answer::Cancel:
            break;
    }
    return std::nullopt;
}

}  // namespace tavrill
