#include "forms/Application.h"

#include <commctrl.h>

#include <exception>

#include "app/Settings.h"
#include "base/Error.h"
#include "base/Files.h"
#include "win32/Profile.h"

namespace tavrill {
namespace {

constexpr char kApplicationClass[] = "TApplication";

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
            return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

HWND CreateApplicationWindow() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    // Without it the spin boxes' arrows are missing; the forms then fail to make them and say so.
    InitCommonControlsEx(&icc);

    WNDCLASSEXA wc{sizeof wc};
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = kApplicationClass;
    if (!RegisterClassExA(&wc)) throw Error("Cannot register the application window");
    // A visible window of no size: it carries the program's task bar button
    // and owns every other window, so the tool bar itself needs no button.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    HWND window = CreateWindowExA(0, kApplicationClass, kApplicationTitle,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, x, y, 0,
                                  0, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window) throw Error("Cannot create the application window");
    return window;
}

// The folders, the stash where tavrill.ini [Main] StashFolder= puts it. A folder
// that cannot be used leaves its message in `problem` and the default in place.
Folders StartFolders(std::string& problem) {
    Folders folders = FoldersFor(ProgramFilePath());
    IniFile ini(folders.program + "tavrill.ini");
    StashFolderChoice choice = ChooseStashFolder(folders, StashFolderSetting(ini));
    folders.stash = std::move(choice.folder);
    problem = std::move(choice.problem);
    return folders;
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
    : folders_(StartFolders(stashFolderProblem_)),
      host_([this] { return form1_.Handle(); }, window_.get()),  // asked only once the tool bar exists
      dialogs_(host_, folders_),
      form1_(*this, host_, folders_, dialogs_) {
}

void Application::Minimize() {
    ShowWindow(window_.get(), SW_MINIMIZE);
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
