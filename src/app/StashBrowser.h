#pragma once
// The stash browser's behaviour apart from its window, so that the Windows form
// only moves text between its controls and StashBrowserModel.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/BridgeHost.h"
#include "stash/StashCatalog.h"
#include "stash/StashFolder.h"
#include "text/LineList.h"

namespace tavrill {

inline constexpr std::string_view kDeleteQuestion =
    "Are you sure you wish to remove this item from your stash?";
inline constexpr std::string_view kDeleteCaption = "Delete item";
inline constexpr std::string_view kImportCaption = "Import templates";

// What the browser shows and does. The preview's text lives in the window's
// edit box while the user works; the form hands it over with SetPreview before
// anything reads it.
class StashBrowserModel {
public:
    // The catalog is shared with the palette and outlives the model.
    StashBrowserModel(BridgeHost& host, StashCatalog& catalog) : host_(host), catalog_(catalog) {}

    // form_show: the folder listed again (the catalog's job then says which
    // files are left to read); nothing selected, the preview empty, the search
    // emptied. The order stays as chosen for the whole run.
    void Show();

    // More of the catalog's files were read: the search runs again over them,
    // the selection kept as Search keeps it.
    void IndexGrew() { Refilter(); }

    const std::vector<StashItem>& Items() const { return items_; }
    std::optional<std::size_t> Selected() const { return selected_; }

    // The description from an item's marker line; empty without one.
    const std::string& Description(std::size_t item) const { return catalog_.Index().Description(item); }

    // The items the list shows, as indices into Items(): those the search
    // finds, in the chosen order; all of them, by name, unless chosen otherwise.
    const std::vector<std::size_t>& Rows() const { return rows_; }

    // The search box's text and the order choice. A row the user chose stays
    // selected with its preview, edits included, while it is still shown;
    // otherwise the best match of the query (BestMatch) is selected, so that
    // Enter takes it, and with an empty query or no rows nothing is.
    void Search(std::string query);
    void SetOrder(StashOrder order);
    const std::string& Query() const { return query_; }
    StashOrder Order() const { return order_; }

    // file1_Click, the user's choice: loads the file whole, lone CR and LF
    // made CR LF. Throws CannotOpenFile when it cannot be read; the preview
    // then keeps its text. An index past the end of the list changes nothing.
    void Select(std::size_t index);

    const std::string& Preview() const { return preview_.GetText(); }
    void SetPreview(std::string text) { preview_.SetText(std::move(text)); }

    // butCopy_Click: the preview less its first line, whether or not it is a
    // marker line; nothing while no snippet is selected.
    std::optional<std::string> Copy();

    // file1_dblclick: the selected file loaded afresh (edits are lost) and
    // copied. Nothing without a selection.
    std::optional<std::string> Activate();

    // file1KeyDown with the Delete key: asks, and on Yes deletes the selected
    // file (a failure is not reported), reads the folder again and empties the
    // preview. True when the list and preview were refreshed.
    bool DeleteSelected();

    // butImport_Click, with the files the user picked: every template of the IDE's code template
    // files becomes a snippet under a name the stash does not hold yet. A file that cannot be
    // read or is not a template file gives nothing; it, and any snippet that could not be
    // written, are told in one message. The list is read again, nothing selected.
    void ImportTemplates(const std::vector<std::string>& paths);

private:
    void Reload();
    void Refilter();
    void Unselect();

    BridgeHost& host_;
    StashCatalog& catalog_;
    std::vector<StashItem> items_;
    std::optional<std::size_t> selected_;
    bool chosen_ = false;  // the selection is the user's, not the best match's
    LineList preview_;
    std::string query_;
    StashOrder order_ = StashOrder::ByName;
    std::vector<std::size_t> rows_;
};

// What COPY delivers of a stash file: its text less the first line, lone CR
// and LF made CR LF. Throws CannotOpenFile when it cannot be read.
std::string SnippetToInsert(std::string_view stashFolder, std::string_view name);

}  // namespace tavrill
