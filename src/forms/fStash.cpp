#include "forms/fStash.h"

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cwchar>

#include "win32/Dpi.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

enum : int { kFile1 = 101, kMemo1, kTxtSearch, kChkByName, kChkNewest, kButImport };

// The files are read once the list is on screen: a timer, since timers come after painting, and the
// reading would otherwise compete with the first paint for the processor and the file system.
constexpr UINT_PTR kReadStash = 1;

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 380;
constexpr int kPanel1Width = 250;
constexpr int kItemHeight = 18;  // layout units
constexpr int kPreviewFontHeight = 11;

// The glyph drawn for the resolution: NAME, NAME24 or NAME32 (16, 24 or 32 pixels).
UniqueBitmap LoadGlyph(std::string name, int dpi) {
    const char* suffixes[] = {"", "24", "32"};
    name += suffixes[PictureSizeIndex(dpi)];
    return UniqueBitmap{static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), Widen(name).c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR))};
}

int GlyphSize(HBITMAP glyph) {
    BITMAP info{};
    return glyph && GetObjectW(glyph, sizeof info, &info) ? info.bmHeight : 0;
}

std::string SearchText(HWND box) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    return Narrow(text);
}

// The files picked in a multiple-choice open dialog: a folder and then the names, each ending in a
// NUL and the list in a second NUL; a single file comes as one whole path.
std::vector<std::string> PickedFiles(const wchar_t* buffer) {
    const std::wstring first = buffer;
    std::vector<std::string> paths;
    if (first.empty()) return paths;
    for (const wchar_t* name = buffer + first.size() + 1; *name; name += wcslen(name) + 1) {
        std::wstring path = first;
        if (!path.empty() && path.back() != L'\\') path += L'\\';
        paths.push_back(Narrow(path + name));
    }
    if (paths.empty()) paths.push_back(Narrow(first));
    return paths;
}

}  // namespace

TfrmStash::TfrmStash(BridgeHost& host, StashReader& reader)
    : reader_(reader), model_(host, reader.Catalog()) {
    Create({.className = "TfrmStash",
            .caption = "Your code stash",
            // Sizeable, with a close box but no minimize or maximize box.
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
            .clientWidth = kClientWidth,
            .clientHeight = kClientHeight});

    // In tab order; Layout places them.
    Label1_ = AddLabel({.text = "Files in Stash"});
    txtSearch_ = AddEdit({.id = kTxtSearch});
    // The edit box's own cue: shown while it is empty, never its text.
    SendMessageW(txtSearch_, EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(L"Search names, descriptions, code"));
    SetWindowSubclass(txtSearch_, &TfrmStash::SearchBoxProc, 0, reinterpret_cast<DWORD_PTR>(this));
    chkByName_ = AddRadioButton({.id = kChkByName, .text = "&Name", .firstOfGroup = true});
    chkNewest_ = AddRadioButton({.id = kChkNewest, .text = "Newest &first"});
    SetChecked(chkByName_, true);
    file1_ =
        AddControl("LISTBOX", {.id = kFile1,
                               .style = WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                        LBS_HASSTRINGS | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT,
                               .exStyle = WS_EX_CLIENTEDGE});
    butCopy_ = AddButton({.id = IDOK, .text = "C&OPY", .isDefault = true});
    butCancel_ = AddButton({.id = IDCANCEL, .text = "&Cancel"});
    butImport_ = AddButton({.id = kButImport, .text = "&Import templates..."});
    Label2_ = AddLabel({.text = "Preview:"});
    if (ClassName()) {
        Memo1_ = AddControl(ClassName(), {.id = kMemo1,
                                          .style = WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_WANTRETURN |
                                                   ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL,
                                          .exStyle = WS_EX_CLIENTEDGE});
        PrepareRichPreview(Memo1_);
    } else {
        Memo1_ = AddMemo({.id = kMemo1});  // no rich edit on this system: the plain preview
    }
    LoadGlyphsAndFont();
    Layout(kClientWidth, kClientHeight);
}

void TfrmStash::LoadGlyphsAndFont() {
    programGlyph_ = LoadGlyph("EXECUTABLE", Dpi());
    fileGlyph_ = LoadGlyph("UNKNOWNFILE", Dpi());
    const int height = ToPixels({0, 0, 0, kPreviewFontHeight}).bottom;
    GiveFont(Memo1_, previewFont_,
             UniqueFont{CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    FIXED_PITCH | FF_MODERN, L"Courier New")});
}

void TfrmStash::OnDpiChanged() {
    LoadGlyphsAndFont();
    SendMessageW(file1_, LB_SETITEMHEIGHT, 0, ToPixels({0, 0, 0, kItemHeight}).bottom);
}

std::optional<std::string> TfrmStash::Run() {
    copied_.reset();
    reader_.SetListener([this] { IndexGrew(); });
    const int result = ShowModal();
    reader_.SetListener({});
    if (result != IDOK) return std::nullopt;
    return copied_;
}

void TfrmStash::form_show() {
    copied_.reset();
    // Show empties the model's search itself: the box's change must not search the last showing's rows.
    showing_ = true;
    SetWindowTextW(txtSearch_, L"");
    showing_ = false;
    model_.Show();
    SetTimer(hwnd_, kReadStash, USER_TIMER_MINIMUM, nullptr);  // without it, the search reaches names only
    FillList();
    ShowPreview("");
    SetInitialFocus(txtSearch_);
}

void TfrmStash::file1_Click() {
    const LRESULT row = SendMessageW(file1_, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR || static_cast<size_t>(row) >= model_.Rows().size()) return;
    model_.Select(model_.Rows()[static_cast<size_t>(row)]);
    ShowPreview(model_.Preview());
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
    model_.SetPreview(ClassName() ? RichEditText(Memo1_) : WindowText(Memo1_));
    copied_ = model_.Copy();
}

void TfrmStash::file1KeyDown(WORD key) {
    if (key != VK_DELETE) return;
    if (!model_.DeleteSelected()) return;
    reader_.ReadPending();
    FillList();
    ShowPreview("");
}

void TfrmStash::txtSearch_Change() {
    if (showing_) return;
    const auto selected = model_.Selected();
    const std::vector<std::size_t> rows = model_.Rows();
    model_.Search(SearchText(txtSearch_));
    ShowModel(rows, selected);
}

void TfrmStash::IndexGrew() {
    const auto selected = model_.Selected();
    const std::vector<std::size_t> rows = model_.Rows();
    model_.IndexGrew();
    ShowModel(rows, selected);
    InvalidateRect(file1_, nullptr, FALSE);  // the descriptions just read
}

void TfrmStash::ShowModel(const std::vector<std::size_t>& rowsBefore,
                          std::optional<std::size_t> selectedBefore) {
    // The first letters typed often keep every row: then the list stays as it is.
    if (model_.Rows() != rowsBefore) {
        FillList();
    } else if (model_.Selected() != selectedBefore) {
        const auto& rows = model_.Rows();
        const auto at =
            model_.Selected() ? std::find(rows.begin(), rows.end(), *model_.Selected()) : rows.end();
        SendMessageW(file1_, LB_SETCURSEL, at == rows.end() ? static_cast<WPARAM>(-1) : at - rows.begin(), 0);
    }
    if (model_.Selected() != selectedBefore) ShowPreview(model_.Preview());
}

void TfrmStash::txtSearchKeyDown() {
    if (model_.Rows().empty()) return;
    SetFocus(file1_);
    if (SendMessageW(file1_, LB_GETCURSEL, 0, 0) != LB_ERR) return;
    SendMessageW(file1_, LB_SETCURSEL, 0, 0);
    file1_Click();
}

void TfrmStash::chkOrder_Click() {
    model_.SetOrder(IsChecked(chkNewest_) ? StashOrder::NewestFirst : StashOrder::ByName);
    FillList();
}

void TfrmStash::butImport_Click() {
    // Room for many long names at once; a choice that does not fit fails the dialog as if cancelled.
    std::vector<wchar_t> buffer(64 * 1024, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = hwnd_;
    ofn.lpstrFilter = L"Code templates (*.xml)\0*.xml\0All files (*.*)\0*.*\0";
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = L"Import templates";
    ofn.Flags =
        OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return;
    model_.ImportTemplates(PickedFiles(buffer.data()));
    FillList();
    ShowPreview("");
}

void TfrmStash::FillList() {
    // Thousands of files: no repainting while the list fills, and room for all
    // of them reserved at once.
    // A list box adds a row slowly under Wine (a fraction of a millisecond): a list that already
    // holds these names, as at most openings, is kept.
    const auto& items = model_.Items();
    const auto& rows = model_.Rows();
    std::vector<std::string_view> names;
    names.reserve(rows.size());
    for (size_t i : rows) names.push_back(items[i].name);
    SendMessageW(file1_, WM_SETREDRAW, FALSE, 0);
    if (!std::equal(names.begin(), names.end(), listed_.begin(), listed_.end())) {
        size_t bytes = 0;
        for (std::string_view name : names) bytes += name.size() + 1;
        SendMessageW(file1_, LB_RESETCONTENT, 0, 0);
        SendMessageW(file1_, LB_INITSTORAGE, rows.size(), static_cast<LPARAM>(bytes));
        for (std::string_view name : names)
            SendMessageW(file1_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
        listed_.assign(names.begin(), names.end());
    }
    // A selected item that is still listed stays selected, wherever it now stands.
    const auto selected = model_.Selected();
    const auto at = selected ? std::find(rows.begin(), rows.end(), *selected) : rows.end();
    const WPARAM row = at == rows.end() ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(at - rows.begin());
    SendMessageW(file1_, LB_SETCURSEL, row, 0);
    SendMessageW(file1_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(file1_, nullptr, TRUE);
}

void TfrmStash::ShowPreview(std::string_view text) {
    if (ClassName())
        SetHighlightedText(Memo1_, text);
    else
        SetWindowTextBytes(Memo1_, text);
}

void TfrmStash::Layout(int width, int height) {
    constexpr int m = 8;
    constexpr int listTop = m + 18 + 26 + 22;
    const int buttonsTop = height - m - 25;
    const int importTop = buttonsTop - 25 - 6;
    const int panelWidth = kPanel1Width - 2 * m;
    Place(Label1_, {m, m, panelWidth, 14});
    Place(txtSearch_, {m, m + 18, panelWidth, 21});
    Place(chkByName_, {m, m + 18 + 26, panelWidth / 2, 18});
    Place(chkNewest_, {m + panelWidth / 2, m + 18 + 26, panelWidth / 2, 18});
    Place(file1_, {m, listTop, panelWidth, std::max(0, importTop - m - listTop)});
    Place(butImport_, {m, importTop, 154, 25});
    Place(butCopy_, {m, buttonsTop, 75, 25});
    Place(butCancel_, {m + 79, buttonsTop, 75, 25});
    Place(Label2_, {kPanel1Width, m, std::max(0, width - kPanel1Width - m), 14});
    Place(Memo1_,
          {kPanel1Width, m + 18, std::max(0, width - kPanel1Width - m), std::max(0, height - 2 * m - 18)});
}

LRESULT CALLBACK TfrmStash::SearchBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR self) {
    // A one-line edit box does nothing with Down; here it leads into the list.
    if (msg == WM_KEYDOWN && wParam == VK_DOWN) {
        reinterpret_cast<TfrmStash*>(self)->txtSearchKeyDown();
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &TfrmStash::SearchBoxProc, 0);
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void TfrmStash::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (item.itemID != static_cast<UINT>(-1) && item.itemID < model_.Rows().size()) {
        const size_t index = model_.Rows()[item.itemID];
        const StashItem& entry = model_.Items()[index];
        FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        HBITMAP glyph = (entry.glyph == StashGlyph::Program ? programGlyph_ : fileGlyph_).get();
        const int glyphSize = GlyphSize(glyph);
        const int gap = ToPixels({0, 0, 2, 0}).right;
        if (const UniqueMemoryDC memory{CreateCompatibleDC(dc)}) {
            const SelectedObject selectedGlyph{memory.get(), glyph};
            BitBlt(dc, r.left + gap, r.top + (r.bottom - r.top - glyphSize) / 2, glyphSize, glyphSize,
                   memory.get(), 0, 0, SRCCOPY);
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        RECT text = r;
        text.left += glyphSize + 3 * gap;
        const std::wstring name = Widen(entry.name);
        DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        // The description, dimmed, after the name.
        if (const std::wstring description = Widen(model_.Description(index)); !description.empty()) {
            RECT nameSize = text;
            DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &nameSize,
                      DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
            text.left = std::min(nameSize.right + 4 * gap, text.right);
            SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
            DrawTextW(dc, description.c_str(), static_cast<int>(description.size()), &text,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void TfrmStash::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case kFile1:
            if (code == LBN_SELCHANGE) file1_Click();
            if (code == LBN_DBLCLK) file1_dblclick();
            return;
        case kTxtSearch:
            if (code == EN_CHANGE) txtSearch_Change();
            return;
        case kButImport:
            if (code == BN_CLICKED) butImport_Click();
            return;
        case kChkByName:
        case kChkNewest:
            if (code == BN_CLICKED) chkOrder_Click();
            return;
        case IDOK:  // Enter in the search box copies only a selected snippet
            if (GetFocus() == txtSearch_ && !model_.Selected()) return;
            break;
        case IDCANCEL:  // Esc in a search box that holds text empties it
            if (GetFocus() == txtSearch_ && GetWindowTextLengthW(txtSearch_) > 0) {
                SetWindowTextW(txtSearch_, L"");
                return;
            }
            break;
        default:
            break;
    }
    Form::OnCommand(id, code, control);
}

LRESULT TfrmStash::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER:
            if (wParam != kReadStash) break;
            KillTimer(hwnd_, kReadStash);
            reader_.ReadPending();
            return 0;
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight =
                static_cast<UINT>(ToPixels({0, 0, 0, kItemHeight}).bottom);
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
