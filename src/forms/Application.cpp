#include "forms/Application.h"

#include <commctrl.h>

#include <exception>

#include "app/Commands.h"
#include "app/Settings.h"
#include "app/SnippetInsert.h"
#include "base/Error.h"
#include "base/Files.h"
#include "win32/Profile.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

constexpr wchar_t kApplicationClass[] = L"TApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_CLOSE:
            // "Close window" on the task bar button closes the tool bar, which ends the program.
            PostQuitMessage(0);
            return 0;
        case WM_ACTIVATE:
            // Restored from the task bar: hand the activation on to the tool bar.
            if (LOWORD(wParam) != WA_INACTIVE && !IsIconic(hwnd)) {
                if (HWND popup = GetLastActivePopup(hwnd); popup && popup != hwnd) SetActiveWindow(popup);
            }
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

HWND CreateApplicationWindow() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    // Without it the spin boxes' arrows are missing; the forms then fail to make them and say so.
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.lpszClassName = kApplicationClass;
    if (!RegisterClassExW(&wc)) throw Error("Cannot register the application window");
    // A visible window of no size: it carries the program's task bar button
    // and owns every other window, so the tool bar itself needs no button.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    HWND window = CreateWindowExW(0, kApplicationClass, Widen(kApplicationTitle).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, x, y, 0,
                                  0, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) throw Error("Cannot create the application window");
    return window;
}

}  // namespace

ApplicationWindow::ApplicationWindow() : window_(CreateApplicationWindow()) {
    Form::SetOwnerWindow(window_.get());
}

ApplicationWindow::~ApplicationWindow() {
    // Boxes shown after this (a failed start-up) have no owner rather than a dead one.
    Form::SetOwnerWindow(nullptr);
}

Application::Application()
    : folders_(FoldersFor(ProgramFilePath())),
      ini_(folders_.program + "tavrill.ini"),
      store_(ini_, ini_.Path()),
      settings_(store_.Load()),
      host_([this] { return form1_.Handle(); }, window_.get()),  // asked only once the tool bar exists
      dialogs_(host_, ChooseStash()),
      form1_(host_, settings_, store_, folders_, dialogs_) {
}

const Folders& Application::ChooseStash() {
    // The stash where [Main] StashFolder= puts it; a folder that cannot be used
    // leaves its message and the default in place. Then the shortcuts, which
    // may name the stash's snippets.
    StashFolderChoice choice = ChooseStashFolder(folders_, settings_.stashFolder);
    folders_.stash = std::move(choice.folder);
    stashFolderProblem_ = std::move(choice.problem);
    settings_.shortcuts = store_.LoadShortcuts(AllShortcutSlots(folders_.stash));
    return folders_;
}

int Application::Run() {
    ShowWindow(form1_.Handle(), SW_SHOWNOACTIVATE);
    if (!stashFolderProblem_.empty()) Form::ShowErrorBox(stashFolderProblem_);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {  // wide, for the Unicode controls
        // The non-modal about box gets its keyboard handling (Enter, Tab) too.
        const TfrmAbout& about = dialogs_.frmAbout;
        if (about.Visible() && IsDialogMessageW(about.Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // An error here is shown like any handler's, and the program ends as usual.
    try {
        form1_.FormDestroy();
    } catch (const std::exception& e) {
        Form::ShowErrorBox(e.what());
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace tavrill
