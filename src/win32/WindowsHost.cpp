#include "win32/WindowsHost.h"

#include <optional>
#include <string>
#include <vector>

#include "win32/Clipboard.h"
#include "win32/Modal.h"
#include "win32/UniqueHandle.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

HWND H(WindowHandle w) {
    return reinterpret_cast<HWND>(w);
}
WindowHandle W(HWND h) {
    return reinterpret_cast<WindowHandle>(h);
}

// TokenElevation of a process: nothing when it cannot be read.
std::optional<bool> Elevated(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    const UniqueFile owned(token);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size)) return std::nullopt;
    return elevation.TokenIsElevated != 0;
}

INPUT Key(WORD vk, bool up) {
    INPUT in{INPUT_KEYBOARD};
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (vk == VK_INSERT ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

bool Held(int vk) {
    return (GetAsyncKeyState(vk) & 0x8000) != 0;
}

}  // namespace

WindowHandle WindowsHost::ForegroundWindow() {
    return W(GetForegroundWindow());
}

bool WindowsHost::IsOwnWindow(WindowHandle w) {
    DWORD process = 0;
    return w != kNoWindow && GetWindowThreadProcessId(H(w), &process) && process == GetCurrentProcessId();
}

bool WindowsHost::WindowExists(WindowHandle w) {
    return w != kNoWindow && IsWindow(H(w));
}

std::string WindowsHost::ClassName(WindowHandle w) {
    wchar_t buffer[99] = {};
    const int n = w ? GetClassNameW(H(w), buffer, static_cast<int>(std::size(buffer))) : 0;
    return Narrow(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

WindowHandle WindowsHost::FirstChild(WindowHandle w) {
    return w ? W(GetWindow(H(w), GW_CHILD)) : kNoWindow;
}

WindowHandle WindowsHost::NextSibling(WindowHandle w) {
    return w ? W(GetWindow(H(w), GW_HWNDNEXT)) : kNoWindow;
}

std::string WindowsHost::WindowTitle(WindowHandle w) {
    wchar_t buffer[128] = {};
    const int n = w ? GetWindowTextW(H(w), buffer, static_cast<int>(std::size(buffer))) : 0;
    return Narrow(std::wstring_view(buffer, n > 0 ? static_cast<size_t>(n) : 0));
}

bool WindowsHost::Contains(WindowHandle outer, WindowHandle inner) {
    return outer && inner && IsChild(H(outer), H(inner));
}

WindowHandle WindowsHost::FocusOf(WindowHandle w) {
    const DWORD thread = w ? GetWindowThreadProcessId(H(w), nullptr) : 0;
    GUITHREADINFO info{sizeof info};
    return thread && GetGUIThreadInfo(thread, &info) ? W(info.hwndFocus) : kNoWindow;
}

WindowHandle WindowsHost::TopLevelOf(WindowHandle w) {
    return w ? W(GetAncestor(H(w), GA_ROOT)) : kNoWindow;
}

bool WindowsHost::IsVisible(WindowHandle w) {
    return w && IsWindowVisible(H(w));
}

std::int64_t WindowsHost::Area(WindowHandle w) {
    RECT r{};
    if (!w || !GetWindowRect(H(w), &r)) return 0;
    return std::int64_t{r.right - r.left} * std::int64_t{r.bottom - r.top};
}

bool WindowsHost::RunsElevated(WindowHandle w) {
    DWORD process = 0;
    if (!w || !GetWindowThreadProcessId(H(w), &process)) return false;
    // With rights of our own, nobody's messages are dropped on the way.
    if (Elevated(GetCurrentProcess()).value_or(false)) return false;
    const UniqueFile other(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process));
    // A process we may not even look at gets the request all the same; a refused
    // send is told as well.
    return other && Elevated(other.get()).value_or(false);
}

// The editor handles these before SendMessage returns, so its selection is on
// the clipboard when FetchText reads it.
bool WindowsHost::SendCopy(WindowHandle w) {
    if (!w) return true;
    // User Interface Privilege Isolation drops messages to a process with more
    // rights and says so only through the last error.
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-sendmessagew#remarks
    SetLastError(ERROR_SUCCESS);
    SendMessageW(H(w), WM_COPY, 0, 0);
    return GetLastError() != ERROR_ACCESS_DENIED;
}
void WindowsHost::SendPaste(WindowHandle w) {
    if (w) SendMessageW(H(w), WM_PASTE, 0, 0);
}
void WindowsHost::SendUndo(WindowHandle w) {
    if (w) SendMessageW(H(w), WM_UNDO, 0, 0);
}

void WindowsHost::BringToFront(WindowHandle w) {
    // For a child control the window system brings its top-level window forward.
    // The result is deliberately ignored, as are null and dead handles.
    if (!w) return;
    HWND top = GetAncestor(H(w), GA_ROOT);
    SetForegroundWindow(top ? top : H(w));
}

void WindowsHost::SendKeystroke(Keystroke k) {
    std::vector<INPUT> inputs;
    // A modifier the user still holds would turn Ctrl+Insert into another
    // command; let go of them first. A lone Alt or Windows key released would open
    // a menu, so a tap of Ctrl comes before, as the system's own tools do.
    const bool altOrWin = Held(VK_MENU) || Held(VK_LWIN) || Held(VK_RWIN);
    if (altOrWin) inputs.insert(inputs.end(), {Key(VK_CONTROL, false), Key(VK_CONTROL, true)});
    for (const int vk :
         {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN})
        if (Held(vk)) inputs.push_back(Key(static_cast<WORD>(vk), true));

    if (k == Keystroke::Left) {
        inputs.insert(inputs.end(), {Key(VK_LEFT, false), Key(VK_LEFT, true)});
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        return;
    }
    const WORD modifier = k == Keystroke::ShiftInsert ? VK_SHIFT : VK_CONTROL;
    const WORD key = k == Keystroke::CtrlZ ? 'Z' : VK_INSERT;
    inputs.insert(inputs.end(), {Key(modifier, false), Key(key, false), Key(key, true), Key(modifier, true)});
    // A partly refused SendInput (another program's input blocked us) is left
    // as it is: the clipboard's sequence number shows whether the copy worked.
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void WindowsHost::Pause(int milliseconds) {
    // Messages sent to us are answered while waiting: an editor that empties the
    // clipboard we own sends us WM_DESTROYCLIPBOARD and waits for the answer.
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0);
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void WindowsHost::AwaitInputHandled(WindowHandle w) {
    // Typed keys reach the editor's queue a moment after SendInput returns, and a
    // thread answers messages sent to it before it takes its next input. So after
    // a short pause, a second answered WM_NULL comes after the keys were handled.
    constexpr int kKeysSettleMs = 30;
    constexpr UINT kAnswerLimitMs = 500;
    Pause(kKeysSettleMs);
    for (int i = 0; i < 2; ++i) {
        // A hung editor is not waited for; the result does not matter either way.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(H(w), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerLimitMs, &result);
    }
}

std::uint32_t WindowsHost::ClipboardSequence() {
    return GetClipboardSequenceNumber();
}

void WindowsHost::ClearClipboard() {
    ClipboardSession cb{ownWindow_()};
    cb.Clear();
}

bool WindowsHost::ClipboardHasText() {
    return tavrill::ClipboardHasText();
}

std::string WindowsHost::ReadClipboardText() {
    ClipboardSession cb{ownWindow_()};
    return cb.Text();
}

bool WindowsHost::WriteClipboardText(std::string_view text) {
    ClipboardSession cb{ownWindow_()};
    return cb && cb.SetText(text);
}

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
    ProgramModal modal;
    return MessageBoxW(owner_, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

void WindowsHost::ShowNotice(std::string_view text, std::string_view caption) {
    Box(text, caption, MB_OK);
}

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
