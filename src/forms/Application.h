#pragma once
// The application object, the one object of the run: the hidden application
// window that stands for the program on the task bar and owns every other
// window, the program's folders, the window system the editor bridge works
// through, the dialogs and the tool bar.

#include <windows.h>

#include <string>

#include "app/Folders.h"
#include "app/Settings.h"
#include "forms/Dialogs.h"
#include "forms/fMain.h"
#include "win32/Profile.h"
#include "win32/UniqueHandle.h"
#include "win32/WindowsHost.h"

namespace tavrill {

// The hidden application window; every form is owned by it while it lives.
class ApplicationWindow {
public:
    // Throws Error when the window cannot be made.
    ApplicationWindow();
    ~ApplicationWindow();
    ApplicationWindow(const ApplicationWindow&) = delete;
    ApplicationWindow& operator=(const ApplicationWindow&) = delete;

    HWND get() const { return window_.get(); }

private:
    UniqueWindow window_;
};

class Application {
public:
    // Start-up: makes the application window, works out the folders, then the
    // dialogs and the tool bar. Throws when any of them cannot be made; the
    // caller shows the error and the program stops.
    Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the message loop until the tool bar closes, then lets the tool bar
    // save its settings. Returns the program's exit code.
    int Run();

    HWND Window() const { return window_.get(); }

private:
    const Folders& ChooseStash();

    // Destroyed in reverse: the tool bar first, then the dialogs, then the window.
    ApplicationWindow window_;
    Folders folders_;
    IniFile ini_;  // tavrill.ini, beside the program: the one place it is opened
    SettingsStore store_;
    Settings settings_;
    std::string stashFolderProblem_;  // shown once the tool bar is up; empty when there is none
    WindowsHost host_;
    Dialogs dialogs_;
    TForm1 form1_;
};

}  // namespace tavrill
