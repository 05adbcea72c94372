#include "forms/fPalette.h"

#include <commctrl.h>

#include <algorithm>

#include "app/Commands.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

enum : int { kTxtFind = 101, kLstFound };

constexpr int kClientWidth = 420;
constexpr int kClientHeight = 300;
constexpr int kItemHeight = 20;  // layout units
constexpr int kMargin = 4;
constexpr int kShownRows = 12;  // what Page Up and Page Down move by
// The stash is listed again, when it changed, once the palette is on screen, so that opening it
// costs no folder listing: a timer, since timers come after painting.
constexpr UINT_PTR kListStash = 1;

std::string BoxText(HWND box) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

void DrawPart(HDC dc, std::string_view text, RECT& r, UINT format, COLORREF colour) {
    const std::wstring wide = Widen(text);
    SetTextColor(dc, colour);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r,
              format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

std::optional<std::uint64_t> LastWriteTime(const std::string& folder) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Widen(folder).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

int TextWidth(HDC dc, std::string_view text) {
    const std::wstring wide = Widen(text);
    RECT r{};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    return r.right;
}

}  // namespace

TfrmPalette::TfrmPalette(StashReader& reader) : reader_(reader) {
    // A thin border and no caption: it reads as part of the editor it opens over.
    Create({.className = "TfrmPalette",
            .caption = "Find a command",
            .style = WS_POPUP | WS_BORDER,
            .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight,
            .position = POINT{0, 0}});
    txtFind_ = AddEdit({.id = kTxtFind, .rect = {kMargin, kMargin, kClientWidth - 2 * kMargin, 22}});
    SendMessageW(txtFind_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"Find a command or snippet"));
    SetWindowSubclass(txtFind_, &TfrmPalette::SearchBoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
    // No data of its own: the rows are drawn from rows_, so showing 10,000 of them costs one message.
    lstFound_ = AddControl(
        "LISTBOX",
        {.id = kLstFound,
         .rect = {kMargin, kMargin + 26, kClientWidth - 2 * kMargin, kClientHeight - 2 * kMargin - 26},
         .style = WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_NODATA | LBS_NOINTEGRALHEIGHT,
         .exStyle = WS_EX_CLIENTEDGE});
    SetInitialFocus(txtFind_);
}

std::optional<PaletteChoice> TfrmPalette::Run(const ShortcutTable& shortcuts, POINT where) {
    shortcuts_ = &shortcuts;
    choice_.reset();
    // On the monitor of `where`, wholly.
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    MONITORINFO monitor{sizeof monitor};
    if (GetMonitorInfoW(MonitorFromPoint(where, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& work = monitor.rcWork;
        where.x = std::max(work.left, std::min(where.x, work.right - width));
        where.y = std::max(work.top, std::min(where.y, work.bottom - height));
    }
    SetWindowPos(hwnd_, nullptr, where.x, where.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    reader_.SetListener([this] {
        BuildList();
        Refilter(true);
    });
    const int result = ShowModal();
    reader_.SetListener({});
    shortcuts_ = nullptr;
    list_.reset();  // the snippets may change before the next showing
    if (result != IDOK) return std::nullopt;
    return choice_;
}

void TfrmPalette::OnShowing() {
    SetWindowTextW(txtFind_, L"");
    moved_ = false;
    BuildList();
    Refilter(false);
    const auto stamp = LastWriteTime(reader_.Catalog().Folder());
    if (!stamp || stamp != listedStamp_) {
        listedStamp_ = stamp;
        SetTimer(hwnd_, kListStash, USER_TIMER_MINIMUM, nullptr);
    }
}

void TfrmPalette::BuildList() {
    list_.emplace(PaletteEntries(*shortcuts_, reader_.Catalog().Index(), FindCommand("FindCommand")));
}

void TfrmPalette::Refilter(bool keepChoice) {
    // A row chosen with the keys stays chosen while it is still found, as in the stash browser.
    std::optional<std::string> kept;
    const LRESULT at = SendMessageW(lstFound_, LB_GETCURSEL, 0, 0);
    if (keepChoice && moved_ && at != LB_ERR && static_cast<size_t>(at) < rows_.size() && list_)
        kept = RecentKey(list_->Entries()[rows_[static_cast<size_t>(at)]]);
    rows_ = list_->Find(BoxText(txtFind_), recent_);
    WPARAM select = 0;  // the best match
    if (kept) {
        const auto same = std::find_if(rows_.begin(), rows_.end(), [&](std::size_t i) {
            return RecentKey(list_->Entries()[i]) == *kept;
        });
        if (same != rows_.end())
            select = static_cast<WPARAM>(same - rows_.begin());
        else
            moved_ = false;
    }
    SendMessageW(lstFound_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(lstFound_, LB_SETCOUNT, rows_.size(), 0);
    SendMessageW(lstFound_, LB_SETCURSEL, rows_.empty() ? static_cast<WPARAM>(-1) : select, 0);
    SendMessageW(lstFound_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(lstFound_, nullptr, TRUE);
}

void TfrmPalette::Move(int by) {
    if (rows_.empty()) return;
    const LRESULT at = SendMessageW(lstFound_, LB_GETCURSEL, 0, 0);
    const int last = static_cast<int>(rows_.size()) - 1;
    const int to = std::clamp(at == LB_ERR ? 0 : static_cast<int>(at) + by, 0, last);
    SendMessageW(lstFound_, LB_SETCURSEL, static_cast<WPARAM>(to), 0);
    moved_ = true;
}

void TfrmPalette::OnOK() {
    const LRESULT at = SendMessageW(lstFound_, LB_GETCURSEL, 0, 0);
    if (!list_ || at == LB_ERR || static_cast<size_t>(at) >= rows_.size()) return;  // closes with no choice
    const PaletteEntry& entry = list_->Entries()[rows_[static_cast<size_t>(at)]];
    recent_.Use(RecentKey(entry));
    choice_ = entry.kind == PaletteEntry::Kind::Command ? PaletteChoice{entry.command, {}}
                                                        : PaletteChoice{std::nullopt, entry.name};
}

void TfrmPalette::OnCommand(int id, int code, HWND control) {
    if (id == kTxtFind) {
        if (code == EN_CHANGE && list_) {
            moved_ = false;  // each keystroke selects the best match again
            Refilter(false);
        }
        return;
    }
    if (id == kLstFound) {
        if (code == LBN_SELCHANGE) moved_ = true;
        if (code == LBN_DBLCLK) Form::OnCommand(IDOK, 0, nullptr);
        return;
    }
    Form::OnCommand(id, code, control);
}

LRESULT TfrmPalette::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam != kListStash) break;
            KillTimer(hwnd_, kListStash);
            if (!Visible() || !list_) return 0;
            reader_.Refresh();  // the listing now, the files' texts as they are read
            BuildList();
            Refilter(true);
            return 0;
        case WM_ACTIVATE:
            // Clicking elsewhere closes it, as a menu closes.
            if (LOWORD(wParam) == WA_INACTIVE && Visible() && !choice_) Form::OnCommand(IDCANCEL, 0, nullptr);
            break;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(ToPixels({0, 0, 0, kItemHeight}).bottom);
            return TRUE;
        case WM_DRAWITEM:
            if (wParam != kLstFound) break;
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        default:
            break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

void TfrmPalette::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (!list_ || item.itemID == static_cast<UINT>(-1) || item.itemID >= rows_.size()) return;
    const PaletteEntry& entry = list_->Entries()[rows_[item.itemID]];
    const COLORREF text = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF dim = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT);
    const int gap = ToPixels({0, 0, 6, 0}).right;
    SetBkMode(dc, TRANSPARENT);
    r.left += gap;
    r.right -= gap;
    if (!entry.shortcut.empty()) {
        DrawPart(dc, entry.shortcut, r, DT_RIGHT, dim);
        r.right = std::max(r.left, r.right - TextWidth(dc, entry.shortcut) - 2 * gap);
    }
    DrawPart(dc, entry.name, r, DT_LEFT, text);
    if (!entry.detail.empty()) {
        r.left = std::min(r.right, r.left + TextWidth(dc, entry.name) + 2 * gap);
        DrawPart(dc, entry.detail, r, DT_LEFT, dim);
    }
}

LRESULT CALLBACK TfrmPalette::SearchBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self) {
    auto* palette = reinterpret_cast<TfrmPalette*>(self);
    switch (msg) {
        case WM_GETDLGCODE:
            // Enter and Esc come here rather than to the dialog manager: the palette has no buttons.
            return DLGC_WANTALLKEYS | DefSubclassProc(hwnd, msg, wParam, lParam);
        case WM_KEYDOWN:
            switch (wParam) {
                case VK_UP:
                    return palette->Move(-1), 0;
                case VK_DOWN:
                    return palette->Move(1), 0;
                case VK_PRIOR:
                    return palette->Move(-kShownRows), 0;
                case VK_NEXT:
                    return palette->Move(kShownRows), 0;
                case VK_RETURN:
                    return palette->Form::OnCommand(IDOK, 0, nullptr), 0;
                case VK_ESCAPE:
                    return palette->Form::OnCommand(IDCANCEL, 0, nullptr), 0;
                default:
                    break;
            }
            break;
        case WM_CHAR:
            if (wParam == L'\r' || wParam == 0x1B || wParam == L'\n') return 0;  // no beep
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &TfrmPalette::SearchBoxProc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

std::optional<POINT> TfrmPalette::CaretPosition(HWND editor) {
    if (!editor) return std::nullopt;
    GUITHREADINFO info{sizeof info};
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &info) || !info.hwndCaret)
        return std::nullopt;
    POINT below{info.rcCaret.left, info.rcCaret.bottom};
    if (!ClientToScreen(info.hwndCaret, &below)) return std::nullopt;
    return below;
}

}  // namespace tavrill
