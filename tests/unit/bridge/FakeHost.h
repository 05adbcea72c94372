#pragma once
// An in-memory window system for the bridge and the command pipelines: a little
// tree of windows with class names, titles and z-ordered children, a clipboard
// that holds text or something else, editors that answer copy, paste and undo
// as messages or as keys typed into the focused window of the foreground, and
// a log of everything sent and every message box shown.

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bridge/BridgeHost.h"

namespace tavrill::testing {

struct FakeWindow {
    std::string className;
    std::string title;
    WindowHandle parent = kNoWindow;
    std::vector<WindowHandle> children;  // top of the z-order first
    bool exists = true;
    // Editor behaviour, for windows that answer copy, paste and undo as an edit
    // control does: the selection is [selStart, selEnd) of the text; copying an
    // empty selection leaves the clipboard alone, pasting replaces the selection.
    std::string text;
    std::size_t selStart = 0;
    std::size_t selEnd = 0;
    bool copiesNothing = false;                                  // ignores copy requests altogether
    bool answersMessages = true;                                 // false: copy, paste and undo only as keys
    std::vector<std::pair<std::string, std::size_t>> undoStack;  // text and caret before a paste
    bool visible = true;
    std::int64_t area = 100;
    bool elevated = false;
    WindowHandle focus = kNoWindow;  // top-level windows: their thread's focus
};

struct Box {
    std::string kind;  // "notice", "question", "yesno"
    std::string text;
    std::string caption;
};

class FakeHost : public BridgeHost {
public:
    // Window tree
    WindowHandle AddWindow(std::string className, std::string title = {}, WindowHandle parent = kNoWindow) {
        const WindowHandle h = nextHandle_++;
        FakeWindow w;
        w.className = std::move(className);
        w.title = std::move(title);
        w.parent = parent;
        windows_[h] = std::move(w);
        if (parent != kNoWindow) windows_.at(parent).children.push_back(h);
        return h;
    }
    // An IDE editor window with an editor control directly under it; returns the control.
    WindowHandle AddEditor(const std::string& selection, std::string title = "Unit1.pas") {
        editorWindow = AddWindow("TEditWindow", std::move(title));
        const WindowHandle control = AddWindow("TEditControl", "", editorWindow);
        SelectAll(control, selection);
        return control;
    }
    // The control holds exactly this text, all of it selected.
    void SelectAll(WindowHandle control, std::string text) {
        FakeWindow& w = Window(control);
        w.text = std::move(text);
        w.selStart = 0;
        w.selEnd = w.text.size();
    }
    // Nothing selected, the caret at the end of the text.
    void CaretAtEnd(WindowHandle control) {
        Window(control).selStart = Window(control).selEnd = Window(control).text.size();
    }
    FakeWindow& Window(WindowHandle h) { return windows_.at(h); }
    void Close(WindowHandle h) {
        Window(h).exists = false;
        for (WindowHandle c : Window(h).children) Close(c);
    }

    // Clipboard; what another program (the user) puts there.
    void SetClipboardText(std::string text) { Change(std::move(text)); }
    void SetClipboardPicture() {  // something, but no text
        Change(std::nullopt);
        picture_ = true;
    }
    std::optional<std::string> Clipboard() const { return clipboard_; }
    bool ClipboardHasPicture() const { return picture_; }
    bool clipboardRefusesText = false;  // another program holds it: writes fail, the old content stays

    // Message boxes: answers are taken from the queue, Cancel/No when it is empty.
    std::deque<Answer> answers;
    std::vector<Box> boxes;
    // "copy 3", "paste 3", "undo 3", "front 3", "keys ctrl+insert 3" (3 has the focus)
    std::vector<std::string> sent;

    WindowHandle foreground = kNoWindow;
    bool foregroundLocked = false;  // BringToFront leaves the foreground as it is
    bool copyDenied = false;        // the system refuses our WM_COPY
    int pausedMs = 0;
    std::vector<WindowHandle> own = {1000};  // the tool bar's windows
    WindowHandle editorWindow = kNoWindow;

    // BridgeHost
    WindowHandle ForegroundWindow() override { return foreground; }
    bool IsOwnWindow(WindowHandle w) override { return std::find(own.begin(), own.end(), w) != own.end(); }
    bool WindowExists(WindowHandle w) override {
        const auto it = windows_.find(w);
        return it != windows_.end() && it->second.exists;
    }
    std::string ClassName(WindowHandle w) override {
        return WindowExists(w) ? windows_.at(w).className.substr(0, 98) : std::string{};
    }
    WindowHandle FirstChild(WindowHandle w) override {
        if (!WindowExists(w)) return kNoWindow;
        for (WindowHandle c : windows_.at(w).children)
            if (WindowExists(c)) return c;
        return kNoWindow;
    }
    WindowHandle NextSibling(WindowHandle w) override {
        if (!WindowExists(w) || windows_.at(w).parent == kNoWindow) return kNoWindow;
        const auto& siblings = windows_.at(windows_.at(w).parent).children;
        bool seen = false;
        for (WindowHandle s : siblings) {
            if (seen && WindowExists(s)) return s;
            if (s == w) seen = true;
        }
        return kNoWindow;
    }
    std::string WindowTitle(WindowHandle w) override {
        return WindowExists(w) ? windows_.at(w).title.substr(0, 127) : std::string{};
    }
    bool Contains(WindowHandle outer, WindowHandle inner) override {
        for (WindowHandle p = Parent(inner); p != kNoWindow; p = Parent(p))
            if (p == outer) return true;
        return false;
    }
    WindowHandle FocusOf(WindowHandle w) override {
        const WindowHandle top = TopLevelOf(w);
        return top == kNoWindow ? kNoWindow : windows_.at(top).focus;
    }
    WindowHandle TopLevelOf(WindowHandle w) override {
        if (!WindowExists(w)) return kNoWindow;
        while (Parent(w) != kNoWindow) w = Parent(w);
        return w;
    }
    bool IsVisible(WindowHandle w) override {
        for (; w != kNoWindow; w = Parent(w))
            if (!WindowExists(w) || !windows_.at(w).visible) return false;
        return true;
    }
    std::int64_t Area(WindowHandle w) override { return WindowExists(w) ? windows_.at(w).area : 0; }
    bool RunsElevated(WindowHandle w) override {
        return WindowExists(TopLevelOf(w)) && Window(TopLevelOf(w)).elevated;
    }

    bool SendCopy(WindowHandle w) override {
        sent.push_back("copy " + std::to_string(w));
        if (copyDenied) return false;
        if (WindowExists(w) && windows_.at(w).answersMessages) Copy(w);
        return true;
    }
    void SendPaste(WindowHandle w) override {
        sent.push_back("paste " + std::to_string(w));
        if (WindowExists(w) && windows_.at(w).answersMessages) Paste(w);
    }
    void SendUndo(WindowHandle w) override {
        sent.push_back("undo " + std::to_string(w));
        if (WindowExists(w) && windows_.at(w).answersMessages) UndoIn(w);
    }
    void BringToFront(WindowHandle w) override {
        sent.push_back("front " + std::to_string(w));
        if (!foregroundLocked && TopLevelOf(w) != kNoWindow) foreground = TopLevelOf(w);
    }
    void SendKeystroke(Keystroke k) override {
        static const char* const kNames[] = {"ctrl+insert", "shift+insert", "ctrl+z", "left"};
        const WindowHandle target = FocusOf(foreground);
        sent.push_back(std::string("keys ") + kNames[static_cast<int>(k)] + " " + std::to_string(target));
        if (!WindowExists(target)) return;
        switch (k) {
            case Keystroke::CtrlInsert:
                return Copy(target);
            case Keystroke::ShiftInsert:
                return Paste(target);
            case Keystroke::CtrlZ:
                return UndoIn(target);
            case Keystroke::Left:
                return;
        }
    }
    void Pause(int milliseconds) override { pausedMs += milliseconds; }

    std::uint32_t ClipboardSequence() override { return sequence_; }
    void ClearClipboard() override { Change(std::nullopt); }
    bool ClipboardHasText() override { return clipboard_.has_value(); }
    std::string ReadClipboardText() override {
        if (!clipboard_) return {};
        return clipboard_->substr(0, clipboard_->find('\0'));
    }
    bool WriteClipboardText(std::string_view text) override {
        if (clipboardRefusesText) return false;
        Change(std::string(text));
        return true;
    }

    void AwaitInputHandled(WindowHandle w) override { sent.push_back("await " + std::to_string(w)); }
    std::unique_ptr<SavedClipboard> SaveClipboard() override {
        return std::make_unique<Saved>(clipboard_, picture_);
    }
    void RestoreClipboard(std::unique_ptr<SavedClipboard> saved) override {
        const auto& s = dynamic_cast<const Saved&>(*saved);
        Change(s.text);
        picture_ = s.picture;
        ++restores;
    }
    int restores = 0;

    void ShowNotice(std::string_view text, std::string_view caption) override {
        boxes.push_back({"notice", std::string(text), std::string(caption)});
    }
    Answer AskYesNoCancel(std::string_view text, std::string_view caption) override {
        boxes.push_back({"question", std::string(text), std::string(caption)});
        return Next(Answer::Cancel);
    }
    bool AskYesNo(std::string_view text, std::string_view caption) override {
        boxes.push_back({"yesno", std::string(text), std::string(caption)});
        return Next(Answer::No) == Answer::Yes;
    }

private:
    struct Saved : SavedClipboard {
        Saved(std::optional<std::string> t, bool p) : text(std::move(t)), picture(p) {}
        std::optional<std::string> text;
        bool picture;
    };
    void Change(std::optional<std::string> text) {
        clipboard_ = std::move(text);
        picture_ = false;
        ++sequence_;
    }
    WindowHandle Parent(WindowHandle w) const {
        const auto it = windows_.find(w);
        return it == windows_.end() ? kNoWindow : it->second.parent;
    }
    void Copy(WindowHandle w) {
        const FakeWindow& win = windows_.at(w);
        if (win.copiesNothing || win.selStart == win.selEnd) return;
        Change(win.text.substr(win.selStart, win.selEnd - win.selStart));
    }
    void Paste(WindowHandle w) {
        if (!clipboard_) return;
        auto& win = windows_.at(w);
        win.undoStack.emplace_back(win.text, win.selStart);
        const std::string pasted = clipboard_->substr(0, clipboard_->find('\0'));
        win.text.replace(win.selStart, win.selEnd - win.selStart, pasted);
        win.selStart = win.selEnd = win.selStart + pasted.size();
    }
    void UndoIn(WindowHandle w) {
        auto& win = windows_.at(w);
        if (win.undoStack.empty()) return;
        win.text = win.undoStack.back().first;
        win.selStart = win.selEnd = win.undoStack.back().second;
        win.undoStack.pop_back();
    }

    Answer Next(Answer fallback) {
        if (answers.empty()) return fallback;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::map<WindowHandle, FakeWindow> windows_;
    WindowHandle nextHandle_ = 1;
    std::optional<std::string> clipboard_;
    bool picture_ = false;
    std::uint32_t sequence_ = 1;
};

}  // namespace tavrill::testing
