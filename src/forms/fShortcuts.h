#pragma once
// "Keyboard shortcuts": every command with its shortcut, a hot-key box to give
// the selected one a new shortcut, and None to clear it. A fresh dialog for each
// use; it changes a copy of the table and hands it back on OK.

#include <optional>
#include <span>

#include "app/Shortcuts.h"
#include "forms/Form.h"

namespace tavrill {

class TfrmShortcuts : public Form {
public:
    TfrmShortcuts();
    // Shows the dialog with `table`; the changed table on OK, nothing on Cancel.
    std::optional<ShortcutTable> Run(const ShortcutTable& table, std::span<const ShortcutSlot> slots);

private:
    void OnCommand(int id, int code, HWND control) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::optional<std::size_t> Selected() const;
    void lstCommandsChange();  // another command selected: its shortcut into the hot-key box
    void txtKeyChange();       // a key typed into the hot-key box
    void butNoneClick();
    void Assign(std::size_t row, Shortcut s);
    void ShowShortcut(std::size_t row);

    HWND lstCommands_ = nullptr;
    HWND txtKey_ = nullptr;
    HWND labNote_ = nullptr;
    ShortcutTable table_;
    std::span<const ShortcutSlot> slots_;
    bool filling_ = false;  // the hot-key box is being set from the list, not typed into
};

}  // namespace tavrill
