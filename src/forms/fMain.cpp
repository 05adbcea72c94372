#include "forms/fMain.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "app/SnippetInsert.h"
#include "base/Error.h"
#include "base/Files.h"
#include "forms/Dialogs.h"
#include "forms/fAlignOn.h"
#include "forms/fBlockName.h"
#include "forms/fCase.h"
#include "forms/fIF.h"
#include "forms/fShortcuts.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/HotKeys.h"
#include "win32/Monitors.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

constexpr char kShortcutsCaption[] = "Keyboard shortcuts";

constexpr int kClientWidth = 184;
constexpr int kClientHeight = 52;
constexpr int kButtonSize = 25;
constexpr int kButtonTop = 6;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kReportTakenShortcuts = WM_APP + 1;
// How long a shortcut's command waits for the user to let go of the modifiers.
constexpr DWORD kModifierReleaseMs = 1000;
// A menu item's id is this plus its row in the command table.
constexpr int kFirstCommandId = 1000;

// Sets a flag for the life of a scope and puts back what it was.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(std::exchange(flag, true)) {}
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

struct SpeedButton {
    int id;
    int bitmap;
    int left;
    const char* hint;
};

// Three groups set apart by small gaps: menu, text, format; stash, load; help.
constexpr SpeedButton kButtons[] = {
    {IDC_BUTMENU, IDB_MENU, 8, "General options"},
    {IDC_BUTTEXT, IDB_TEXT, 33, "Insert new blocks of code"},
    {IDC_BUTFORMAT, IDB_FORMAT, 58, "Format text (comment etc)"},
    {IDC_BUTSTASH, IDB_STASH, 91, "Stash clip for later use"},
    {IDC_BUTLOAD, IDB_LOAD, 116, "Retrieve code from stash"},
    {IDC_BUTHELP, IDB_HELP, 151, "Help!"},
};

void AppendEntries(HMENU menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        switch (e.kind) {
            case MenuEntry::Kind::Item:
                AppendMenuW(menu, MF_STRING, kFirstCommandId + e.command, Widen(e.caption).c_str());
                break;
            case MenuEntry::Kind::Separator:
                AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                break;
            case MenuEntry::Kind::Submenu: {
                // Owned by `menu` once appended: DestroyMenu takes it with it.
                HMENU sub = CreatePopupMenu();
                AppendEntries(sub, e.submenu);
                AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Widen(e.caption).c_str());
                break;
            }
        }
    }
}

// The row of the stash button with this id.
std::optional<std::size_t> StashButtonRow(int id) {
    if (id == IDC_BUTSTASH) return FindCommand("StashSave");
    if (id == IDC_BUTLOAD) return FindCommand("StashBrowse");
    return std::nullopt;
}

}  // namespace

TForm1::TForm1(BridgeHost& host, Settings& settings, SettingsStore& store, const Folders& folders,
               Dialogs& dialogs)
    : dialogs_(dialogs),
      bridge_(host),
      settings_(settings),
      store_(store),
      folders_(folders),
      context_{bridge_, *this, settings_, store_, folders_},
      slots_(AllShortcutSlots(folders.stash)) {
    // Placed below, once the settings are read.
    Create({.className = "TForm1",
            .caption = kApplicationTitle,
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
            .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight,
            .position = POINT{0, 0}});
    CreateControls();
    CreateMenus();
    bridge_.SetAnyEditor(settings_.anyEditor);
    bridge_.SetKeepClipboard(settings_.keepClipboard);
    RegisterShortcutKeys();
    // A position on a monitor unplugged since would leave the tool bar out of reach.
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    const WindowPosition place = PlaceOnScreen(settings_.position, frame.right - frame.left,
                                               frame.bottom - frame.top, CurrentMonitors());
    SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TForm1::~TForm1() {
    KillTimer(hwnd_, kTimer1);
    WindowHotKeys keys(hwnd_);
    UnregisterShortcuts(settings_.shortcuts, slots_, keys);
}

void TForm1::CreateControls() {
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const SpeedButton& b = kButtons[i];
        // A pictured button keeps its hint as its window text, so screen readers
        // and UI automation find it by that name; the hint itself is never shown.
        buttons_[i] = AddControl("BUTTON", {.id = b.id,
                                            .rect = {b.left, kButtonTop, kButtonSize, kButtonSize},
                                            .text = b.hint,
                                            .style = BS_PUSHBUTTON | BS_BITMAP});
    }
    LoadPictures();
    AddLabel({.rect = {0, kClientHeight - 16, kClientWidth, 16},
              .text = "Freeware from Pelmora Systems",
              .style = SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX});
    // Without its timer the tool bar would never learn its target window.
    if (!SetTimer(hwnd_, kTimer1, 1000, nullptr)) throw Error("Cannot start the tool bar's timer");
}

void TForm1::LoadPictures() {
    // Pictures drawn for the resolution's size, never stretched by the button. A picture that
    // does not load leaves the button blank but working; nothing to report.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const int step = IDB_SIZE_STEP * PictureSizeIndex(Dpi());
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        UniqueBitmap picture{static_cast<HBITMAP>(LoadImageW(
            instance, MAKEINTRESOURCEW(kButtons[i].bitmap + step), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS))};
        SendMessageW(buttons_[i], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
        pictures_[i] = std::move(picture);
    }
}

void TForm1::CreateMenus() {
    for (const Menu m : {Menu::General, Menu::Blocks, Menu::Format, Menu::Help}) {
        UniqueMenu& menu = menus_[static_cast<int>(m)];
        menu.reset(CreatePopupMenu());
        AppendEntries(menu.get(), MenuEntries(m));
    }
}

void TForm1::ShowCheckMarks(HMENU menu) {
    // Asked as the menu opens, so a mark never lags behind its switch.
    const auto rows = Commands();
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].checked)
            CheckMenuItem(menu, kFirstCommandId + static_cast<UINT>(i),
                          MF_BYCOMMAND | (rows[i].checked(context_) ? MF_CHECKED : MF_UNCHECKED));
}

void TForm1::FormDestroy() {
    RECT r{};
    if (GetWindowRect(hwnd_, &r)) settings_.position = {r.left, r.top};
    store_.SavePosition(settings_.position);
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kTimer1) bridge_.Tick();
            return 0;
        case WM_ERASEBKGND: {
            // Panel1: the whole client area is black.
            RECT r;
            GetClientRect(hwnd_, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, black_);
            return 1;
        }
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 255, 255));  // aqua on black
            SetBkColor(dc, RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(black_);
        }
        case WM_INITMENUPOPUP:
            ShowCheckMarks(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_CONTEXTMENU:
            return 0;  // the tool bar has no context menu
        case WM_HOTKEY:
            OnHotKey(static_cast<int>(wParam));
            return 0;
        case kReportTakenShortcuts:
            ReportTakenShortcuts();
            return 0;
        default:
            return Form::HandleMessage(msg, wParam, lParam);
    }
}

void TForm1::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED && code != 0) return;
    FlagScope running(commandRunning_);
    switch (id) {
        case IDC_BUTMENU:
            return OpenMenu(menus_[static_cast<int>(Menu::General)].get(), buttons_[0], false);
        case IDC_BUTTEXT:
            return OpenMenu(menus_[static_cast<int>(Menu::Blocks)].get(), buttons_[1], false);
        case IDC_BUTFORMAT:
            return OpenMenu(menus_[static_cast<int>(Menu::Format)].get(), buttons_[2], false);
        case IDC_BUTHELP:
            return OpenMenu(menus_[static_cast<int>(Menu::Help)].get(), buttons_[5], true);
        default:
            break;
    }
    if (const auto row = StashButtonRow(id)) return RunRow(*row);
    const std::size_t row = static_cast<std::size_t>(id - kFirstCommandId);
    if (id >= kFirstCommandId && row < Commands().size()) RunRow(row);
}

void TForm1::RunRow(std::size_t row) {
    RunCommand(Commands()[row], context_);
}

void TForm1::OnClose() {
    // Closing the main form ends the program; the forms are destroyed after the
    // message loop, and FormDestroy saves the settings then.
    PostQuitMessage(0);
}

// ---- shortcuts --------------------------------------------------------------

void TForm1::RegisterShortcutKeys() {
    WindowHotKeys keys(hwnd_);
    takenAtStart_ = RegisterShortcuts(settings_.shortcuts, slots_, keys);
    // Said once the message loop runs, so the tool bar is on screen behind the box.
    if (!takenAtStart_.empty()) PostMessageW(hwnd_, kReportTakenShortcuts, 0, 0);
}

void TForm1::ReportTakenShortcuts() {
    if (!takenAtStart_.empty())
        bridge_.NoticeBox(TakenMessage(std::exchange(takenAtStart_, {})), kShortcutsCaption);
}

void TForm1::OnHotKey(int hotKeyId) {
    const auto slot = SlotOfHotKey(hotKeyId, slots_.size());
    const auto row = slot ? FindCommand(slots_[*slot].key) : std::nullopt;
    const auto snippet = slot ? SnippetOfKey(slots_[*slot].key) : std::nullopt;
    // While a command, its dialog or a pop-up menu is open, a shortcut is ignored,
    // as a click on the disabled tool bar would be.
    if ((!row && !snippet) || commandRunning_) return;
    WaitForModifierRelease(kModifierReleaseMs);
    HWND editor = GetForegroundWindow();
    bridge_.TakeTarget(reinterpret_cast<WindowHandle>(editor));
    try {
        FlagScope running(commandRunning_);
        if (row)
            RunRow(*row);
        else
            RunSnippet(context_, *snippet);
    } catch (const std::exception& e) {
        ShowErrorBox(e.what());  // here, so that the editor gets the keyboard back afterwards
    }
    GiveFocusBack(editor);
}

void TForm1::GiveFocusBack(HWND editor) {
    // A dialog or message box that has closed leaves one of our windows in front,
    // or none. A command that brought the editor forward itself, and a window of
    // another program the user went to meanwhile, are left as they are.
    HWND now = GetForegroundWindow();
    DWORD process = 0;
    if (now) GetWindowThreadProcessId(now, &process);
    if (editor && IsWindow(editor) && now != editor && (!now || process == GetCurrentProcessId()))
        SetForegroundWindow(editor);
}

void TForm1::OpenMenu(HMENU menu, HWND button, bool belowButton) {
    // The menu's corner is the window's outer corner plus the button's offset in
    // the panel, so it opens a little above and left of the button itself.
    RECT window{}, b{};
    GetWindowRect(hwnd_, &window);
    GetWindowRect(button, &b);
    POINT offset{b.left, b.top};
    ScreenToClient(hwnd_, &offset);
    const int x = window.left + offset.x;
    const int y = window.top + offset.y + (belowButton ? b.bottom - b.top : 0);
    // A pop-up menu needs its owner in the foreground to close when the user
    // clicks elsewhere; the WM_NULL afterwards makes a second opening work.
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-trackpopupmenu#remarks
    SetForegroundWindow(hwnd_);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, x, y, 0, hwnd_, nullptr);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
}

// ---- what the commands ask of the windows -----------------------------------

std::optional<IfValues> TForm1::AskIfThen() {
    TfrmIF frmIF;  // a fresh one every time
    return frmIF.Run();
}
std::optional<ForNextValues> TForm1::AskForNext() {
    return dialogs_.frmForNext.Run();
}
std::optional<WhileValues> TForm1::AskWhile() {
    return dialogs_.frmWhile.Run();
}
std::optional<CaseValues> TForm1::AskCaseOf() {
    TfrmCase frmCase;  // a fresh one every time
    return frmCase.Run();
}
std::optional<ProcValues> TForm1::AskProcedure() {
    return dialogs_.frmProc.Run();
}
std::optional<std::string> TForm1::AskFunctionCall() {
    return dialogs_.frmFnCall.Run();
}
std::optional<std::string> TForm1::AskDefineName() {
    TfrmBlockName frmDefine("Insert {$IFDEF}", "&Define name:");  // a fresh one every time
    return frmDefine.Run();
}
std::optional<std::string> TForm1::AskRegionCaption() {
    TfrmBlockName frmRegion("Insert {$REGION}", "&Caption:");  // a fresh one every time
    return frmRegion.Run();
}
std::optional<std::string> TForm1::AskIndent(std::string_view text) {
    return dialogs_.frmIndent.Run(text);
}
std::optional<SaveValues> TForm1::AskSnippet(std::string_view code) {
    return dialogs_.frmSave.Run(code);
}
std::optional<std::string> TForm1::BrowseStash() {
    return dialogs_.frmStash.Run();
}

std::optional<std::string> TForm1::AskAlignToken(const std::vector<std::string>& recent) {
    TfrmAlignOn frmAlignOn;  // a fresh one every time
    return frmAlignOn.Run(recent);
}

std::string TForm1::NewGuid() {
    GUID guid{};
    wchar_t text[40] = {};
    // Without a GUID there is nothing sensible to insert; the system's all-zero one says so plainly.
    if (FAILED(CoCreateGuid(&guid))) guid = GUID{};
    StringFromGUID2(guid, text, static_cast<int>(std::size(text)));  // {8-4-4-4-12}, upper-case hex
    return Narrow(text);
}

std::optional<PaletteChoice> TForm1::FindInPalette() {
    // Near the editor's caret, or below the tool bar when the editor does not tell where it is.
    RECT bar{};
    GetWindowRect(hwnd_, &bar);
    const auto caret = TfrmPalette::CaretPosition(reinterpret_cast<HWND>(bridge_.Target()));
    return dialogs_.frmPalette.Run(settings_.shortcuts, caret.value_or(POINT{bar.left, bar.bottom}));
}

void TForm1::Minimize() {
    ShowWindow(OwnerWindow(), SW_MINIMIZE);  // the application window: the whole program
}

void TForm1::SetStayOnTop(bool on) {
    stayOnTop_ = on;
    SetWindowPos(hwnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::EditShortcuts() {
    // While the dialog is open our own hot keys are free, so that the hot-key box
    // can be given one of them instead of the command running.
    WindowHotKeys keys(hwnd_);
    UnregisterShortcuts(settings_.shortcuts, slots_, keys);
    // The snippets saved, imported or deleted since the start are listed as the stash now is.
    slots_ = AllShortcutSlots(folders_.stash);
    settings_.shortcuts = KeepSlots(settings_.shortcuts, slots_);
    TfrmShortcuts frmShortcuts;  // a fresh one every time
    const auto chosen = frmShortcuts.Run(settings_.shortcuts, slots_);
    if (chosen) settings_.shortcuts = *chosen;
    const auto taken = RegisterShortcuts(settings_.shortcuts, slots_, keys);
    if (!taken.empty()) bridge_.NoticeBox(TakenMessage(taken), kShortcutsCaption);
    if (chosen) store_.SaveShortcuts(settings_.shortcuts, slots_);
}

void TForm1::Exit() {
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TForm1::ShowAbout() {
    dialogs_.frmAbout.Show();
}

void TForm1::ShowHelp() {
    // Current Windows has no engine for .hlp files and the package holds none: the classic file
    // is opened only where the user has put one, otherwise the page the package brings.
    const std::string helpFile = folders_.program + "tav_help.hlp";
    if (FileExists(helpFile)) {
        WinHelpW(hwnd_, Widen(helpFile).c_str(), HELP_CONTENTS,
                 0);  // the help engine reports its own failures
        return;
    }
    const std::wstring page = Widen(folders_.program + "tav_help.html");
    ShellExecuteW(hwnd_, L"open", page.c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);  // the browser reports its own
}

void TForm1::OpenWebPage(std::string_view address) {
    ShellExecuteW(hwnd_, L"open", Widen(address).c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);  // result not needed
}

}  // namespace tavrill
