#include "forms/fShortcuts.h"

#include <commctrl.h>

#include <string>

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
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());  // only read
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void AddColumn(HWND list, int column, const char* title, int width) {
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<char*>(title);  // only read
    c.cx = width;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
}

}  // namespace

TfrmShortcuts::TfrmShortcuts() {
    Create({.className = "TfrmShortcuts",
            .caption = "Keyboard shortcuts",
            .clientWidth = 360,
            .clientHeight = 372});
    lstCommands_ = AddControl(WC_LISTVIEWA, {.id = kLstCommands,
                                             .rect = {8, 8, 344, 270},
                                             .style = WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL |
                                                      LVS_SHOWSELALWAYS | LVS_NOSORTHEADER});
    SendMessageA(lstCommands_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const RECT list = ToPixels({0, 0, 200, 0});
    const RECT keys = ToPixels({0, 0, 120, 0});
    AddColumn(lstCommands_, kNameColumn, "Command", list.right);
    AddColumn(lstCommands_, kShortcutColumn, "Shortcut", keys.right);
    for (const CommandInfo& info : Commands()) {
        const std::string name(info.name);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(info.command);
        item.pszText = const_cast<char*>(name.c_str());  // only read
        SendMessageA(lstCommands_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }

    AddLabel({.rect = {8, 290, 110, 14}, .text = "&Press the shortcut:"});
    txtKey_ = AddControl(HOTKEY_CLASSA, {.id = kTxtKey, .rect = {120, 286, 150, 21}, .style = WS_TABSTOP});
    // A key alone, or with Shift only, would take a typed key from every program:
    // the box adds Ctrl+Alt to it, as a shortcut must have Ctrl or Alt.
    SendMessageA(txtKey_, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    AddButton({.id = kButNone, .rect = {277, 284, 75, 25}, .text = "&None"});
    labNote_ = AddLabel({.rect = {8, 316, 344, 16}, .style = SS_NOPREFIX});
    AddButton({.id = IDOK, .rect = {196, 340, 75, 25}, .text = "OK", .isDefault = true});
    AddButton({.id = IDCANCEL, .rect = {277, 340, 75, 25}, .text = "Cancel"});
    SetInitialFocus(lstCommands_);
}

std::optional<ShortcutTable> TfrmShortcuts::Run(const ShortcutTable& table) {
    table_ = table;
    for (const CommandInfo& info : Commands()) ShowShortcut(info.command);
    LVITEMA first{};
    first.stateMask = first.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(lstCommands_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    if (ShowModal() != IDOK) return std::nullopt;
    return table_;
}

std::optional<Command> TfrmShortcuts::Selected() const {
    const LRESULT row = SendMessageA(lstCommands_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0 || row >= static_cast<LRESULT>(kCommandCount)) return std::nullopt;
    return static_cast<Command>(row);
}

void TfrmShortcuts::ShowShortcut(Command c) {
    SetCell(lstCommands_, static_cast<int>(c), kShortcutColumn, FormatShortcut(table_.Get(c)));
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
    SendMessageA(txtKey_, HKM_SETHOTKEY, ToHotKeyBox(table_.Get(*c)), 0);
    filling_ = false;
    SetWindowTextBytes(labNote_, "");
}

void TfrmShortcuts::txtKeyChange() {
    const auto c = Selected();
    const Shortcut s = FromHotKeyBox(SendMessageA(txtKey_, HKM_GETHOTKEY, 0, 0));
    // Modifiers alone: the user is still on the way to the key. The box also
    // reports the keys being let go, which changes nothing.
    if (filling_ || !c || !s.Assigned() || s == table_.Get(*c)) return;
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
    SendMessageA(txtKey_, HKM_SETHOTKEY, 0, 0);
    filling_ = false;
    Assign(*c, {});
}

void TfrmShortcuts::Assign(Command c, Shortcut s) {
    const auto loser = table_.Assign(c, s);
    ShowShortcut(c);
    std::string note;
    if (loser) {
        ShowShortcut(*loser);
        note = FormatShortcut(s) + " moved here from " + std::string(InfoOf(*loser).name) + ".";
    }
    SetWindowTextBytes(labNote_, note);
}

}  // namespace tavrill
