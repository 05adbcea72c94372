// The stash browser and the command palette must open without a wait on a stash
// of thousands of snippets, and filter it at once while the user types. Prints,
// for stashes of 100, 1,000 and 10,000 files of typical size: the first opening
// of the browser in a run, until its list has painted itself and until the
// worker has read every file; the best of a few later openings, and, apart, the
// listing alone; then one keystroke in the search box, from the changed text
// until the filtered list has painted itself, for a query that keeps almost
// every row and for one that keeps a few. Then the same for the palette: its
// first opening in a run (the stash not listed yet), a later one, and
// keystrokes. Fails when an opening or a keystroke takes longer than its limit.
// Runs under Wine or Windows.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "app/Commands.h"
#include "forms/StashReader.h"
#include "forms/fPalette.h"
#include "forms/fStash.h"
#include "stash/StashFolder.h"
#include "win32/WindowsHost.h"

namespace {

using namespace tavrill;
using Clock = std::chrono::steady_clock;

constexpr double kLimitMs = 300.0;
constexpr double kPaletteLimitMs = 30.0;
constexpr double kKeystrokeLimitMs = 30.0;
constexpr int kRuns = 5;

Clock::time_point firstListPaint, lastListPaint;  // since the last reset of the first

// The list's window procedure, replaced rather than subclassed through comctl32: under Wine its
// subclass chain costs about 0.2 ms on every message, 2 s for 10,000 added rows, which would be
// timed as the list box's own.
WNDPROC listProc = nullptr;

LRESULT CALLBACK TimedListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcW(listProc, hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT) {
        lastListPaint = Clock::now();
        if (firstListPaint == Clock::time_point{}) firstListPaint = lastListPaint;
    }
    return result;
}

void TimeListPaints(HWND form) {
    const HWND list = FindWindowExA(form, nullptr, "ListBox", nullptr);
    listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TimedListProc)));
}

HWND browserWindow = nullptr;
std::function<bool()> waitFor;  // closes only once this holds
HWND searchBox = nullptr;
const wchar_t* query = nullptr;  // typed once the browser is drawn; nothing: closed at once
Clock::time_point keystroke, keystrokeHandled;

// Timers come after every paint, so when this runs the browser is fully drawn.
void CALLBACK CloseBrowser(HWND, UINT, UINT_PTR id, DWORD) {
    if (waitFor && !waitFor()) return;  // the timer comes again
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

struct Figures {
    double first = 0, firstRead = 0, open = 1e300, list = 1e300, most = 1e300, few = 1e300;
};

// Opens the form with `run` (which shows it modally) kRuns + 1 times: the first opening of the run,
// then the best of the others; and types the two queries into it each time.
template <class Show>
Figures Measure(HWND form, const std::function<bool()>& allRead, const wchar_t* most, const wchar_t* few,
                Show show) {
    browserWindow = form;
    searchBox = FindWindowExA(form, nullptr, "Edit", nullptr);
    TimeListPaints(form);
    Figures f;
    for (int run = 0; run <= kRuns; ++run) {
        query = nullptr;
        waitFor = run == 0 ? allRead : nullptr;
        firstListPaint = {};
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &CloseBrowser);
        const Clock::time_point start = Clock::now();
        show();
        waitFor = nullptr;
        const double open = Ms(firstListPaint - start);
        const double readAll = Ms(lastListPaint - start);
        double keys[2] = {};
        for (int k = 0; k < 2; ++k) {
            query = k == 0 ? most : few;
            SetTimer(nullptr, 0, USER_TIMER_MINIMUM, &Type);
            show();
            // Until the list has painted itself, or has been left alone when nothing changed.
            keys[k] = Ms(std::max(lastListPaint, keystrokeHandled) - keystroke);
        }
        if (run == 0) {
            f.first = open;
            f.firstRead = readAll;
            continue;
        }
        f.open = std::min(f.open, open);
        f.most = std::min(f.most, keys[0]);
        f.few = std::min(f.few, keys[1]);
    }
    return f;
}

}  // namespace

int main() {
    WindowsHost host([] { return static_cast<HWND>(nullptr); }, nullptr);
    const ShortcutTable shortcuts(CommandShortcutSlots());
    bool tooSlow = false;
    std::printf("%-8s %6s  %10s  %14s  %12s  %12s  %14s  %14s\n", "", "files", "first (ms)", "all read (ms)",
                "later (ms)", "listing (ms)", "key, most (ms)", "key, few (ms)");
    for (const int files : {100, 1000, 10000}) {
        const std::string folder = MakeStash(files);
        StashCatalog catalog(folder);
        StashReader reader(catalog);
        TfrmStash browser(host, reader);
        const auto allRead = [files](const StashCatalog& c) {
            return c.Index().Size() == static_cast<size_t>(files) && c.Index().Unread().empty();
        };
        Figures b = Measure(
            browser.Handle(), [&] { return allRead(catalog); }, L"LEDGER", L"total12 ledger",
            [&] { browser.Run(); });
        for (int run = 0; run < kRuns; ++run) {
            const Clock::time_point listStart = Clock::now();
            const size_t listed = ListStash(folder).size();
            b.list = std::min(b.list, Ms(Clock::now() - listStart));
            if (listed != static_cast<size_t>(files)) std::printf("(files missing)\n");
        }
        std::printf("%-8s %6d  %10.1f  %14.1f  %12.1f  %12.1f  %14.1f  %14.1f\n", "browser", files, b.first,
                    b.firstRead, b.open, b.list, b.most, b.few);
        tooSlow = tooSlow || b.first > kLimitMs || b.open > kLimitMs;
        tooSlow = tooSlow || b.most > kKeystrokeLimitMs || b.few > kKeystrokeLimitMs;

        // The palette in a run of its own: a catalog not listed yet.
        StashCatalog paletteCatalog(folder);
        StashReader paletteReader(paletteCatalog);
        TfrmPalette palette(paletteReader);
        const Figures p = Measure(
            palette.Handle(), [&] { return allRead(paletteCatalog); }, L"sl", L"total12 ledger",
            [&] {
                palette.Run(shortcuts, POINT{100, 100});
            });
        std::printf("%-8s %6d  %10.1f  %14.1f  %12.1f  %12s  %14.1f  %14.1f\n", "palette", files, p.first,
                    p.firstRead, p.open, "", p.most, p.few);
        tooSlow = tooSlow || p.first > kPaletteLimitMs || p.open > kPaletteLimitMs;
        tooSlow = tooSlow || p.most > kKeystrokeLimitMs || p.few > kKeystrokeLimitMs;
        RemoveStash(folder);
    }
    if (tooSlow)
        std::printf(
            "an opening took longer than its limit (browser %.0f ms, palette %.0f ms) or a keystroke "
            "longer than %.0f ms\n",
            kLimitMs, kPaletteLimitMs, kKeystrokeLimitMs);
    return tooSlow ? 1 : 0;
}
