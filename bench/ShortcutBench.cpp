// A shortcut must cost little more than the editor's own copy and paste. For a
// 10 KB selection in the sample editor (and Format selection on a 10,000-line unit), prints the
// median of a few runs of
//   - the editor's own copy and paste: WM_COPY and WM_PASTE sent to its control;
//   - Ctrl+Alt+Shift+U typed with SendInput until the upper-case text is in the
//     editor, with Keep my clipboard off and on;
// and the difference. Runs under Wine or Windows; tavrill.exe and
// sample-editor.exe are taken from this program's folder and run from a fresh
// temporary folder.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 15;
constexpr size_t kSelectionBytes = 10 * 1024;

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

std::string ThisFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return Folder(path);
}

struct Found {
    DWORD process;
    const char* cls;
    HWND window;
};

BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM param) {
    auto* f = reinterpret_cast<Found*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    if (process != f->process || std::string(cls) != f->cls || !IsWindowVisible(hwnd)) return TRUE;
    f->window = hwnd;
    return FALSE;
}

// Starts the program and waits for its top-level window of that class.
HWND Start(const std::string& exe, const std::string& args, const std::string& folder, const char* cls,
           PROCESS_INFORMATION& pi) {
    std::string line = "\"" + exe + "\" " + args;
    STARTUPINFOA si{sizeof si};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &pi))
        return nullptr;
    Found f{pi.dwProcessId, cls, nullptr};
    for (int i = 0; i < 200 && !f.window; ++i) {
        Sleep(50);
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&f));
    }
    return f.window;
}

void Stop(PROCESS_INFORMATION& pi) {
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

char FirstChar(HWND control) {
    char buffer[2] = "";
    SendMessageA(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer[0];
}

void Select(HWND editor, HWND control, const std::string& text) {
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(control, EM_SETSEL, 0, -1);
    SetForegroundWindow(editor);  // the editor keeps the keyboard in its one control
    Sleep(100);
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double EditorCopyPaste(HWND editor, HWND control, const std::string& text) {
    Select(editor, control, text);
    const auto start = Clock::now();
    SendMessageA(control, WM_COPY, 0, 0);
    SendMessageA(control, WM_PASTE, 0, 0);
    return Ms(Clock::now() - start);
}

// Whether the editor shows the command's result: its text is handled whole between messages.
using Done = bool (*)(HWND control, const std::string& before);

bool Upper(HWND control, const std::string&) {
    return FirstChar(control) == 'U';
}

bool LengthChanged(HWND control, const std::string& before) {
    return static_cast<size_t>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) != before.size();
}

double ShortcutToPasted(HWND editor, HWND control, const std::string& text, WORD key, Done done) {
    Select(editor, control, text);
    INPUT keys[8] = {};
    const WORD vk[] = {VK_CONTROL, VK_MENU, VK_SHIFT, key};
    for (int k = 0; k < 4; ++k) {
        keys[k].type = keys[7 - k].type = INPUT_KEYBOARD;
        keys[k].ki.wVk = keys[7 - k].ki.wVk = vk[k];
        keys[7 - k].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    const auto start = Clock::now();
    SendInput(8, keys, sizeof(INPUT));
    while (!done(control, text) && Clock::now() - start < std::chrono::seconds(5)) {
    }
    return Ms(Clock::now() - start);
}

// The two measured in turns, so that a busy machine weighs on both alike.
void Measure(HWND editor, HWND control, const std::string& text, const char* what, WORD key, Done done) {
    std::vector<double> own, shortcut, over;
    for (int i = 0; i < kRuns; ++i) {
        own.push_back(EditorCopyPaste(editor, control, text));
        shortcut.push_back(ShortcutToPasted(editor, control, text, key, done));
        over.push_back(shortcut.back() - own.back());
    }
    std::printf(
        "%s: editor's own copy and paste %.1f ms, shortcut to pasted %.1f ms, difference %+.1f ms "
        "(medians)\n",
        what, Median(own), Median(shortcut), Median(over));
}

}  // namespace

int main() {
    const std::string bin = ThisFolder();
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "tavrill-shortcut-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA((bin + "tavrill.exe").c_str(), (folder + "tavrill.exe").c_str(), FALSE);

    // Lines of Object Pascal, all lower case, so that the upper-case result shows at its first byte.
    std::string text;
    while (text.size() < kSelectionBytes) text += "unit_var := some_func(x, 'text') + 42;\r\n";
    text.resize(kSelectionBytes);
    std::ofstream(folder + "Unit1.pas", std::ios::binary) << text;

    PROCESS_INFORMATION editorProcess{};
    HWND editor =
        Start(bin + "sample-editor.exe", "\"" + folder + "Unit1.pas\"", folder, "TEditWindow", editorProcess);
    HWND control = editor ? FindWindowExA(editor, nullptr, "TEditControl", nullptr) : nullptr;
    if (!control) {
        std::puts("the sample editor did not start");
        return 1;
    }
    std::printf("selection: %zu bytes, %d runs of each\n", text.size(), kRuns);

    for (const bool keep : {false, true}) {
        std::ofstream(folder + "tavrill.ini", std::ios::binary)
            << "[Main]\r\nKeepClipboard=" << keep << "\r\n";
        PROCESS_INFORMATION toolBar{};
        if (!Start(folder + "tavrill.exe", "", folder, "TForm1", toolBar)) {
            std::puts("the tool bar did not start");
            return 1;
        }
        Measure(editor, control, text,
                keep ? "UPPER CASE, Keep my clipboard on " : "UPPER CASE, Keep my clipboard off", 'U', Upper);
        if (!keep) {
            // Format selection over a whole unit of 10,000 lines, every one of which it re-spaces.
            std::string unit;
            for (int line = 0; line < 10000; ++line) unit += "x:=some_func(a,b)+42;\r\n";
            Measure(editor, control, unit, "Format selection, 10,000 lines", 'D', LengthChanged);
        }
        Stop(toolBar);
    }
    Stop(editorProcess);
    return 0;
}
