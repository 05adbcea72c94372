#include "Harness.h"

#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tavrill::e2e {

namespace {

using Clock = std::chrono::steady_clock;

constexpr Millis kStartTimeout{30000};  // the first start in a new Wine prefix takes ~10 s
constexpr Millis kKeyGap{40};           // lets a menu's or dialog's loop take each key in turn
constexpr char kForeignClass[] = "TNotesWindow";

// TAVRILL_E2E_TRACE=1 prints every user action with the time since the harness started.
void Trace(const char* format, ...) {
    static const bool on = [] {
        const char* v = std::getenv("TAVRILL_E2E_TRACE");
        return v && *v && *v != '0';
    }();
    if (!on) return;
    static const auto start = Clock::now();
    auto ms = std::chrono::duration_cast<Millis>(Clock::now() - start).count();
    std::fprintf(stderr, "[%7.3f] ", static_cast<double>(ms) / 1000.0);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputc('\n', stderr);
}

void PumpOwnMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The harness's own hidden window: the clipboard is opened with it, never with no window.
HWND HarnessWindow() {
    static HWND window = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TavrillE2EHarness";
        RegisterClassA(&wc);
        HWND w =
            CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
        if (!w) throw HarnessError("cannot create the harness window");
        return w;
    }();
    return window;
}

void Send(std::vector<INPUT>& inputs) {
    if (inputs.empty()) return;
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        throw HarnessError("SendInput was refused (error " + std::to_string(GetLastError()) + ")");
}

bool IsExtendedKey(WORD vk) {
    switch (vk) {
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN:
        case VK_HOME:
        case VK_END:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

INPUT KeyInput(WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    return in;
}

INPUT CharInput(wchar_t c, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wScan = static_cast<WORD>(c);
    in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return in;
}

INPUT MouseInput(POINT screen, DWORD flags) {
    // Absolute mouse coordinates run from 0 to 65535 across the primary screen.
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

DWORD ThreadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(ThreadOf(window), &info)) return nullptr;
    return info.hwndFocus;
}

bool MenuOpen(DWORD processId) {
    for (HWND w : VisibleTopLevelWindows(processId)) {
        if (ClassOf(w) == "#32768") return true;
    }
    return false;
}

// Windows paths from what CMake wrote: under Wine a Linux path /x/y is Z:\x\y.
std::string ToWindowsPath(std::string path) {
    if (path.starts_with('/')) path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ProgramPath(const char* variable, const char* built) {
    if (const char* given = std::getenv(variable); given && *given) return given;
    return ToWindowsPath(built);
}

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

class OpenedClipboard {
public:
    OpenedClipboard() {
        // Another program can hold it for a moment (the tool bar, Wine's clipboard manager).
        if (!WaitFor([] { return OpenClipboard(HarnessWindow()) != FALSE; }, Millis{3000})) {
            throw HarnessError("cannot open the clipboard");
        }
    }
    ~OpenedClipboard() { CloseClipboard(); }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
};

// The byte offset EDIT uses for a position that counts a CR LF as one.
size_t EditOffset(const std::string& text, size_t position) {
    size_t offset = 0;
    for (size_t p = 0; p < position && offset < text.size(); ++p) {
        offset += text.compare(offset, 2, "\r\n") == 0 ? 2 : 1;
    }
    return offset;
}

std::pair<size_t, size_t> EditSelection(HWND control) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(control, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) return {0, 0};
    return {LOWORD(result), HIWORD(result)};
}

}  // namespace

// ---- Waiting

bool WaitFor(const std::function<bool()>& done, Millis timeout) {
    auto end = Clock::now() + timeout;
    for (;;) {
        PumpOwnMessages();
        if (done()) return true;
        if (Clock::now() >= end) return false;
        Sleep(20);
    }
}

void Pause(Millis duration) {
    WaitFor([] { return false; }, duration);
}

// ---- Input

void MoveMouse(POINT screen) {
    std::vector<INPUT> inputs{MouseInput(screen, MOUSEEVENTF_MOVE)};
    Send(inputs);
    Pause(Millis{60});
}

void ClickAt(POINT screen) {
    Trace("click at (%ld, %ld)", screen.x, screen.y);
    std::vector<INPUT> inputs{MouseInput(screen, MOUSEEVENTF_MOVE), MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                              MouseInput(screen, MOUSEEVENTF_LEFTUP)};
    Send(inputs);
    Pause(Millis{60});
}

void ClickWindow(HWND window) {
    RECT r = WindowRect(window);
    ClickAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void PressKeys(std::initializer_list<WORD> keys) {
    for (WORD vk : keys) {
        Trace("key 0x%02X", vk);
        std::vector<INPUT> inputs{KeyInput(vk, false), KeyInput(vk, true)};
        Send(inputs);
        Pause(kKeyGap);
    }
}

void PressChord(std::initializer_list<WORD> keys) {
    Trace("chord of %zu keys, the last 0x%02X", keys.size(), *std::rbegin(keys));
    std::vector<INPUT> inputs;
    for (WORD vk : keys) inputs.push_back(KeyInput(vk, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(KeyInput(*it, true));
    Send(inputs);
    Pause(kKeyGap);
}

void TypeText(std::string_view text) {
    Trace("type \"%.*s\"", static_cast<int>(text.size()), text.data());
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            inputs.push_back(KeyInput(VK_RETURN, false));
            inputs.push_back(KeyInput(VK_RETURN, true));
            continue;
        }
        wchar_t wide = 0;
        MultiByteToWideChar(CP_ACP, 0, &c, 1, &wide, 1);
        inputs.push_back(CharInput(wide, false));
        inputs.push_back(CharInput(wide, true));
    }
    Send(inputs);
    Pause(Millis{100});
}

// ---- Windows

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = "";
    int n = GetClassNameA(window, name, sizeof name);
    return std::string(name, n > 0 ? static_cast<size_t>(n) : 0);
}

RECT WindowRect(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) throw HarnessError("no such window");
    return r;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool IsForeground(HWND window) {
    HWND foreground = GetForegroundWindow();
    return foreground && foreground == GetAncestor(window, GA_ROOT);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    return children;
}

namespace {

// Named CALLBACKs rather than lambdas: 32-bit Windows wants __stdcall, which a lambda cannot be.
struct WindowSearch {
    DWORD processId = 0;
    std::string_view text;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleOfProcess(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == search->processId && IsWindowVisible(w)) search->found.push_back(w);
    return TRUE;
}

BOOL CALLBACK FindByText(HWND w, LPARAM p) {
    auto* search = reinterpret_cast<WindowSearch*>(p);
    if (WindowText(w) != search->text) return TRUE;
    search->found.push_back(w);
    return FALSE;
}

}  // namespace

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    WindowSearch search{.processId = processId};
    EnumWindows(CollectVisibleOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDescendantByText(HWND parent, std::string_view text) {
    WindowSearch search{.text = text};
    EnumChildWindows(parent, FindByText, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

// ---- Clipboard

std::optional<std::string> ClipboardText() {
    OpenedClipboard clipboard;
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return std::nullopt;
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return std::nullopt;
    std::string text(bytes, strnlen(bytes, GlobalSize(data)));
    GlobalUnlock(data);
    return text;
}

void SetClipboardText(std::string_view text) {
    OpenedClipboard clipboard;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!memory) throw HarnessError("out of memory for the clipboard");
    char* bytes = static_cast<char*>(GlobalLock(memory));
    std::copy(text.begin(), text.end(), bytes);
    bytes[text.size()] = '\0';
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) {
        GlobalFree(memory);
        throw HarnessError("cannot put text on the clipboard");
    }
}

void ClearClipboard() {
    OpenedClipboard clipboard;
    EmptyClipboard();
}

// ---- Message boxes

std::optional<MessageBoxInfo> FindMessageBox(DWORD processId) {
    for (HWND w : VisibleTopLevelWindows(processId)) {
        if (ClassOf(w) != "#32770") continue;
        HWND text = GetDlgItem(w, 0xFFFF);
        if (!text) continue;
        return MessageBoxInfo{w, WindowText(w), WindowText(text)};
    }
    return std::nullopt;
}

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Millis timeout) {
    std::optional<MessageBoxInfo> box;
    WaitFor([&] { return (box = FindMessageBox(processId)).has_value(); }, timeout);
    if (box)
        Trace("message box %p \"%s\": \"%s\"", static_cast<void*>(box->window), box->caption.c_str(),
              box->text.c_str());
    return box;
}

void AnswerMessageBox(const MessageBoxInfo& box, WORD key) {
    Trace("answer %p with 0x%02X", static_cast<void*>(box.window), key);
    if (!IsForeground(box.window)) {
        // A user would click the box first; its text is a safe place to click.
        ClickWindow(GetDlgItem(box.window, 0xFFFF));
        if (!WaitFor([&] { return IsForeground(box.window); }, Millis{2000})) {
            SetForegroundWindow(box.window);
        }
    }
    PressKeys({key});
    if (!WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); })) {
        throw HarnessError("the message box \"" + box.caption + "\" did not close");
    }
}

// ---- Files

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw HarnessError("cannot write " + path);
}

TempFolder::TempFolder() {
    static int counter = 0;
    char temp[MAX_PATH + 1] = "";
    if (!GetTempPathA(sizeof temp, temp)) throw HarnessError("no temporary folder");
    path_ = std::string(temp) + "tavrill-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "-" + std::to_string(GetTickCount()) + "\\";
    if (!CreateDirectoryA(path_.c_str(), nullptr)) throw HarnessError("cannot create " + path_);
}

TempFolder::~TempFolder() {
    // A program that has just ended can hold its files for a moment longer.
    WaitFor(
        [&] {
            std::error_code error;
            std::filesystem::remove_all(path_, error);
            return !error;
        },
        Millis{3000});
}

// ---- Processes

Process::Process(const std::string& exe, const std::string& arguments, const std::string& workingFolder) {
    std::string commandLine = Quoted(exe) + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingFolder.c_str(), &startup, &info_)) {
        throw HarnessError("cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")");
    }
    CloseHandle(info_.hThread);
    info_.hThread = nullptr;
}

Process::~Process() {
    End();
    CloseHandle(info_.hProcess);
}

bool Process::Running() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(Millis timeout) {
    return WaitFor([&] { return !Running(); }, timeout);
}

void Process::End(Millis grace) {
    if (!Running()) return;
    // An open message box would keep a polite close from finishing; there is nothing to save then.
    if (!FindMessageBox(Id())) {
        for (HWND w : VisibleTopLevelWindows(Id())) PostMessageA(w, WM_CLOSE, 0, 0);
        if (WaitForExit(grace)) return;
    }
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
}

// ---- Sample editor

SampleEditor::SampleEditor(const EditorOptions& options, const std::string& folder)
    : process_(
          SampleEditorExe(),
          [&] {
              WriteFileBytes(folder + options.fileName, options.text);
              std::string arguments;
              if (options.tab) arguments += "--tab ";
              if (options.tabSecond) arguments += "--tab-second ";
              if (options.second) arguments += "--second ";
              return arguments + Quoted(folder + options.fileName);
          }(),
          folder) {
    bool shown = WaitFor(
        [&] {
            for (HWND w : VisibleTopLevelWindows(process_.Id())) {
                if (ClassOf(w) == "TEditWindow") window_ = w;
            }
            return window_ != nullptr;
        },
        kStartTimeout);
    if (!shown) throw HarnessError("the sample editor did not show its window");
}

HWND SampleEditor::Control(size_t index) const {
    std::vector<HWND> controls;
    for (HWND child : Children(window_)) {
        if (ClassOf(child) == "TEditControl") controls.push_back(child);
        if (ClassOf(child) != "TTabControl") continue;
        for (HWND inner : Children(child)) {
            if (ClassOf(inner) == "TEditControl") controls.push_back(inner);
        }
    }
    if (index >= controls.size())
        throw HarnessError("the sample editor has no editor control " + std::to_string(index));
    return controls[index];
}

void SampleEditor::Focus(size_t index) {
    HWND control = Control(index);
    RECT r = WindowRect(control);
    // Low in the control but above its horizontal scroll bar, clear of any text.
    POINT inside{r.left + 24, r.bottom - GetSystemMetrics(SM_CYHSCROLL) - 12};
    auto focused = [&] { return IsForeground(window_) && FocusOf(window_) == control; };
    ClickAt(inside);
    if (!WaitFor(focused, Millis{2000})) {
        // Some window managers refuse activation by a click that comes too soon after another.
        SetForegroundWindow(window_);
        ClickAt(inside);
        if (!WaitFor(focused, Millis{3000}))
            throw HarnessError("cannot bring the sample editor to the front");
    }
    PressChord({VK_CONTROL, VK_END});
}

void SampleEditor::SelectAll(size_t index) {
    Focus(index);
    PressChord({VK_CONTROL, 'A'});
    HWND control = Control(index);
    size_t length = WindowText(control).size();
    if (!WaitFor(
            [&] {
                return EditSelection(control) == std::pair<size_t, size_t>{0, length};
            },
            Millis{2000})) {
        throw HarnessError("Ctrl+A did not select the editor's text");
    }
}

void SampleEditor::SelectRange(size_t start, size_t length, size_t index) {
    Focus(index);
    PressChord({VK_CONTROL, VK_HOME});
    std::vector<INPUT> inputs;
    for (size_t i = 0; i < start; ++i) {
        inputs.push_back(KeyInput(VK_RIGHT, false));
        inputs.push_back(KeyInput(VK_RIGHT, true));
    }
    inputs.push_back(KeyInput(VK_SHIFT, false));
    for (size_t i = 0; i < length; ++i) {
        inputs.push_back(KeyInput(VK_RIGHT, false));
        inputs.push_back(KeyInput(VK_RIGHT, true));
    }
    inputs.push_back(KeyInput(VK_SHIFT, true));
    Send(inputs);
    HWND control = Control(index);
    std::string text = WindowText(control);
    std::pair<size_t, size_t> wanted{EditOffset(text, start), EditOffset(text, start + length)};
    if (!WaitFor([&] { return EditSelection(control) == wanted; }, Millis{2000})) {
        throw HarnessError("the arrow keys did not select the range");
    }
}

void SampleEditor::Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    if (!process_.WaitForExit(kDefaultTimeout)) throw HarnessError("the sample editor did not close");
}

// ---- Foreign window

ForeignWindow::ForeignWindow(RECT where, std::string_view title) {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = kForeignClass;
        return RegisterClassA(&wc) != 0;
    }();
    if (!registered) throw HarnessError("cannot register the foreign window's class");
    window_ = CreateWindowExA(0, kForeignClass, std::string(title).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              where.left, where.top, where.right - where.left, where.bottom - where.top,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window_) throw HarnessError("cannot create the foreign window");
    PumpOwnMessages();
}

ForeignWindow::~ForeignWindow() {
    DestroyWindow(window_);
    PumpOwnMessages();
}

void ForeignWindow::Activate() {
    ClickWindow(window_);
    if (WaitFor([&] { return IsForeground(window_); }, Millis{2000})) return;
    SetForegroundWindow(window_);
    if (!WaitFor([&] { return IsForeground(window_); }, Millis{2000})) {
        throw HarnessError("cannot bring the foreign window to the front");
    }
}

// ---- Session

Session::Session(SessionOptions options)
    : programFolder_(root_.Path() + "program\\"), sourceFolder_(root_.Path() + "source\\") {
    CreateDirectoryA(programFolder_.c_str(), nullptr);
    CreateDirectoryA(sourceFolder_.c_str(), nullptr);
    std::string exe = TavrillExe();
    if (!CopyFileA(exe.c_str(), (programFolder_ + "tavrill.exe").c_str(), FALSE)) {
        throw HarnessError("cannot copy " + exe + " (error " + std::to_string(GetLastError()) + ")");
    }
    for (const auto& [name, bytes] : options.files) WriteProgramFile(name, bytes);
    ClearClipboard();
    if (options.startEditor) StartEditor(options.editor);
    if (options.startToolBar) StartToolBar();
}

Session::~Session() {
    if (::testing::Test::HasFailure()) Report();
    toolBar_.reset();
    editors_.clear();
}

std::optional<std::string> Session::ReadProgramFile(const std::string& name) const {
    return ReadFileBytes(programFolder_ + name);
}

void Session::WriteProgramFile(const std::string& name, std::string_view bytes) const {
    WriteFileBytes(programFolder_ + name, bytes);
}

SampleEditor& Session::Editor() {
    if (editors_.empty()) throw HarnessError("no sample editor was started");
    return *editors_.back();
}

SampleEditor& Session::StartEditor(const EditorOptions& options) {
    editors_.push_back(std::make_unique<SampleEditor>(options, sourceFolder_));
    return *editors_.back();
}

void Session::StartToolBar() {
    toolBar_ = std::make_unique<Process>(programFolder_ + "tavrill.exe", "", programFolder_);
    if (!WaitFor([&] { return ToolBar() != nullptr; }, kStartTimeout)) {
        throw HarnessError("the tool bar did not appear");
    }
}

bool Session::ToolBarRunning() const {
    return toolBar_ && toolBar_->Running();
}

DWORD Session::ToolBarProcessId() const {
    if (!toolBar_) throw HarnessError("the tool bar was not started");
    return toolBar_->Id();
}

HWND Session::ToolBar() const {
    if (!toolBar_) return nullptr;
    for (HWND w : VisibleTopLevelWindows(toolBar_->Id())) {
        if (ClassOf(w) != "#32770" && FindDescendantByText(w, kMainButton)) return w;
    }
    return nullptr;
}

HWND Session::Button(std::string_view hint) const {
    HWND toolBar = ToolBar();
    HWND button = toolBar ? FindDescendantByText(toolBar, hint) : nullptr;
    if (!button) throw HarnessError("the tool bar has no button \"" + std::string(hint) + "\"");
    return button;
}

bool Session::WaitForToolBarExit(Millis timeout) {
    return !toolBar_ || toolBar_->WaitForExit(timeout);
}

void Session::ClickButton(std::string_view hint) {
    ClickWindow(Button(hint));
}

void Session::ChooseFromMenu(std::string_view hint, std::initializer_list<WORD> keys) {
    Trace("menu of \"%.*s\"", static_cast<int>(hint.size()), hint.data());
    DWORD pid = ToolBarProcessId();
    // The menu opens over its button; the pointer then moves off it, so that a later mouse event
    // cannot move the highlight away from where the keys put it.
    RECT r = WindowRect(Button(hint));
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    POINT rest{GetSystemMetrics(SM_CXSCREEN) - 2, 2};
    std::vector<INPUT> inputs{MouseInput(centre, MOUSEEVENTF_MOVE), MouseInput(centre, MOUSEEVENTF_LEFTDOWN),
                              MouseInput(centre, MOUSEEVENTF_LEFTUP), MouseInput(rest, MOUSEEVENTF_MOVE)};
    Send(inputs);
    if (!WaitFor([&] { return MenuOpen(pid); })) {
        throw HarnessError("the button \"" + std::string(hint) + "\" opened no menu");
    }
    Pause(Millis{150});
    PressKeys(keys);
    if (!WaitFor([&] { return !MenuOpen(pid); })) {
        PressKeys({VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
        throw HarnessError("the menu of \"" + std::string(hint) + "\" stayed open after the keys");
    }
}

void Session::Exit() {
    ChooseFromMenu(kMainButton, {'X'});
    if (!WaitForToolBarExit(Millis{10000})) throw HarnessError("the tool bar did not end after Exit");
}

std::optional<MessageBoxInfo> Session::WaitForMessageBox(Millis timeout) const {
    return e2e::WaitForMessageBox(ToolBarProcessId(), timeout);
}

bool Session::NoMessageBoxFor(Millis duration) const {
    return !WaitForMessageBox(duration).has_value();
}

HWND Session::WaitForDialog(std::string_view caption, Millis timeout) const {
    HWND found = nullptr;
    WaitFor(
        [&] {
            for (HWND w : VisibleTopLevelWindows(ToolBarProcessId())) {
                if (WindowText(w) == caption) found = w;
            }
            return found != nullptr;
        },
        timeout);
    return found;
}

// What was on the screen when a test failed, so that a failure under Xvfb can be understood.
void Session::Report() const noexcept try {
    auto describe = [](const char* who, DWORD pid) {
        for (HWND w : VisibleTopLevelWindows(pid)) {
            RECT r{};
            GetWindowRect(w, &r);
            std::fprintf(stderr, "  %s window %s \"%s\" at (%ld, %ld)-(%ld, %ld)%s%s\n", who,
                         ClassOf(w).c_str(), WindowText(w).c_str(), r.left, r.top, r.right, r.bottom,
                         IsForeground(w) ? " foreground" : "", IsTopmost(w) ? " topmost" : "");
        }
    };
    std::fprintf(stderr, "Screen when the test failed:\n");
    if (toolBar_) describe("tool bar", toolBar_->Id());
    for (const auto& editor : editors_) describe("editor", editor->ProcessId());
    auto clip = ClipboardText();
    std::fprintf(stderr, "  clipboard: %s\n", clip ? ("\"" + *clip + "\"").c_str() : "no text");
} catch (const std::exception& e) {
    std::fprintf(stderr, "  (%s)\n", e.what());
}

// With no window manager (Xvfb), Wine makes a program wait two seconds for the manager's answer
// each time it hides a managed window, such as a closing message box; timer ticks and clicks
// then come late. Unmanaged windows are Wine's own business, with no one to wait for.
void PrepareWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;
    for (const char* exe : {"tavrill.exe", "sample-editor.exe", "tavrill_e2e.exe"}) {
        std::string key = std::string("Software\\Wine\\AppDefaults\\") + exe + "\\X11 Driver";
        HKEY k = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k,
                            nullptr) != ERROR_SUCCESS) {
            continue;
        }
        RegSetValueExA(k, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(k);
    }
}

std::string TavrillExe() {
    return ProgramPath("TAVRILL_E2E_TAVRILL", TAVRILL_E2E_TAVRILL_PATH);
}
std::string SampleEditorExe() {
    return ProgramPath("TAVRILL_E2E_EDITOR", TAVRILL_E2E_EDITOR_PATH);
}

}  // namespace tavrill::e2e
