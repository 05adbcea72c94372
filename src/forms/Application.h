#pragma once
// The application object: the hidden application window that stands for the
// program on the task bar and owns every other window, and the program's forms,
// created once at start-up in a fixed order and destroyed at the end.

#include <windows.h>

#include <memory>
#include <string>

namespace tavrill {

class TForm1;
class TfrmAbout;
class TfrmSave;
class TfrmStash;
class TfrmIndent;
class TfrmProc;
class TfrmWhile;
class TfrmForNext;
class TfrmFnCall;

class Application {
public:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Creates the forms, runs the message loop until the tool bar closes, and
    // destroys the forms again. Returns the program's exit code.
    int Run();

    // Minimizes the whole program to its task bar button.
    void Minimize();

    HWND Window() const { return window_; }
    std::string helpFile = "tav_help.hlp";

    // The forms, in the order they are created.
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TfrmAbout> frmAbout;
    std::unique_ptr<TfrmSave> frmSave;
    std::unique_ptr<TfrmStash> frmStash;
    std::unique_ptr<TfrmIndent> frmIndent;
    std::unique_ptr<TfrmProc> frmProc;
    std::unique_ptr<TfrmWhile> frmWhile;
    std::unique_ptr<TfrmForNext> frmForNext;
    std::unique_ptr<TfrmFnCall> frmFnCall;

private:
    void CreateForms();
    void DestroyForms();

    HWND window_ = nullptr;
};

inline constexpr char kApplicationTitle[] = "Delphi Tavrill";

}  // namespace tavrill
