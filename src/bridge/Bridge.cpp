#include "bridge/Bridge.h"

namespace tavrill {
namespace {

constexpr std::string_view kEditorWindowClass = "TEditWindow";
constexpr std::string_view kEditControlClass = "TEditControl";
constexpr std::string_view kTabControlClass = "TTabControl";

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
    if (foreground != target_ && foreground != host_.OwnWindow()) target_ = foreground;
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

void Bridge::FetchText(bool readClipboard) {
    if (editControl_ != kNoWindow && host_.WindowExists(editControl_)) {
        // The clipboard is deliberately not cleared here: if the editor puts
        // nothing on it, the text already there becomes the working text.
        host_.SendCopy(editControl_);
        NoteClipboardUse();
    } else if (target_ == kNoWindow) {
        return;
    } else {
        host_.ClearClipboard();
        NoteClipboardUse();
        if (host_.ClassName(target_) != kEditorWindowClass) {
            NoticeBox("Source window was not a Delphi TEditWindow.", "Could not copy");
            return;
        }
        editControl_ = FindEditControl(target_);
        if (editControl_ != kNoWindow) host_.SendCopy(editControl_);
        NoteClipboardUse();
    }

    if (!readClipboard) return;
    if (host_.ClipboardHasText()) {
        workingText_ = host_.ReadClipboardText();
    } else {
        NoticeBox("No data found on clipboard.", "Empty clipboard?");
    }
}

void Bridge::DeliverText(std::string_view text) {
    host_.WriteClipboardText(text);
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
    if (editControl_ != kNoWindow && host_.WindowExists(editControl_)) host_.SendUndo(editControl_);
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
