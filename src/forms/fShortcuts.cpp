#include "forms/fShortcuts.h"

#include <commctrl.h>

#include <string>

#include "win32/Utf.h"

namespace tavrill {
namespace {

enum : int { kLstCommands = 101, kTxtKey, kButNone };

constexpr int kNameColumn = 0;
constexpr int kShortcutColumn = 1;

// The hot-key box speaks HOTKEYF_ bits; the table speaks MOD_ bits.
Shortcut FromHotKeyBox(LRESULT value) {
    const unsigned key = LOBYTE(LOWORD(value));
    const unsigned flags = HIBYTE(LOWORD(value));
    unsigned modifiers = 0;
    if (flags & HOTKEYF_CONTROL) modifiers |= kModCtrl;
    if (flags & HOTKEYF_ALT) modifiers |= kModAlt;
    if (flags & HOTKEYF_SHIFT) modifiers |= kModShift;
    return {modifiers, key};
}

WPARAM ToHotKeyBox(Shortcut s) {
    BYTE flags = 0;
    if (s.modifiers & kModCtrl) flags |= HOTKEYF_CONTROL;
    if (s.modifiers & kModAlt) flags |= HOTKEYF_ALT;
    if (s.modifiers & kModShift) flags |= HOTKEYF_SHIFT;
    return MAKEWORD(static_cast<BYTE>(s.key), flags);
}

void SetCell(HWND list, int row, int column, const std::string& text) {
    std::wstring wide = Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void AddColumn(HWND list, int column, const wchar_t* title, int width) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(title);  // only read
    c.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
}

}  // namespace

TfrmShortcuts::TfrmShortcuts() {
    Create({.className = "TfrmShortcuts",
            .caption = "Keyboard shortcuts",
            .clientWidth = 360,
            .clientHeight = 372});
    lstCommands_ = AddControl("SysListView32", {.id = kLstCommands,
                                                .rect = {8, 8, 344, 270},
                                                .style = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL |
                                                         LVS_SHOWSELALWAYS | LVS_NOSORTHEADER});
    SendMessageW(lstCommands_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const RECT list = ToPixels({0, 0, 200, 0});
    const RECT keys = ToPixels({0, 0, 120, 0});
    AddColumn(lstCommands_, kNameColumn, L"Command", list.right);
    AddColumn(lstCommands_, kShortcutColumn, L"Shortcut", keys.right);

    AddLabel({.rect = {8, 290, 110, 14}, .text = "&Press the shortcut:"});
    txtKey_ =
        AddControl("msctls_hotkey32", {.id = kTxtKey, .rect = {120, 286, 150, 21}, .style = WS_TABSTOP});
    // A key alone, or with Shift only, would take a typed key from every program:
    // the box adds Ctrl+Alt to it, as a shortcut must have Ctrl or Alt.
    SendMessageW(txtKey_, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    AddButton({.id = kButNone, .rect = {277, 284, 75, 25}, .text = "&None"});
    labNote_ = AddLabel({.rect = {8, 316, 344, 16}, .style = SS_NOPREFIX});
    AddButton({.id = IDOK, .rect = {196, 340, 75, 25}, .text = "OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {277, 340, 75, 25}, .text = "Cancel"});
    SetInitialFocus(lstCommands_);
}

std::optional<ShortcutTable> TfrmShortcuts::Run(const ShortcutTable& table,
                                                std::span<const ShortcutSlot> slots) {
    table_ = table;
    slots_ = slots;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        std::wstring name = Widen(slots_[i].name);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = name.data();
        SendMessageW(lstCommands_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ShowShortcut(i);
    }
    LVITEMW first{};
    first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(lstCommands_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    if (ShowModal() != IDOK) return std::nullopt;
    return table_;
}

std::optional<std::size_t> TfrmShortcuts::Selected() const {
    const LRESULT row = SendMessageW(lstCommands_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0 || static_cast<std::size_t>(row) >= slots_.size()) return std::nullopt;
    return static_cast<std::size_t>(row);
}

void TfrmShortcuts::ShowShortcut(std::size_t row) {
    SetCell(lstCommands_, static_cast<int>(row), kShortcutColumn,
            FormatShortcut(table_.Get(slots_[row].key)));
}

LRESULT TfrmShortcuts::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kLstCommands && header->code == LVN_ITEMCHANGED) {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
            if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
                lstCommandsChange();
        }
        return 0;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

void TfrmShortcuts::OnCommand(int id, int code, HWND control) {
    if (id == kTxtKey && code == EN_CHANGE) return txtKeyChange();
    if (id == kButNone && code == BN_CLICKED) return butNoneClick();
    Form::OnCommand(id, code, control);
}

void TfrmShortcuts::lstCommandsChange() {
    const auto c = Selected();
    if (!c) return;
    filling_ = true;
    SendMessageW(txtKey_, HKM_SETHOTKEY, ToHotKeyBox(table_.Get(slots_[*c].key)), 0);
    filling_ = false;
    SetWindowTextBytes(labNote_, "");
}

void TfrmShortcuts::txtKeyChange() {
    const auto c = Selected();
    const Shortcut s = FromHotKeyBox(SendMessageW(txtKey_, HKM_GETHOTKEY, 0, 0));
    // Modifiers alone: the user is still on the way to the key. The box also
    // reports the keys being let go, which changes nothing.
    if (filling_ || !c || !s.Assigned() || s == table_.Get(slots_[*c].key)) return;
    if (!ParseShortcut(FormatShortcut(s))) {
        SetWindowTextBytes(labNote_, "That key cannot be a shortcut; use a letter, a digit or F1 to F24.");
        return;
    }
    Assign(*c, s);
}

void TfrmShortcuts::butNoneClick() {
    const auto c = Selected();
    if (!c) return;
    filling_ = true;
    SendMessageW(txtKey_, HKM_SETHOTKEY, 0, 0);
    filling_ = false;
    Assign(*c, {});
}

void TfrmShortcuts::Assign(std::size_t row, Shortcut s) {
    const auto loser = table_.Assign(slots_[row].key, s);
    ShowShortcut(row);
    std::string note;
    for (std::size_t i = 0; loser && i < slots_.size(); ++i) {
        if (slots_[i].key != *loser) continue;
        ShowShortcut(i);
        note = FormatShortcut(s) + " moved here from " + slots_[i].name + ".";
    }
    SetWindowTextBytes(labNote_, note);
}

}  // namespace tavrill
