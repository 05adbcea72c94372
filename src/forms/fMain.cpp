#include "forms/fMain.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "app/BlockCommands.h"
#include "app/RewriteCommands.h"
#include "app/StashCommands.h"
#include "app/TextCommands.h"
#include "base/Error.h"
#include "base/Files.h"
#include "forms/Application.h"
#include "forms/Dialogs.h"
#include "forms/fBlockName.h"
#include "forms/fCase.h"
#include "forms/fIF.h"
#include "forms/fShortcuts.h"
#include "resource.h"
#include "win32/Dpi.h"
#include "win32/HotKeys.h"
#include "win32/Monitors.h"
#include "win32/Profile.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

constexpr char kShortcutsCaption[] = "Keyboard shortcuts";

// The maker's web site; the two web pages of the help menu live on it.
constexpr char kWebHost[] = "https://www.pelmora-systems.example";

constexpr int kClientWidth = 184;
constexpr int kClientHeight = 52;
constexpr int kButtonSize = 25;
constexpr int kButtonTop = 6;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kReportTakenShortcuts = WM_APP + 1;
// How long a shortcut's command waits for the user to let go of the modifiers.
constexpr DWORD kModifierReleaseMs = 1000;

// The command ids behind the shortcuts, indexed by Command.
constexpr int kCommandIds[] = {
    IDM_UNDO,      IDM_LOCKWIN,       IDM_BEGINEND,  IDM_CASEOF,        IDM_IFTHEN,       IDM_FORNEXT,
    IDM_WHILE,     IDM_PROC,          IDM_FUNC,      IDM_UNITHEAD,      IDM_PROCHEAD,     IDM_TRYFINALLY,
    IDM_TRYEXCEPT, IDM_IFDEF,         IDM_REGION,    IDM_CASEUPPER,     IDM_CASELOWER,    IDM_CASETITLE,
    IDM_CASEFLIP,  IDM_CASESENTENCE,  IDM_INDENT,    IDM_COMMENTSLASH,  IDM_COMMENTBRACE, IDM_COMMENTPAR,
    IDM_UNCOMMENT, IDM_TOGGLECOMMENT, IDM_SORTLINES, IDM_SORTLINESDESC, IDM_ALIGN,        IDM_REVERSEASSIGN,
    IDM_QUOTE,     IDM_UNQUOTE,       IDC_BUTSTASH,  IDC_BUTLOAD,
};
static_assert(std::size(kCommandIds) == kCommandCount);

int CommandId(Command c) {
    return kCommandIds[static_cast<size_t>(c)];
}

bool IsShortcutCommand(int id) {
    return std::ranges::find(kCommandIds, id) != std::end(kCommandIds);
}

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

void Append(HMENU menu, UINT id, const char* caption) {
    AppendMenuA(menu, MF_STRING, id, caption);
}
void Separator(HMENU menu) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
}

}  // namespace

TForm1::TForm1(Application& app, BridgeHost& host, const Folders& folders, Dialogs& dialogs)
    : app_(app), dialogs_(dialogs), bridge_(host), folders_(folders) {
    // Placed by form_create.
    Create({.className = "TForm1",
            .caption = kApplicationTitle,
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
            .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight,
            .position = POINT{0, 0}});
    CreateControls();
    CreateMenus();
    form_create();
}

TForm1::~TForm1() {
    KillTimer(hwnd_, kTimer1);
    WindowHotKeys keys(hwnd_);
    UnregisterShortcuts(shortcuts_, keys);
}

void TForm1::CreateControls() {
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        const SpeedButton& b = kButtons[i];
        // A pictured button keeps its hint as its window text, so screen readers
        // and UI automation find it by that name; the hint itself is never shown.
        HWND button = AddControl("BUTTON", {.id = b.id,
                                            .rect = {b.left, kButtonTop, kButtonSize, kButtonSize},
                                            .text = b.hint,
                                            .style = BS_PUSHBUTTON | BS_BITMAP});
        HWND* slots[] = {&butMenu_, &butText_, &butFormat_, &butStash_, &butLoad_, &butHelp_};
        *slots[i] = button;
    }
    LoadPictures();

    label1_ = AddLabel({.rect = {0, kClientHeight - 16, kClientWidth, 16},
                        .text = "Freeware from Pelmora Systems",
                        .style = SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX});
    // Edit1 and labSrc lie below the visible client area and take no part.
    AddControl(
        "EDIT",
        {.rect = {8, kClientHeight + 8, 120, 21}, .style = ES_AUTOHSCROLL, .exStyle = WS_EX_CLIENTEDGE});
    AddLabel({.rect = {136, kClientHeight + 12, 48, 13}, .text = "SOURCE"});

    // Without its timer the tool bar would never learn its target window.
    if (!SetTimer(hwnd_, kTimer1, 1000, nullptr)) throw Error("Cannot start the tool bar's timer");
}

void TForm1::LoadPictures() {
    // Pictures drawn for the resolution's size, never stretched by the button. A picture that
    // does not load leaves the button blank but working; nothing to report.
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const int step = IDB_SIZE_STEP * PictureSizeIndex(Dpi());
    HWND buttons[] = {butMenu_, butText_, butFormat_, butStash_, butLoad_, butHelp_};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        UniqueBitmap picture{static_cast<HBITMAP>(LoadImageA(
            instance, MAKEINTRESOURCEA(kButtons[i].bitmap + step), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS))};
        SendMessageA(buttons[i], BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
        pictures_[i] = std::move(picture);
    }
}

void TForm1::CreateMenus() {
    popMain_.reset(CreatePopupMenu());
    Append(popMain_.get(), IDM_MINIMIZE, "Mi&nimize");
    Append(popMain_.get(), IDM_UNDO, "&Undo");
    Append(popMain_.get(), IDM_STAYONTOP, "&Stay on Top");
    Append(popMain_.get(), IDM_LOCKWIN, "Lock to &Window");
    Append(popMain_.get(), IDM_ANYEDITOR, "&Any editor");
    Append(popMain_.get(), IDM_KEEPCLIPBOARD, "Keep my c&lipboard");
    Append(popMain_.get(), IDM_SHORTCUTS, "&Keyboard shortcuts...");
    Separator(popMain_.get());
    Append(popMain_.get(), IDM_EXIT, "E&xit");
    CheckMenuItem(popMain_.get(), IDM_STAYONTOP, MF_BYCOMMAND | MF_CHECKED);

    popText_.reset(CreatePopupMenu());
    Append(popText_.get(), IDM_BEGINEND, "&begin...end");
    Append(popText_.get(), IDM_CASEOF, "case ... of");
    Append(popText_.get(), IDM_IFTHEN, "&if...then");
    Append(popText_.get(), IDM_FORNEXT, "&for...next");
    Append(popText_.get(), IDM_WHILE, "&while / repeat / with");
    Append(popText_.get(), IDM_PROC, "pr&ocedure / function");
    Append(popText_.get(), IDM_FUNC, "f&unction call (...)");
    Separator(popText_.get());
    Append(popText_.get(), IDM_UNITHEAD, "insert &UNIT comment");
    Append(popText_.get(), IDM_PROCHEAD, "insert &PROC comment");
    Separator(popText_.get());
    Append(popText_.get(), IDM_TRYFINALLY, "&try...finally");
    Append(popText_.get(), IDM_TRYEXCEPT, "try...e&xcept");
    Append(popText_.get(), IDM_IFDEF, "con&ditional {$IFDEF}");
    Append(popText_.get(), IDM_REGION, "{$&REGION}");

    // The two submenus belong to popFormat_ once appended: DestroyMenu takes them with it.
    HMENU mCase = CreatePopupMenu();
    Append(mCase, IDM_CASEUPPER, "&UPPER CASE");
    Append(mCase, IDM_CASELOWER, "&lower case");
    Append(mCase, IDM_CASETITLE, "&Title Case");
    Append(mCase, IDM_CASEFLIP, "&Flip Case");
    Separator(mCase);
    Append(mCase, IDM_CASESENTENCE, "&Sentence case");
    HMENU mComment = CreatePopupMenu();
    Append(mComment, IDM_COMMENTSLASH, "&use //");
    Append(mComment, IDM_COMMENTBRACE, "u&se {...}");
    Append(mComment, IDM_COMMENTPAR, "us&e  (*...*)");
    popFormat_.reset(CreatePopupMenu());
    AppendMenuA(popFormat_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(mCase), "&Case");
    Append(popFormat_.get(), IDM_INDENT, "&Indent / unindent");
    AppendMenuA(popFormat_.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(mComment), "&Comment out");
    Append(popFormat_.get(), IDM_UNCOMMENT, "U&ncomment");
    Separator(popFormat_.get());
    Append(popFormat_.get(), IDM_TOGGLECOMMENT, "&Toggle comment");
    Append(popFormat_.get(), IDM_SORTLINES, "Sort &lines");
    Append(popFormat_.get(), IDM_SORTLINESDESC, "Sort lines &descending");
    Append(popFormat_.get(), IDM_ALIGN, "&Align on :=");
    Append(popFormat_.get(), IDM_REVERSEASSIGN, "&Reverse assignment");
    Append(popFormat_.get(), IDM_QUOTE, "&Quote as string");
    Append(popFormat_.get(), IDM_UNQUOTE, "&Unquote string");

    popHelp_.reset(CreatePopupMenu());
    Append(popHelp_.get(), IDM_ABOUT, "&About");
    Append(popHelp_.get(), IDM_HELP, "&Help");
    Append(popHelp_.get(), IDM_WEBPELMORA, "Goto Pelmora Systems on the web");
    Append(popHelp_.get(), IDM_WEBTAVRILL, "Goto Tavrill on the web");
}

void TForm1::form_create() {
    // The stash folder was made or chosen with the folders, before the dialogs.
    IniFile ini(folders_.program + "tavrill.ini");
    position_ = LoadSettings(ini);
    bridge_.SetAnyEditor(LoadAnyEditor(ini));
    CheckMenuItem(popMain_.get(), IDM_ANYEDITOR,
                  MF_BYCOMMAND | (bridge_.AnyEditor() ? MF_CHECKED : MF_UNCHECKED));
    bridge_.SetKeepClipboard(LoadKeepClipboard(ini));
    CheckMenuItem(popMain_.get(), IDM_KEEPCLIPBOARD,
                  MF_BYCOMMAND | (bridge_.KeepClipboard() ? MF_CHECKED : 0));
    shortcuts_ = LoadShortcuts(ini);
    RegisterShortcutKeys();
    // A position on a monitor unplugged since would leave the tool bar out of reach.
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    const WindowPosition place =
        PlaceOnScreen(position_, frame.right - frame.left, frame.bottom - frame.top, CurrentMonitors());
    SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::FormDestroy() {
    RECT r{};
    if (GetWindowRect(hwnd_, &r)) position_ = {r.left, r.top};
    IniFile ini(folders_.program + "tavrill.ini");
    SaveSettings(ini, position_, ini.Path());
}

LRESULT TForm1::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam == kTimer1) Timer1Timer();
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
    if (!IsShortcutCommand(id)) return Dispatch(id);
    CommandScope command(bridge_);  // Keep my clipboard puts the user's clipboard back at its end
    Dispatch(id);
}

void TForm1::Dispatch(int id) {
    // One line per command: the switch reads as the table it is.
    // clang-format off
    switch (id) {
        case IDC_BUTMENU: return butMenuClick();
        case IDC_BUTTEXT: return butTextClick();
        case IDC_BUTFORMAT: return butFormatClick();
        case IDC_BUTSTASH: return butStashClick();
        case IDC_BUTLOAD: return butLoadClick();
        case IDC_BUTHELP: return butHelpClick();

        case IDM_MINIMIZE: return mnuMinimizeClick();
        case IDM_UNDO: return mnuUndoClick();
        case IDM_STAYONTOP: return mnuStayOnTopClick();
        case IDM_LOCKWIN: return mnuLockWinClick();
        case IDM_ANYEDITOR: return mnuAnyEditorClick();
        case IDM_EXIT: return mnuExitClick();
        case IDM_KEEPCLIPBOARD: return mnuKeepClipboardClick();
        case IDM_SHORTCUTS: return mnuShortcutsClick();

        case IDM_BEGINEND: return mnuBeginEndClick();
        case IDM_CASEOF: return mnuCaseOfClick();
        case IDM_IFTHEN: return mnuIfthenClick();
        case IDM_FORNEXT: return mnuForNextClick();
        case IDM_WHILE: return mnuWhileClick();
        case IDM_PROC: return mnuProcClick();
        case IDM_FUNC: return mnuFuncClick();
        case IDM_UNITHEAD: return mnuUnitHeadClick();
        case IDM_PROCHEAD: return mnuProcHeadClick();

        case IDM_CASEUPPER: return mnuUpperClick();
        case IDM_CASELOWER: return mnuLowerClick();
        case IDM_CASETITLE: return mnuTitleClick();
        case IDM_CASEFLIP: return mnuCaseFlipClick();
        case IDM_INDENT: return mnuIndentClick();
        case IDM_COMMENTSLASH: return mnuCommentSlashClick();
        case IDM_COMMENTBRACE: return mnuCommentBraceClick();
        case IDM_COMMENTPAR: return mnuCommentParClick();
        case IDM_UNCOMMENT: return mnuUncommentClick();

        case IDM_TRYFINALLY: return mnuTryFinallyClick();
        case IDM_TRYEXCEPT: return mnuTryExceptClick();
        case IDM_IFDEF: return mnuIfDefClick();
        case IDM_REGION: return mnuRegionClick();
        case IDM_CASESENTENCE: return FormatRewriteCommand(bridge_, FormatRewrite::SentenceCase);
        case IDM_TOGGLECOMMENT: return FormatRewriteCommand(bridge_, FormatRewrite::ToggleComment);
        case IDM_SORTLINES: return FormatRewriteCommand(bridge_, FormatRewrite::SortLines);
        case IDM_SORTLINESDESC: return FormatRewriteCommand(bridge_, FormatRewrite::SortLinesDescending);
        case IDM_ALIGN: return FormatRewriteCommand(bridge_, FormatRewrite::AlignAssignments);
        case IDM_REVERSEASSIGN: return FormatRewriteCommand(bridge_, FormatRewrite::ReverseAssignments);
        case IDM_QUOTE: return FormatRewriteCommand(bridge_, FormatRewrite::QuoteString);
        case IDM_UNQUOTE: return FormatRewriteCommand(bridge_, FormatRewrite::UnquoteString);

        case IDM_ABOUT: return mnuAboutClick();
        case IDM_HELP: return mnuHelpClick();
        case IDM_WEBPELMORA: return mnuWebPelmoraClick();
        case IDM_WEBTAVRILL: return mnuWebTavrillClick();
        default: return;
    }
    // clang-format on
}

void TForm1::OnClose() {
    // Closing the main form ends the program; the forms are destroyed after the
    // message loop, and FormDestroy saves the settings then.
    PostQuitMessage(0);
}

void TForm1::Timer1Timer() {
    bridge_.Tick();
}

// ---- shortcuts --------------------------------------------------------------

void TForm1::RegisterShortcutKeys() {
    WindowHotKeys keys(hwnd_);
    takenAtStart_ = RegisterShortcuts(shortcuts_, keys);
    // Said once the message loop runs, so the tool bar is on screen behind the box.
    if (!takenAtStart_.empty()) PostMessageA(hwnd_, kReportTakenShortcuts, 0, 0);
}

void TForm1::ReportTakenShortcuts() {
    if (!takenAtStart_.empty())
        bridge_.NoticeBox(TakenMessage(std::exchange(takenAtStart_, {})), kShortcutsCaption);
}

void TForm1::OnHotKey(int hotKeyId) {
    const auto command = CommandOfHotKey(hotKeyId);
    // While a command, its dialog or a pop-up menu is open, a shortcut is ignored,
    // as a click on the disabled tool bar would be.
    if (!command || commandRunning_) return;
    WaitForModifierRelease(kModifierReleaseMs);
    HWND editor = GetForegroundWindow();
    bridge_.TakeTarget(reinterpret_cast<WindowHandle>(editor));
    try {
        OnCommand(CommandId(*command), 0, nullptr);
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
    PostMessageA(hwnd_, WM_NULL, 0, 0);
}

void TForm1::butMenuClick() {
    OpenMenu(popMain_.get(), butMenu_, false);
}
void TForm1::butTextClick() {
    OpenMenu(popText_.get(), butText_, false);
}
void TForm1::butFormatClick() {
    OpenMenu(popFormat_.get(), butFormat_, false);
}
void TForm1::butHelpClick() {
    OpenMenu(popHelp_.get(), butHelp_, true);
}

// ---- popMain ----------------------------------------------------------------

void TForm1::mnuMinimizeClick() {
    app_.Minimize();
}

void TForm1::mnuUndoClick() {
    bridge_.Undo();
}

void TForm1::mnuStayOnTopClick() {
    stayOnTop_ = !stayOnTop_;
    CheckMenuItem(popMain_.get(), IDM_STAYONTOP, MF_BYCOMMAND | (stayOnTop_ ? MF_CHECKED : MF_UNCHECKED));
    SetWindowPos(hwnd_, stayOnTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm1::mnuLockWinClick() {
    if (const auto checked = bridge_.LockToWindow())
        CheckMenuItem(popMain_.get(), IDM_LOCKWIN, MF_BYCOMMAND | (*checked ? MF_CHECKED : MF_UNCHECKED));
}

void TForm1::mnuAnyEditorClick() {
    bridge_.SetAnyEditor(!bridge_.AnyEditor());
    CheckMenuItem(popMain_.get(), IDM_ANYEDITOR,
                  MF_BYCOMMAND | (bridge_.AnyEditor() ? MF_CHECKED : MF_UNCHECKED));
    IniFile ini(folders_.program + "tavrill.ini");
    SaveAnyEditor(ini, bridge_.AnyEditor(), ini.Path());
}

void TForm1::mnuExitClick() {
    PostMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void TForm1::mnuKeepClipboardClick() {
    const bool on = !bridge_.KeepClipboard();
    bridge_.SetKeepClipboard(on);
    CheckMenuItem(popMain_.get(), IDM_KEEPCLIPBOARD, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    IniFile ini(folders_.program + "tavrill.ini");
    SaveKeepClipboard(ini, on, ini.Path());
}

void TForm1::mnuShortcutsClick() {
    // While the dialog is open our own hot keys are free, so that the hot-key box
    // can be given one of them instead of the command running.
    WindowHotKeys keys(hwnd_);
    UnregisterShortcuts(shortcuts_, keys);
    TfrmShortcuts frmShortcuts;  // a fresh one every time
    const auto chosen = frmShortcuts.Run(shortcuts_);
    if (chosen) shortcuts_ = *chosen;
    const auto taken = RegisterShortcuts(shortcuts_, keys);
    if (!taken.empty()) bridge_.NoticeBox(TakenMessage(taken), kShortcutsCaption);
    if (!chosen) return;
    IniFile ini(folders_.program + "tavrill.ini");
    SaveShortcuts(ini, shortcuts_, ini.Path());
}

// ---- popText ----------------------------------------------------------------

void TForm1::mnuBeginEndClick() {
    BeginEndCommand(bridge_);
}
void TForm1::mnuCaseOfClick() {
    TfrmCase frmCase;  // a fresh one every time
    CaseOfCommand(bridge_, frmCase);
}
void TForm1::mnuIfthenClick() {
    TfrmIF frmIF;  // a fresh one every time
    IfThenCommand(bridge_, frmIF);
}
void TForm1::mnuForNextClick() {
    ForNextCommand(bridge_, dialogs_.frmForNext);
}
void TForm1::mnuWhileClick() {
    WhileCommand(bridge_, dialogs_.frmWhile);
}
void TForm1::mnuProcClick() {
    ProcCommand(bridge_, dialogs_.frmProc, folders_.program);
}
void TForm1::mnuFuncClick() {
    FnCallCommand(bridge_, dialogs_.frmFnCall);
}
void TForm1::mnuUnitHeadClick() {
    UnitHeadCommand(bridge_, folders_.program);
}
void TForm1::mnuProcHeadClick() {
    ProcHeadCommand(bridge_, folders_.program);
}

void TForm1::mnuTryFinallyClick() {
    TryBlockCommand(bridge_, false);
}
void TForm1::mnuTryExceptClick() {
    TryBlockCommand(bridge_, true);
}
void TForm1::mnuIfDefClick() {
    TfrmBlockName frmDefine("Insert {$IFDEF}", "&Define name:");  // a fresh one every time
    IfDefCommand(bridge_, frmDefine);
}
void TForm1::mnuRegionClick() {
    TfrmBlockName frmRegion("Insert {$REGION}", "&Caption:");  // a fresh one every time
    RegionCommand(bridge_, frmRegion);
}

// ---- popFormat --------------------------------------------------------------

void TForm1::mnuUpperClick() {
    CaseCommand(bridge_, CaseConversion::Upper);
}
void TForm1::mnuLowerClick() {
    CaseCommand(bridge_, CaseConversion::Lower);
}
void TForm1::mnuTitleClick() {
    CaseCommand(bridge_, CaseConversion::Title);
}
void TForm1::mnuCaseFlipClick() {
    CaseCommand(bridge_, CaseConversion::Flip);
}
void TForm1::mnuIndentClick() {
    IndentCommand(bridge_, dialogs_.frmIndent);
}
void TForm1::mnuCommentSlashClick() {
    CommentSlashCommand(bridge_, memo1_);
}
void TForm1::mnuCommentBraceClick() {
    CommentBraceCommand(bridge_);
}
void TForm1::mnuCommentParClick() {
    CommentParenCommand(bridge_);
}
void TForm1::mnuUncommentClick() {
    UncommentCommand(bridge_, memo1_);
}

// ---- stash buttons ----------------------------------------------------------

void TForm1::butStashClick() {
    SaveToStashCommand(bridge_, dialogs_.frmSave, folders_.stash);
}

void TForm1::butLoadClick() {
    LoadFromStashCommand(bridge_, dialogs_.frmStash);
}

// ---- popHelp ----------------------------------------------------------------

void TForm1::mnuAboutClick() {
    dialogs_.frmAbout.Show();
}

void TForm1::mnuHelpClick() {
    app_.helpFile = folders_.program + "tav_help.hlp";
    // Current Windows has no engine for .hlp files and the package holds none: the classic file
    // is opened only where the user has put one, otherwise the page the package brings.
    if (FileExists(app_.helpFile)) {
        WinHelpW(hwnd_, Widen(app_.helpFile).c_str(), HELP_CONTENTS,
                 0);  // the help engine reports its own failures
        return;
    }
    const std::wstring page = Widen(folders_.program + "tav_help.html");
    ShellExecuteW(hwnd_, L"open", page.c_str(), nullptr, nullptr,
                  SW_SHOWNORMAL);  // the browser reports its own
}

void TForm1::mnuWebPelmoraClick() {
    const std::string address = std::string(kWebHost) + "/index.htm";
    ShellExecuteA(hwnd_, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);  // result not needed
}

void TForm1::mnuWebTavrillClick() {
    const std::string address = std::string(kWebHost) + "/support/tavrill.htm";
    ShellExecuteA(hwnd_, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);  // result not needed
}

}  // namespace tavrill
