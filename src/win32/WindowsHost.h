#pragma once
// The bridge's window system: user32, the clipboard and the keyboard. Text crosses
// here through the wide functions, as UTF-8 on the bridge's side.

#include <windows.h>

#include <functional>

#include "bridge/BridgeHost.h"

namespace tavrill {

class WindowsHost : public BridgeHost {
public:
    // ownWindow gives the tool bar's window at the time of asking; owner is the
    // application window, which owns the message boxes.
    WindowsHost(std::function<HWND()> ownWindow, HWND owner)
        : ownWindow_(std::move(ownWindow)), owner_(owner) {}

    WindowHandle ForegroundWindow() override;
    bool IsOwnWindow(WindowHandle w) override;
    bool WindowExists(WindowHandle w) override;
    std::string ClassName(WindowHandle w) override;
    WindowHandle FirstChild(WindowHandle w) override;
    WindowHandle NextSibling(WindowHandle w) override;
    std::string WindowTitle(WindowHandle w) override;
    bool Contains(WindowHandle outer, WindowHandle inner) override;
    WindowHandle FocusOf(WindowHandle w) override;
    WindowHandle TopLevelOf(WindowHandle w) override;
    bool IsVisible(WindowHandle w) override;
    std::int64_t Area(WindowHandle w) override;
    bool RunsElevated(WindowHandle w) override;
    bool SendCopy(WindowHandle w) override;
    void SendPaste(WindowHandle w) override;
    void SendUndo(WindowHandle w) override;
    void BringToFront(WindowHandle w) override;
    void SendKeystroke(Keystroke k) override;
    void Pause(int milliseconds) override;
    void AwaitInputHandled(WindowHandle w) override;
    std::uint32_t ClipboardSequence() override;
    void ClearClipboard() override;
    bool ClipboardHasText() override;
    std::string ReadClipboardText() override;
    bool WriteClipboardText(std::string_view text) override;
    std::unique_ptr<SavedClipboard> SaveClipboard() override;
    void RestoreClipboard(std::unique_ptr<SavedClipboard> saved) override;
    void ShowNotice(std::string_view text, std::string_view caption) override;
    Answer AskYesNoCancel(std::string_view text, std::string_view caption) override;
    bool AskYesNo(std::string_view text, std::string_view caption) override;

private:
    int Box(std::string_view text, std::string_view caption, UINT flags);

    std::function<HWND()> ownWindow_;
    HWND owner_;
};

}  // namespace tavrill
