#pragma once
// The command palette: a search box over a list of every menu command and
// every stash snippet, opened near the editor's caret. Typing filters the list
// and selects the best match (app/Palette.h); Up and Down move; Enter chooses,
// as does a double-click; Esc, or going to another window, closes it without
// a choice. One instance lives for the whole run and remembers what was chosen.

#include <cstdint>
#include <optional>
#include <vector>

#include "app/CommandUi.h"
#include "app/Palette.h"
#include "forms/Form.h"
#include "forms/StashReader.h"

namespace tavrill {

class TfrmPalette : public Form {
public:
    // The reader, shared with the stash browser, outlives the palette.
    explicit TfrmPalette(StashReader& reader);

    // Shown with its top-left corner at `where` (screen pixels), kept on that monitor.
    std::optional<PaletteChoice> Run(const ShortcutTable& shortcuts, POINT where);

    // Where the palette opens for an editor: below the caret of the editor's
    // thread, or nothing when that cannot be told.
    static std::optional<POINT> CaretPosition(HWND editor);

private:
    void OnShowing() override;
    void OnOK() override;
    void OnCommand(int id, int code, HWND control) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void BuildList();  // the commands and what the catalog holds now
    void Refilter(bool keepChoice);
    void Move(int by);  // Up, Down, Page Up, Page Down
    void DrawItem(const DRAWITEMSTRUCT& item);
    static LRESULT CALLBACK SearchBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

    StashReader& reader_;
    const ShortcutTable* shortcuts_ = nullptr;
    RecentUse recent_;
    std::optional<PaletteList> list_;
    std::vector<std::size_t> rows_;  // what the list shows, as indices into list_'s entries
    bool moved_ = false;             // the user chose a row with the keys since the last keystroke
    std::optional<PaletteChoice> choice_;
    // The stash folder's last-write time when the palette last listed it: a snippet added or
    // removed changes it, and an unchanged folder is not listed again.
    std::optional<std::uint64_t> listedStamp_;

    HWND txtFind_ = nullptr;
    HWND lstFound_ = nullptr;
};

}  // namespace tavrill
