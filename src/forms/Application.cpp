#include "forms/Application.h"

#include <commctrl.h>

#include <exception>

#include "forms/Aboutwin.h"
#include "forms/fMain.h"
#include "forms/fFnCall.h"
#include "forms/fForNext.h"
#include "forms/fProc.h"
#include "forms/findent.h"
#include "forms/fWhile.h"
#include "forms/fSave.h"
#include "forms/fStash.h"

namespace tavrill {
namespace {

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

// Runs one step of start-up or shut-down; an error there is shown in the error
// box and the program goes on, as it does for any handler.
template <class F>
void Guarded(F&& step) {
    try {
        step();
    } catch (const std::exception& e) {
        Form::ShowErrorBox(e.what());
    }
}

}  // namespace

Application::Application() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXA wc{sizeof wc};
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(wc.hInstance, MAKEINTRESOURCEA(1));
    wc.lpszClassName = "TApplication";
    RegisterClassExA(&wc);
    // A visible window of no size: it carries the program's task bar button
    // and owns every other window, so the tool bar itself needs no button.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
    const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
    window_ = CreateWindowExA(0, wc.lpszClassName, kApplicationTitle,
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, x, y, 0, 0,
                              nullptr, nullptr, wc.hInstance, nullptr);
    Form::SetOwnerWindow(window_);
}

Application::~Application() {
    DestroyForms();
    if (window_) DestroyWindow(window_);
}

void Application::CreateForms() {
    // The tool bar first: it works out the folders that later forms read.
    Guarded([&] { form1 = std::make_unique<TForm1>(*this); });
    Guarded([&] { frmIndent = std::make_unique<TfrmIndent>(); });
    Guarded([&] { frmProc = std::make_unique<TfrmProc>(); });
    Guarded([&] { frmWhile = std::make_unique<TfrmWhile>(); });
    Guarded([&] { frmForNext = std::make_unique<TfrmForNext>(); });
    Guarded([&] { frmAbout = std::make_unique<TfrmAbout>(); });
    Guarded([&] { frmSave = std::make_unique<TfrmSave>(); });
    Guarded([&] {
        if (form1) frmStash = std::make_unique<TfrmStash>(form1->bridge().Host(), form1->folders().stash);
    });
    // Loads the function list; writes it back when destroyed.
    Guarded([&] { if (form1) frmFnCall = std::make_unique<TfrmFnCall>(form1->folders().program); });
}

void Application::DestroyForms() {
    if (form1) Guarded([&] { form1->FormDestroy(); });
    frmAbout.reset();
    frmSave.reset();
    frmStash.reset();
    frmIndent.reset();
    frmProc.reset();
    frmWhile.reset();
    frmForNext.reset();
    frmFnCall.reset();
    form1.reset();
}

void Application::Minimize() { ShowWindow(window_, SW_MINIMIZE); }

int Application::Run() {
    CreateForms();
    if (!form1) return 1;
    ShowWindow(form1->Handle(), SW_SHOWNOACTIVATE);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // The non-modal about box gets its keyboard handling (Enter, Tab) too.
        if (frmAbout && frmAbout->Visible() && IsDialogMessageA(frmAbout->Handle(), &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyForms();
    return static_cast<int>(msg.wParam);
}

}  // namespace tavrill
