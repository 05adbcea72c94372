// The two stash buttons: save the selection as a snippet, and copy one back
// from the browser.

#include <optional>
#include <string>

#include "app/MenuCommands.h"
#include "app/SnippetInsert.h"
#include "base/Error.h"
#include "stash/StashFile.h"

namespace tavrill {
namespace {

constexpr std::string_view kNeedFileName = "You need to enter a filename to save this piece of code.";
constexpr std::string_view kCantSave = "Can't save";

}  // namespace

// The dialog shows the selection, empty when nothing is selected (the user may
// type a snippet there). Throws CannotCreateFile when the snippet cannot be
// written or its name leads out of the stash folder; an old snippet of that
// name is then left as it was.
void RunStashSave(CommandContext& c) {
    const std::optional<std::string> selection = c.bridge.FetchSelection();
    if (!selection) return;
    const std::optional<SaveValues> values = c.ui.AskSnippet(*selection);
    if (!values) return;
    if (values->name.empty()) {
        c.bridge.NoticeBox(kNeedFileName, kCantSave);
        return;
    }
    const StashPath target = StashFilePath(c.folders.stash, values->name);
    if (!SaveStashFile(target, StashFileContent(values->description, values->code)))
        throw CannotCreateFile(target.path);
}

// The chosen snippet, filled in, replaces the selection.
void RunStashBrowse(CommandContext& c) {
    if (!c.bridge.FindEditor()) return;
    if (const std::optional<std::string> snippet = c.ui.BrowseStash())
        InsertSnippet(c.bridge, c.ui.Templates(), *snippet);
}

}  // namespace tavrill
