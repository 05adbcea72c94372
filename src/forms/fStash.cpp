#include "forms/fStash.h"

#include <algorithm>

#include "win32/Utf.h"

namespace tavrill {
namespace {

enum : int { kFile1 = 101, kMemo1 };

constexpr int kClientWidth = 560;
constexpr int kClientHeight = 340;
constexpr int kPanel1Width = 170;
constexpr int kGlyphSize = 16;
constexpr int kItemHeight = 18;

HBITMAP LoadGlyph(const char* name) {
    return static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

}  // namespace

TfrmStash::TfrmStash(BridgeHost& host, std::string stashFolder) : model_(host, std::move(stashFolder)) {
    Create({.className = "TfrmStash",
            .caption = "Your code stash",
            // Sizeable, with a close box but no minimize or maximize box.
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight});

    programGlyph_.reset(LoadGlyph("EXECUTABLE"));
    fileGlyph_.reset(LoadGlyph("UNKNOWNFILE"));

    // In tab order; Layout places them.
    Label1_ = AddLabel({.text = "Files in Stash"});
    file1_ =
        AddControl("LISTBOX", {.id = kFile1,
                               .style = WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                        LBS_HASSTRINGS | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT,
                               .exStyle = WS_EX_CLIENTEDGE});
    butCopy_ = AddButton({.id = IDOK, .text = "C&OPY", .isDefault = true});
    butCancel_ = AddButton({.id = IDCANCEL, .text = "&Cancel"});
    Label2_ = AddLabel({.text = "Preview:"});
    Memo1_ = AddMemo({.id = kMemo1});
    previewFont_.reset(CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                   OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   FIXED_PITCH | FF_MODERN, "Courier New"));
    if (previewFont_) SetFont(Memo1_, previewFont_.get());
    Layout(kClientWidth, kClientHeight);
}

std::optional<std::string> TfrmStash::Run() {
    copied_.reset();
    if (ShowModal() != IDOK) return std::nullopt;
    return copied_;
}

void TfrmStash::form_show() {
    copied_.reset();
    model_.Show();
    FillList();
    SetWindowTextBytes(Memo1_, "");
    SetInitialFocus(file1_);
}

void TfrmStash::file1_Click() {
    const LRESULT index = SendMessageA(file1_, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return;
    model_.Select(static_cast<std::size_t>(index));
    SetWindowTextBytes(Memo1_, model_.Preview());
}

void TfrmStash::file1_dblclick() {
    // With no item selected (a double-click on the empty part of the list) there
    // is nothing to load and nothing is copied.
    if (std::optional<std::string> text = model_.Activate()) {
        copied_ = std::move(text);
        EndModal(IDOK);
    }
}

void TfrmStash::butCopy_Click() {
    model_.SetPreview(WindowText(Memo1_));
    copied_ = model_.Copy();
}

void TfrmStash::file1KeyDown(WORD key) {
    if (key != VK_DELETE) return;
    if (!model_.DeleteSelected()) return;
    FillList();
    SetWindowTextBytes(Memo1_, "");
}

void TfrmStash::FillList() {
    // Thousands of files: no repainting while the list fills, and room for all
    // of them reserved at once.
    const auto& items = model_.Items();
    size_t bytes = 0;
    for (const StashItem& item : items) bytes += item.name.size() + 1;
    SendMessageA(file1_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(file1_, LB_RESETCONTENT, 0, 0);
    SendMessageA(file1_, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
    for (const StashItem& item : items)
        SendMessageW(file1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item.name).c_str()));
    SendMessageA(file1_, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(file1_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(file1_, nullptr, TRUE);
}

void TfrmStash::Layout(int width, int height) {
    constexpr int m = 8;
    const int buttonsTop = height - m - 25;
    Place(Label1_, {m, m, kPanel1Width - 2 * m, 14});
    Place(file1_, {m, m + 18, kPanel1Width - 2 * m, std::max(0, buttonsTop - m - (m + 18))});
    Place(butCopy_, {m, buttonsTop, 75, 25});
    Place(butCancel_, {m + 79, buttonsTop, 75, 25});
    Place(Label2_, {kPanel1Width, m, std::max(0, width - kPanel1Width - m), 14});
    Place(Memo1_,
          {kPanel1Width, m + 18, std::max(0, width - kPanel1Width - m), std::max(0, height - 2 * m - 18)});
}

void TfrmStash::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (item.itemID != static_cast<UINT>(-1) && item.itemID < model_.Items().size()) {
        const StashItem& entry = model_.Items()[item.itemID];
        FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        HBITMAP glyph = (entry.glyph == StashGlyph::Program ? programGlyph_ : fileGlyph_).get();
        if (const UniqueMemoryDC memory{CreateCompatibleDC(dc)}) {
            const SelectedObject selectedGlyph{memory.get(), glyph};
            BitBlt(dc, r.left + 2, r.top + (r.bottom - r.top - kGlyphSize) / 2, kGlyphSize, kGlyphSize,
                   memory.get(), 0, 0, SRCCOPY);
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = r;
        text.left += kGlyphSize + 6;
        const std::wstring name = Widen(entry.name);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void TfrmStash::OnCommand(int id, int code, HWND control) {
    if (id == kFile1) {
        if (code == LBN_SELCHANGE) file1_Click();
        if (code == LBN_DBLCLK) file1_dblclick();
        return;
    }
    Form::OnCommand(id, code, control);
}

LRESULT TfrmStash::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = kItemHeight;
            return TRUE;
        case WM_DRAWITEM:
            if (wParam != kFile1) break;
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_VKEYTOITEM:
            if (reinterpret_cast<HWND>(lParam) != file1_) break;
            file1KeyDown(LOWORD(wParam));
            return -1;  // the list box then does its usual work with the key
        case WM_SIZE:
            Layout(ToLayout(LOWORD(lParam)), ToLayout(HIWORD(lParam)));
            return 0;
        case WM_GETMINMAXINFO: {
            const RECT least = ToPixels({0, 0, 360, 220});  // the outer size, but scaled like the controls
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.right, least.bottom};
            return 0;
        }
        default:
            break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace tavrill
