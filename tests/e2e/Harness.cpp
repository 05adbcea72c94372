#include "Harness.h"

#include "win32/Utf.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tavrill::e2e {

namespace {

using Clock = std::chrono::steady_clock;

constexpr Millis kStartTimeout{30000};  // the first start in a new Wine prefix takes ~10 s
constexpr Millis kKeyGap{40};           // lets a menu's or dialog's loop take each key in turn

void PumpOwnMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// The clipboard is opened with a window of the harness's own, never with none.
HWND HarnessWindow() {
    static HWND window =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return window;
}

void Send(std::vector<INPUT> inputs) {
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size())
        throw HarnessError("SendInput was refused (error " + std::to_string(GetLastError()) + ")");
}

// A key by its virtual-key code, or a character when `unicode` is given.
INPUT KeyInput(WORD vk, bool up, wchar_t unicode = 0) {
    bool extended = (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE;
    INPUT in{INPUT_KEYBOARD};
    in.ki.wVk = vk;
    in.ki.wScan = unicode ? unicode : static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (extended ? KEYEVENTF_EXTENDEDKEY : 0) |
                    (unicode ? KEYEVENTF_UNICODE : 0);
    return in;
}

void AddStroke(std::vector<INPUT>& inputs, WORD vk, wchar_t unicode = 0) {
    inputs.push_back(KeyInput(vk, false, unicode));
    inputs.push_back(KeyInput(vk, true, unicode));
}

INPUT MouseInput(POINT screen, DWORD flags) {
    // Absolute mouse coordinates run from 0 to 65535 across the primary screen.
    INPUT in{INPUT_MOUSE};
    in.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return in;
}

std::vector<INPUT> Click(POINT at) {
    return {MouseInput(at, MOUSEEVENTF_MOVE), MouseInput(at, MOUSEEVENTF_LEFTDOWN),
            MouseInput(at, MOUSEEVENTF_LEFTUP)};
}

POINT Middle(HWND window) {
    RECT r = WindowRect(window);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Clicks, and clicks again after SetForegroundWindow: some window managers refuse activation by a
// click that comes too soon after another.
bool ClickToFront(POINT at, HWND window, const std::function<bool()>& inFront) {
    ClickAt(at);
    if (WaitFor(inFront, Millis{2000})) return true;
    SetForegroundWindow(window);
    ClickAt(at);
    return WaitFor(inFront, Millis{3000});
}

std::string WindowsPath(std::string path) {
    if (path.starts_with('/')) path = "Z:" + path;  // a Linux path under Wine
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string ProgramPath(const char* variable, std::string built) {
    if (const char* given = std::getenv(variable); given && *given) return given;
    return WindowsPath(std::move(built));
}

// TAVRILL_E2E_PROGRAM_FOLDER names a folder that holds tavrill.exe and its files (an unzipped
// package); sessions then run the program there instead of a copy in a fresh folder.
std::optional<std::string> GivenProgramFolder() {
    const char* given = std::getenv("TAVRILL_E2E_PROGRAM_FOLDER");
    if (!given || !*given) return std::nullopt;
    std::string folder = WindowsPath(given);
    if (!folder.ends_with('\\')) folder += '\\';
    return folder;
}

// A named CALLBACK rather than a lambda: 32-bit Windows wants __stdcall, which a lambda cannot be.
BOOL CALLBACK Collect(HWND w, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(w);
    return TRUE;
}

// A message box is a "#32770" with a text control of ID 0xFFFF.
HWND FindMessageBox(DWORD processId) {
    for (HWND w : VisibleTopLevelWindows(processId))
        if (GetDlgItem(w, 0xFFFF) && ClassOf(w) == "#32770") return w;
    return nullptr;
}

}  // namespace

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

void ClickAt(POINT screen) {
    Send(Click(screen));
    Pause(Millis{60});
}

void ClickWindow(HWND window) {
    ClickAt(Middle(window));
}

void PressKeys(std::initializer_list<WORD> keys) {
    for (WORD vk : keys) {
        Send({KeyInput(vk, false), KeyInput(vk, true)});
        Pause(kKeyGap);
    }
}

void PressChord(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD vk : keys) inputs.push_back(KeyInput(vk, false));
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) inputs.push_back(KeyInput(*it, true));
    Send(inputs);
    Pause(kKeyGap);
}

void TypeText(std::string_view text) {
    std::vector<INPUT> inputs;
    const std::wstring wide = Widen(text);
    for (size_t i = 0; i < wide.size(); ++i) {
        const wchar_t c = wide[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') ++i;
            AddStroke(inputs, VK_RETURN);
            continue;
        }
        AddStroke(inputs, 0, c);  // a character beyond the basic plane goes as its two halves
    }
    Send(inputs);
    Pause(Millis{100});
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0, copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::wstring text(length + 1, L'\0');
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return {};
    text.resize(std::min<size_t>(copied, length));
    return Narrow(text);
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

bool IsForeground(HWND window) {
    HWND foreground = GetForegroundWindow();
    return foreground && foreground == GetAncestor(window, GA_ROOT);
}

std::vector<HWND> VisibleTopLevelWindows(DWORD processId) {
    std::vector<HWND> all, found;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == processId && IsWindowVisible(w)) found.push_back(w);
    }
    return found;
}

HWND FindDescendantByText(HWND parent, std::string_view text) {
    std::vector<HWND> all;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all) {
        if (WindowText(w) == text) return w;
    }
    return nullptr;
}

void ClearClipboard() {
    // Another program can hold it for a moment (the tool bar, Wine's clipboard manager).
    if (!WaitFor([] { return OpenClipboard(HarnessWindow()) != FALSE; }, Millis{3000}))
        throw HarnessError("cannot open the clipboard");
    EmptyClipboard();
    CloseClipboard();
}

class Process {
public:
    Process(const std::string& exe, const std::string& arguments, const std::string& workingFolder) {
        std::string commandLine = "\"" + exe + "\" " + arguments;
        STARTUPINFOA startup{sizeof startup};
        if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            workingFolder.c_str(), &startup, &info_))
            throw HarnessError("cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")");
        CloseHandle(info_.hThread);
    }
    // WM_CLOSE, unless a message box would keep that from finishing; then by force.
    ~Process() {
        if (!FindMessageBox(Id())) {
            for (HWND w : VisibleTopLevelWindows(Id())) PostMessageA(w, WM_CLOSE, 0, 0);
            WaitForExit(Millis{3000});
        }
        TerminateProcess(info_.hProcess, 1);  // fails, harmlessly, when the program has ended
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hProcess);
    }
    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitForExit(Millis timeout) {
        return WaitFor([&] { return !Running(); }, timeout);
    }

private:
    PROCESS_INFORMATION info_{};
};

namespace {

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw HarnessError("cannot write " + path);
}

std::string EditorArguments(const EditorOptions& options, const std::string& folder) {
    WriteFileBytes(folder + options.fileName, options.text);
    return options.modes + (options.tab ? " --tab \"" : " \"") + folder + options.fileName + "\"";
}

}  // namespace

SampleEditor::SampleEditor(const EditorOptions& options, const std::string& folder)
    : process_(std::make_unique<Process>(ProgramPath("TAVRILL_E2E_EDITOR", TAVRILL_E2E_EDITOR_PATH),
                                         EditorArguments(options, folder), folder)) {
    // "TEditWindow", or "TAppBuilder" docked, or "Window" for another editor.
    auto frame = [&] {
        for (HWND w : VisibleTopLevelWindows(process_->Id()))
            if (ClassOf(w) != "#32770") return w;
        return HWND{};
    };
    if (!WaitFor([&] { return (window_ = frame()) != nullptr; }, kStartTimeout))
        throw HarnessError("the sample editor did not show its window");
}

SampleEditor::~SampleEditor() = default;

HWND SampleEditor::Control() const {
    std::vector<HWND> all;
    EnumChildWindows(window_, Collect, reinterpret_cast<LPARAM>(&all));
    for (HWND w : all) {
        if (GetPropA(w, "SampleEditorControl")) return w;  // in every layout
    }
    throw HarnessError("the sample editor has no editor control");
}

void SampleEditor::Focus() {
    HWND control = Control();
    RECT r = WindowRect(control);
    // Low in the control but above its horizontal scroll bar, clear of any text.
    POINT inside{r.left + 24, r.bottom - GetSystemMetrics(SM_CYHSCROLL) - 12};
    const auto focused = [&] {
        GUITHREADINFO info{sizeof info};
        return IsForeground(window_) && GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
               info.hwndFocus == control;
    };
    if (!ClickToFront(inside, window_, focused))
        throw HarnessError("cannot bring the sample editor to the front");
}

void SampleEditor::SelectAll() {
    Focus();
    PressChord({VK_CONTROL, 'A'});
    const auto all = [&] {
        DWORD_PTR sel = 0;
        return SendMessageTimeoutA(Control(), EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &sel) &&
               LOWORD(sel) == 0 && HIWORD(sel) == Widen(Text()).size();
    };
    if (!WaitFor(all, Millis{2000})) throw HarnessError("Ctrl+A did not select the editor's text");
}

void SampleEditor::Close() {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    if (!process_->WaitForExit(kDefaultTimeout)) throw HarnessError("the sample editor did not close");
}

std::vector<HWND> Dialog::Controls(std::string_view classPrefix) const {
    std::vector<HWND> found;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const std::string cls = ClassOf(c).substr(0, classPrefix.size());
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, cls.data(), static_cast<int>(cls.size()),
                           classPrefix.data(), static_cast<int>(classPrefix.size())) == CSTR_EQUAL)
            found.push_back(c);
    }
    return found;
}

HWND Dialog::Item(std::string_view text) const {
    if (HWND item = FindDescendantByText(window, text)) return item;
    throw HarnessError("the dialog has no \"" + std::string(text) + "\"");
}

bool Dialog::Checked(std::string_view text) const {
    return SendMessageA(Item(text), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Dialog::Closes() const {
    return WaitFor([&] { return !IsWindowVisible(window); });
}

ForeignWindow::ForeignWindow() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        wc.lpszClassName = "TNotesWindow";
        return RegisterClassA(&wc) != 0;
    }();
    window_ = CreateWindowExA(0, "TNotesWindow", "Notes", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 560, 400,
                              200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!registered || !window_) throw HarnessError("cannot create the foreign window");
    PumpOwnMessages();
}

ForeignWindow::~ForeignWindow() {
    DestroyWindow(window_);
    PumpOwnMessages();
}

void ForeignWindow::Activate() {
    if (!ClickToFront(Middle(window_), window_, [&] { return IsForeground(window_); }))
        throw HarnessError("cannot bring the foreign window to the front");
}

WineEditor::WineEditor(const std::string& exe, std::string_view controlClass)
    : process_(std::make_unique<Process>(exe, "", "C:\\")) {
    std::string seen;  // for the message when it is not found
    const auto find = [&] {
        seen.clear();
        for (HWND w : VisibleTopLevelWindows(process_->Id())) {
            std::vector<HWND> all;
            EnumChildWindows(w, Collect, reinterpret_cast<LPARAM>(&all));
            for (HWND c : all) {
                seen += " " + ClassOf(c);
                if (lstrcmpiA(ClassOf(c).c_str(), std::string(controlClass).c_str()) == 0) {
                    window_ = w;
                    control_ = c;
                    return true;
                }
            }
        }
        return false;
    };
    if (!WaitFor(find, kStartTimeout))
        throw HarnessError("cannot find the " + std::string(controlClass) + " of " + exe + " among" + seen);
}

WineEditor::~WineEditor() = default;

void WineEditor::SelectAllOf(std::string_view text) {
    const std::wstring wide = Widen(text);
    SendMessageW(control_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(control_, EM_SETSEL, 0, -1);
}

std::string WineEditor::Text() const {
    std::string text = WindowText(control_);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

void WineEditor::Activate() {
    const auto focused = [&] {
        GUITHREADINFO info{sizeof info};
        return IsForeground(window_) && GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
               info.hwndFocus == control_;
    };
    // A click would move the selection: the frame's caption brings it to the front, the focus
    // is the control's already.
    SetForegroundWindow(window_);
    SetFocus(control_);
    if (!WaitFor(focused) && !ClickToFront(Middle(window_), window_, focused))
        throw HarnessError("cannot bring the Wine editor to the front");
    SendMessageW(control_, EM_SETSEL, 0, -1);
}

Session::Session(SessionOptions options) {
    static int counter = 0;
    char temp[MAX_PATH + 1] = "";
    GetTempPathA(sizeof temp, temp);
    root_ = std::string(temp) + "tavrill-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "-" + std::to_string(GetTickCount()) + "\\";
    sourceFolder_ = root_ + "source\\";
    if (!CreateDirectoryA(root_.c_str(), nullptr)) throw HarnessError("cannot create " + root_);
    CreateDirectoryA(sourceFolder_.c_str(), nullptr);
    if (const std::optional<std::string> given = GivenProgramFolder()) {
        programFolder_ = *given;
    } else {
        programFolder_ = root_ + "program\\";
        CreateDirectoryA(programFolder_.c_str(), nullptr);
        if (!CopyFileA(TavrillExe().c_str(), (programFolder_ + "tavrill.exe").c_str(), FALSE))
            throw HarnessError("cannot copy " + TavrillExe() + " (error " + std::to_string(GetLastError()) +
                               ")");
    }
    for (const auto& [name, bytes] : options.files) WriteProgramFile(name, bytes);
    ClearClipboard();
    if (options.startEditor) StartEditor(options.editor);
    StartToolBar();
}

Session::~Session() {
    toolBar_.reset();
    editors_.clear();
    // A program that has just ended can hold its files for a moment longer.
    WaitFor(
        [&] {
            std::error_code error;
            std::filesystem::remove_all(root_, error);
            return !error;
        },
        Millis{3000});
}

std::optional<std::string> Session::ReadProgramFile(const std::string& name) const {
    std::ifstream in(programFolder_ + name, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Session::WriteProgramFile(const std::string& name, std::string_view bytes) const {
    WriteFileBytes(programFolder_ + name, bytes);
}

SampleEditor& Session::Editor() {
    if (editors_.empty()) throw HarnessError("no sample editor was started");
    return *editors_.back();
}

SampleEditor& Session::StartEditor(const EditorOptions& options) {
    return *editors_.emplace_back(std::make_unique<SampleEditor>(options, sourceFolder_));
}

void Session::StartToolBar() {
    toolBar_ = std::make_unique<Process>(programFolder_ + "tavrill.exe", "", programFolder_);
    if (!WaitFor([&] { return ToolBar() != nullptr; }, kStartTimeout))
        throw HarnessError("the tool bar did not appear");
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

void Session::ChooseFromMenu(std::string_view hint, std::initializer_list<WORD> keys) {
    DWORD pid = ToolBarProcessId();
    auto menuOpen = [&] {
        return std::ranges::any_of(VisibleTopLevelWindows(pid),
                                   [](HWND w) { return ClassOf(w) == "#32768"; });
    };
    // The pointer then moves off the menu, so that no later mouse event moves its highlight.
    std::vector<INPUT> inputs = Click(Middle(Button(hint)));
    inputs.push_back(MouseInput({GetSystemMetrics(SM_CXSCREEN) - 2, 2}, MOUSEEVENTF_MOVE));
    Send(inputs);
    if (!WaitFor(menuOpen)) throw HarnessError("the button \"" + std::string(hint) + "\" opened no menu");
    Pause(Millis{150});
    PressKeys(keys);
    if (!WaitFor([&] { return !menuOpen(); })) {
        PressKeys({VK_ESCAPE, VK_ESCAPE, VK_ESCAPE});
        throw HarnessError("the menu of \"" + std::string(hint) + "\" stayed open after the keys");
    }
}

void Session::Command(std::string_view hint, std::initializer_list<WORD> keys) {
    Editor().SelectAll();
    WaitForTarget();
    if (keys.size() == 0) return ClickButton(hint);
    ChooseFromMenu(hint, keys);
}

void Session::Exit() {
    ChooseFromMenu(kMainButton, {'X'});
    if (!toolBar_->WaitForExit(Millis{10000})) throw HarnessError("the tool bar did not end after Exit");
}

std::string Session::AnswerBox(WORD key) const {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindMessageBox(ToolBarProcessId())) != nullptr; })) return "";
    HWND text = GetDlgItem(box, 0xFFFF);
    const std::string shown = WindowText(box) + "|" + WindowText(text);
    // A user would click the box first; its text is a safe place to click.
    if (!IsForeground(box)) ClickToFront(Middle(text), box, [&] { return IsForeground(box); });
    PressKeys({key});
    if (!WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }))
        throw HarnessError("the message box \"" + shown + "\" did not close");
    return shown;
}

bool Session::NoMessageBoxFor(Millis duration) const {
    return !WaitFor([&] { return FindMessageBox(ToolBarProcessId()) != nullptr; }, duration);
}

HWND Session::WaitForDialog(std::string_view caption, Millis timeout) const {
    HWND found = nullptr;
    auto shown = [&] {
        for (HWND w : VisibleTopLevelWindows(ToolBarProcessId())) {
            if (WindowText(w) == caption) return (found = w) != nullptr;
        }
        return false;
    };
    return WaitFor(shown, timeout) ? found : nullptr;
}

Dialog Session::AwaitDialog(std::string_view caption) const {
    const Dialog d{WaitForDialog(caption)};
    if (!d.window) throw HarnessError("no dialog \"" + std::string(caption) + "\"");
    return d;
}

// With no window manager (Xvfb), Wine makes a program wait two seconds for the manager's answer
// each time it hides a managed window, such as a closing message box; timer ticks and clicks then
// come late. Unmanaged windows are Wine's own business.
void PrepareWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;
    for (const char* exe : {"tavrill.exe", "sample-editor.exe", "tavrill_e2e.exe"}) {
        std::string key = std::string("Software\\Wine\\AppDefaults\\") + exe + "\\X11 Driver";
        RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "Managed", REG_SZ, "N", 2);
    }
}

std::string TavrillExe() {
    return ProgramPath("TAVRILL_E2E_TAVRILL", TAVRILL_E2E_TAVRILL_PATH);
}

}  // namespace tavrill::e2e
