#pragma once
// The tool bar: a small topmost tool window with six pictured speed buttons,
// four pop-up menus behind them and the maker's line, and the owner of the
// editor bridge. Every menu command is a handler here that hands its work to
// the core.

#include <string>
#include <vector>

#include "app/Folders.h"
#include "app/Settings.h"
#include "app/Shortcuts.h"
#include "bridge/Bridge.h"
#include "forms/Form.h"
#include "text/LineList.h"
#include "win32/UniqueHandle.h"

namespace tavrill {

class Application;
struct Dialogs;

class TForm1 : public Form {
public:
    // Makes the tool bar, its menus and its timer, creates the stash folder and
    // places the window where the settings say. Throws Error when a window
    // cannot be made. `host` and `dialogs` must outlive the tool bar.
    TForm1(Application& app, BridgeHost& host, const Folders& folders, Dialogs& dialogs);
    ~TForm1() override;

    // Saves where the tool bar stood; run when the program ends.
    void FormDestroy();

private:
    void form_create();
    void CreateControls();
    void CreateMenus();
    void LoadPictures();  // for the form's resolution
    void OnDpiChanged() override { LoadPictures(); }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code, HWND control) override;
    void OnClose() override;

    void OpenMenu(HMENU menu, HWND button, bool belowButton);
    void Timer1Timer();
    void Dispatch(int id);

    // Global shortcuts: WM_HOTKEY runs the command with the foreground window as
    // the target, then gives that window the keyboard back.
    void OnHotKey(int hotKeyId);
    void GiveFocusBack(HWND editor);
    // Registers shortcuts_; those another program holds are dropped and reported.
    void RegisterShortcutKeys();
    void ReportTakenShortcuts();

    void butMenuClick();
    void butTextClick();
    void butFormatClick();
    void butHelpClick();
    void butStashClick();
    void butLoadClick();

    void mnuMinimizeClick();
    void mnuUndoClick();
    void mnuStayOnTopClick();
    void mnuLockWinClick();
    void mnuAnyEditorClick();
    void mnuExitClick();
    void mnuKeepClipboardClick();
    void mnuShortcutsClick();

    void mnuBeginEndClick();
    void mnuCaseOfClick();
    void mnuIfthenClick();
    void mnuForNextClick();
    void mnuWhileClick();
    void mnuProcClick();
    void mnuFuncClick();
    void mnuUnitHeadClick();
    void mnuProcHeadClick();
    void mnuTryFinallyClick();
    void mnuTryExceptClick();
    void mnuIfDefClick();
    void mnuRegionClick();

    void mnuUpperClick();
    void mnuLowerClick();
    void mnuTitleClick();
    void mnuCaseFlipClick();
    void mnuIndentClick();
    void mnuCommentSlashClick();
    void mnuCommentBraceClick();
    void mnuCommentParClick();
    void mnuUncommentClick();

    void mnuAboutClick();
    void mnuHelpClick();
    void mnuWebPelmoraClick();
    void mnuWebTavrillClick();

    Application& app_;
    Dialogs& dialogs_;
    Bridge bridge_;
    Folders folders_;
    LineList memo1_;  // the scratch line list in which commands split, edit and join texts
    WindowPosition position_;
    ShortcutTable shortcuts_;
    std::vector<Shortcut> takenAtStart_;  // reported once the tool bar is on screen
    bool commandRunning_ = false;         // a command, its dialog or a pop-up menu is under way

    HWND butMenu_ = nullptr, butText_ = nullptr, butFormat_ = nullptr;
    HWND butStash_ = nullptr, butLoad_ = nullptr, butHelp_ = nullptr;
    HWND label1_ = nullptr;
    UniqueMenu popMain_, popText_, popFormat_, popHelp_;
    UniqueBitmap pictures_[6];
    UniqueFont labelFont_;
    HBRUSH black_ = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    bool stayOnTop_ = true;
};

}  // namespace tavrill
