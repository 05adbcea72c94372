#pragma once
// An in-memory window system for the bridge and the command pipelines: a little
// tree of windows with class names, titles and z-ordered children, a clipboard
// that holds text or something else, editors that answer copy, paste and undo,
// and a log of everything sent and every message box shown.

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
    // Editor behaviour, for windows that answer copy, paste and undo.
    std::string text;
    std::string selection;  // what a copy request puts on the clipboard
    bool copiesNothing = false;
    std::vector<std::string> undoStack;
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
        Window(control).selection = selection;
        Window(control).text = selection;
        return control;
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

    // Message boxes: answers are taken from the queue, Cancel/No when it is empty.
    std::deque<Answer> answers;
    std::vector<Box> boxes;
    std::vector<std::string> sent;  // "copy 3", "paste 3", "undo 3", "front 3"

    WindowHandle foreground = kNoWindow;
    WindowHandle own = 1000;
    WindowHandle editorWindow = kNoWindow;

    // BridgeHost
    WindowHandle ForegroundWindow() override { return foreground; }
    WindowHandle OwnWindow() override { return own; }
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
    void SendCopy(WindowHandle w) override {
        sent.push_back("copy " + std::to_string(w));
        if (!WindowExists(w) || windows_.at(w).copiesNothing) return;
        Change(windows_.at(w).selection);
    }
    void SendPaste(WindowHandle w) override {
        sent.push_back("paste " + std::to_string(w));
        if (!WindowExists(w) || !clipboard_) return;
        auto& win = windows_.at(w);
        win.undoStack.push_back(win.text);
        win.text = *clipboard_;  // the whole text stands for the selection here
        win.selection = *clipboard_;
    }
    void SendUndo(WindowHandle w) override {
        sent.push_back("undo " + std::to_string(w));
        if (!WindowExists(w)) return;
        auto& win = windows_.at(w);
        if (win.undoStack.empty()) return;
        win.text = win.selection = win.undoStack.back();
        win.undoStack.pop_back();
    }
    void BringToFront(WindowHandle w) override { sent.push_back("front " + std::to_string(w)); }

    void ClearClipboard() override { Change(std::nullopt); }
    bool ClipboardHasText() override { return clipboard_.has_value(); }
    std::string ReadClipboardText() override {
        if (!clipboard_) return {};
        return clipboard_->substr(0, clipboard_->find('\0'));
    }
    void WriteClipboardText(std::string_view text) override { Change(std::string(text)); }

    std::uint32_t ClipboardSequence() override { return sequence_; }
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
    std::uint32_t sequence_ = 0;
};

}  // namespace tavrill::testing
