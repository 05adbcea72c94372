#pragma once
// The tool bar: a small topmost tool window with six pictured speed buttons,
// four pop-up menus behind them and the maker's line, and the owner of the
// editor bridge. The menus, the shortcuts and the dispatch all come from the
// command table (app/Commands.h); this class only gives the commands what they
// ask of the windows.

#include <string>
#include <vector>

#include "app/Commands.h"
#include "bridge/Bridge.h"
#include "forms/Form.h"
#include "forms/fTemplate.h"
#include "win32/UniqueHandle.h"

namespace tavrill {

struct Dialogs;

class TForm1 : public Form, private CommandUi {
public:
    // Makes the tool bar, its menus and its timer, registers the shortcuts and
    // places the window where the settings say. Throws Error when a window
    // cannot be made. Everything handed in must outlive the tool bar.
    TForm1(BridgeHost& host, Settings& settings, SettingsStore& store, const Folders& folders,
           Dialogs& dialogs);
    ~TForm1() override;

    // Saves where the tool bar stood; run when the program ends.
    void FormDestroy();

private:
    void CreateControls();
    void CreateMenus();
    void LoadPictures();  // for the form's resolution
    void OnDpiChanged() override { LoadPictures(); }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnCommand(int id, int code, HWND control) override;
    void OnClose() override;

    void OpenMenu(HMENU menu, HWND button, bool belowButton);
    void ShowCheckMarks(HMENU menu);
    void RunRow(std::size_t row);

    // Global shortcuts: WM_HOTKEY runs the command with the foreground window as
    // the target, then gives that window the keyboard back.
    void OnHotKey(int hotKeyId);
    void GiveFocusBack(HWND editor);
    // Registers the table's shortcuts; those another program holds are dropped and reported.
    void RegisterShortcutKeys();
    void ReportTakenShortcuts();

    // CommandUi
    std::optional<IfValues> AskIfThen() override;
    std::optional<ForNextValues> AskForNext() override;
    std::optional<WhileValues> AskWhile() override;
    std::optional<CaseValues> AskCaseOf() override;
    std::optional<ProcValues> AskProcedure() override;
    std::optional<std::string> AskFunctionCall() override;
    std::optional<std::string> AskDefineName() override;
    std::optional<std::string> AskRegionCaption() override;
    std::optional<std::string> AskIndent(std::string_view text) override;
    std::optional<SaveValues> AskSnippet(std::string_view code) override;
    std::optional<std::string> BrowseStash() override;
    std::optional<std::string> AskAlignToken(const std::vector<std::string>& recent) override;
    std::string NewGuid() override;
    TemplateUi& Templates() override { return templates_; }
    std::optional<PaletteChoice> FindInPalette() override;
    void Minimize() override;
    bool StayOnTop() const override { return stayOnTop_; }
    void SetStayOnTop(bool on) override;
    void EditShortcuts() override;
    void Exit() override;
    void ShowAbout() override;
    void ShowHelp() override;
    void OpenWebPage(std::string_view address) override;

    Dialogs& dialogs_;
    Bridge bridge_;
    Settings& settings_;
    SettingsStore& store_;
    const Folders& folders_;
    CommandContext context_;
    TemplateWindows templates_;
    // What can hold a shortcut, the commands and then the snippets; a hot key's id is its place here.
    std::vector<ShortcutSlot> slots_;
    std::vector<Shortcut> takenAtStart_;  // reported once the tool bar is on screen
    bool commandRunning_ = false;         // a command, its dialog or a pop-up menu is under way
    bool stayOnTop_ = true;

    HWND buttons_[6] = {};
    UniqueMenu menus_[4];  // general, blocks, format, help: in the order of Menu
    UniqueBitmap pictures_[6];
    HBRUSH black_ = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
};

}  // namespace tavrill
