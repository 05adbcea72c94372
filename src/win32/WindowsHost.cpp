#include "win32/WindowsHost.h"

#include <string>

#include "win32/Clipboard.h"
#include "win32/Modal.h"

namespace tavrill {
namespace {

HWND H(WindowHandle w) { return reinterpret_cast<HWND>(w); }
WindowHandle W(HWND h) { return reinterpret_cast<WindowHandle>(h); }

}  // namespace

WindowHandle WindowsHost::ForegroundWindow() { return W(GetForegroundWindow()); }

WindowHandle WindowsHost::OwnWindow() { return W(ownWindow_()); }

bool WindowsHost::WindowExists(WindowHandle w) { return w != kNoWindow && IsWindow(H(w)); }

std::string WindowsHost::ClassName(WindowHandle w) {
    char buffer[99] = {};
    const int n = w ? GetClassNameA(H(w), buffer, sizeof buffer) : 0;
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

WindowHandle WindowsHost::FirstChild(WindowHandle w) { return w ? W(GetWindow(H(w), GW_CHILD)) : kNoWindow; }

WindowHandle WindowsHost::NextSibling(WindowHandle w) { return w ? W(GetWindow(H(w), GW_HWNDNEXT)) : kNoWindow; }

std::string WindowsHost::WindowTitle(WindowHandle w) {
    char buffer[128] = {};
    const int n = w ? GetWindowTextA(H(w), buffer, sizeof buffer) : 0;
    return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

// The editor handles these before SendMessage returns, so its selection is on
// the clipboard when FetchText reads it.
void WindowsHost::SendCopy(WindowHandle w) {
    if (w) SendMessageA(H(w), WM_COPY, 0, 0);
}
void WindowsHost::SendPaste(WindowHandle w) {
    if (w) SendMessageA(H(w), WM_PASTE, 0, 0);
}
void WindowsHost::SendUndo(WindowHandle w) {
    if (w) SendMessageA(H(w), WM_UNDO, 0, 0);
}

void WindowsHost::BringToFront(WindowHandle w) {
    // For a child control the window system brings its top-level window forward.
    // The result is deliberately ignored, as are null and dead handles.
    if (!w) return;
    HWND top = GetAncestor(H(w), GA_ROOT);
    SetForegroundWindow(top ? top : H(w));
}

void WindowsHost::ClearClipboard() {
    ClipboardSession cb{ownWindow_()};
    cb.Clear();
}

bool WindowsHost::ClipboardHasText() { return tavrill::ClipboardHasText(); }

std::string WindowsHost::ReadClipboardText() {
    ClipboardSession cb{ownWindow_()};
    return cb.Text();
}

void WindowsHost::WriteClipboardText(std::string_view text) {
    ClipboardSession cb{ownWindow_()};
    if (cb) cb.SetText(text);
}

std::uint32_t WindowsHost::ClipboardSequence() { return GetClipboardSequenceNumber(); }

std::unique_ptr<SavedClipboard> WindowsHost::SaveClipboard() {
    ClipboardSession cb{ownWindow_()};
    if (!cb) return nullptr;
    return ClipboardSnapshot::Take(cb);
}

void WindowsHost::RestoreClipboard(std::unique_ptr<SavedClipboard> saved) {
    auto* snapshot = dynamic_cast<ClipboardSnapshot*>(saved.get());
    ClipboardSession cb{ownWindow_()};
    if (snapshot && cb) snapshot->PutBack(cb);
}

int WindowsHost::Box(std::string_view text, std::string_view caption, UINT flags) {
    const std::string t(text), c(caption);
    ProgramModal modal;
    return MessageBoxA(owner_, t.c_str(), c.c_str(), flags);
}

void WindowsHost::ShowNotice(std::string_view text, std::string_view caption) { Box(text, caption, MB_OK); }

Answer WindowsHost::AskYesNoCancel(std::string_view text, std::string_view caption) {
    switch (Box(text, caption, MB_YESNOCANCEL | MB_DEFBUTTON1)) {
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

bool WindowsHost::AskYesNo(std::string_view text, std::string_view caption) {
    return Box(text, caption, MB_YESNO) == IDYES;
}

}  // namespace tavrill
