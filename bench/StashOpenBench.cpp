// The stash browser must open without a wait on a stash of thousands of snippets,
// and filter it at once while the user types. Prints, for stashes of 100, 1,000
// and 10,000 files of typical size, the best of a few openings: from the start of
// the showing (the folder listed, every file read for the search, the list
// filled) until the list has painted itself, and, apart, the listing alone; then
// one keystroke in the search box, from the changed text until the filtered list
// has painted itself, for a query that keeps almost every row and for one that
// keeps a few. Fails when an opening or a keystroke takes longer than its limit.
// Runs under Wine or Windows.

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "forms/fStash.h"
#include "stash/StashFolder.h"
#include "win32/WindowsHost.h"

namespace {

using namespace tavrill;
using Clock = std::chrono::steady_clock;

constexpr double kLimitMs = 500.0;
constexpr double kKeystrokeLimitMs = 30.0;
constexpr int kRuns = 5;

Clock::time_point lastListPaint;
WNDPROC listProc = nullptr;

LRESULT CALLBACK TimedListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(listProc, hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) lastListPaint = Clock::now();
    return result;
}

HWND browserWindow = nullptr;
HWND searchBox = nullptr;
const wchar_t* query = nullptr;  // typed once the browser is drawn; nothing: closed at once
Clock::time_point keystroke, keystrokeHandled;

// Timers come after every paint, so when this runs the browser is fully drawn.
void CALLBACK CloseBrowser(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageA(browserWindow, WM_CLOSE, 0, 0);
}

// The whole query at once, as one keystroke changes the box: one search, one refill.
void CALLBACK Type(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    keystroke = Clock::now();
    SetWindowTextW(searchBox, query);  // returns once the browser has searched and refilled its list
    keystrokeHandled = Clock::now();
    SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &CloseBrowser);
}

// Names in mixed case and out of order, so that the sort has work to do; one in
// twenty is a program file with the other glyph.
std::string MakeStash(int files) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "tavrill-stash-bench-" + std::to_string(files) + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        const int k = (i * 7919) % files;
        // 300 bytes to about 2 KB, each with a word of its own.
        std::string content = "//TAVRILL:snippet " + std::to_string(k) + " for the ledger\r\nbegin\r\n";
        for (int line = 0; line < 4 + k % 40; ++line) content += "  Inc(Count, $10); // add a row\r\n";
        content += "  Total" + std::to_string(k) + " := Count;\r\nend;\r\n";
        std::string name = (k % 2 ? "Snippet " : "snippet ") + std::to_string(k) + (k % 20 ? ".pas" : ".EXE");
        HANDLE f = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (f == INVALID_HANDLE_VALUE) continue;
        DWORD written = 0;
        WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(f);
    }
    return folder;
}

void RemoveStash(const std::string& folder) {
    WIN32_FIND_DATAA data{};
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA((folder + data.cFileName).c_str());  // "." and ".." simply fail
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main() {
    WindowsHost host([] { return static_cast<HWND>(nullptr); }, nullptr);
    bool tooSlow = false;
    std::printf("%8s  %10s  %12s  %16s  %16s  %16s\n", "files", "first (ms)", "opening (ms)",
                "list+sort (ms)", "key, most (ms)", "key, few (ms)");
    for (const int files : {100, 1000, 10000}) {
        const std::string folder = MakeStash(files);
        TfrmStash browser(host, folder);
        browserWindow = browser.Handle();
        HWND list = FindWindowExA(browserWindow, nullptr, "ListBox", nullptr);
        listProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedListProc)));
        searchBox = FindWindowExA(browserWindow, nullptr, "Edit", nullptr);

        double firstOpen = 0, bestOpen = 1e300, bestList = 1e300, bestMost = 1e300, bestFew = 1e300;
        size_t listed = 0;
        for (int run = 0; run <= kRuns; ++run) {  // the first run only warms up
            query = nullptr;
            SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &CloseBrowser);
            const Clock::time_point start = Clock::now();
            browser.Run();
            const double open = Ms(lastListPaint - start);

            const Clock::time_point listStart = Clock::now();
            listed = ListStash(folder).size();
            const double read = Ms(Clock::now() - listStart);
            double keys[2] = {};
            for (int k = 0; k < 2; ++k) {
                query = k == 0 ? L"LEDGER" : L"total12 ledger";
                SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Type);
                browser.Run();
                // Until the list has painted itself, or has been left alone when nothing changed.
                keys[k] = Ms(std::max(lastListPaint, keystrokeHandled) - keystroke);
            }
            if (run == 0) firstOpen = open;  // every file read; later openings read only what changed
            if (run == 0) continue;
            bestOpen = std::min(bestOpen, open);
            bestList = std::min(bestList, read);
            bestMost = std::min(bestMost, keys[0]);
            bestFew = std::min(bestFew, keys[1]);
        }
        std::printf("%8d  %10.1f  %12.1f  %16.1f  %16.1f  %16.1f%s\n", files, firstOpen, bestOpen, bestList,
                    bestMost, bestFew, listed == static_cast<size_t>(files) ? "" : "  (files missing)");
        tooSlow = tooSlow || bestOpen > kLimitMs;
        tooSlow = tooSlow || bestMost > kKeystrokeLimitMs || bestFew > kKeystrokeLimitMs;
        RemoveStash(folder);
    }
    if (tooSlow)
        std::printf("an opening took longer than %.0f ms or a keystroke longer than %.0f ms\n", kLimitMs,
                    kKeystrokeLimitMs);
    return tooSlow ? 1 : 0;
}
