#include "app/StashBrowser.h"

#include <algorithm>

#include "app/Palette.h"
#include "base/Error.h"
#include "base/Files.h"
#include "stash/TemplateImport.h"

namespace tavrill {

void StashBrowserModel::Show() {
    query_.clear();
    Reload();
}

void StashBrowserModel::Reload() {
    Unselect();
    catalog_.Refresh();
    const StashIndex& index = catalog_.Index();
    items_.clear();
    items_.reserve(index.Size());
    for (std::size_t i = 0; i < index.Size(); ++i) items_.push_back(index.Item(i));
    Refilter();
}

void StashBrowserModel::Unselect() {
    selected_.reset();
    chosen_ = false;
    preview_.Clear();
}

void StashBrowserModel::Search(std::string query) {
    query_ = std::move(query);
    Refilter();
}

void StashBrowserModel::SetOrder(StashOrder order) {
    order_ = order;
    Refilter();
}

void StashBrowserModel::Refilter() {
    // The catalog may have been listed again by the palette since Show: its rows are not ours then.
    if (catalog_.Index().Size() != items_.size()) return Reload();
    rows_ = catalog_.Index().Search(query_, order_);
    const bool shown = selected_ && std::find(rows_.begin(), rows_.end(), *selected_) != rows_.end();
    if (shown && chosen_) return;
    const std::optional<std::size_t> best = BestMatch(query_, rows_, items_);
    if (best && best == selected_) return;  // the preview keeps its edits
    Unselect();
    if (!best) return;
    try {
        preview_.LoadFile(StashItemPath(catalog_.Folder(), items_[*best].name));
        selected_ = best;
    } catch (const Error&) {
        // Gone since the listing: nothing is selected rather than an empty snippet, and the
        // user hears about it only on choosing it.
        preview_.Clear();
    }
}

void StashBrowserModel::Select(std::size_t index) {
    if (index >= items_.size()) return;
    selected_ = index;
    chosen_ = true;
    preview_.LoadFile(StashItemPath(catalog_.Folder(), items_[index].name));
}

std::optional<std::string> StashBrowserModel::Copy() {
    if (!selected_) return std::nullopt;
    LineList code(preview_.GetText());
    code.DeleteLine(0);
    return code.GetText();
}

std::optional<std::string> StashBrowserModel::Activate() {
    if (!selected_) return std::nullopt;
    Select(*selected_);
    return Copy();
}

std::string SnippetToInsert(std::string_view stashFolder, std::string_view name) {
    LineList code;
    code.LoadFile(StashItemPath(stashFolder, name));
    code.DeleteLine(0);
    return code.GetText();
}

bool StashBrowserModel::DeleteSelected() {
    if (!selected_) return false;
    if (!host_.AskYesNo(kDeleteQuestion, kDeleteCaption)) return false;
    // A file that will not go simply stays in the list read next.
    DeleteFileAt(StashItemPath(catalog_.Folder(), items_[*selected_].name));
    Reload();
    return true;
}

void StashBrowserModel::ImportTemplates(const std::vector<std::string>& paths) {
    if (paths.empty()) return;
    std::vector<TemplateFile> files;
    std::vector<std::string> problems;
    for (const std::string& path : paths) {
        if (std::optional<std::string> bytes = ReadFileBytes(path))
            files.push_back({path.substr(path.find_last_of("\\/") + 1), std::move(*bytes)});
        else
            problems.push_back(CannotOpenFile(path).what());
    }
    std::vector<std::string> existing;
    for (const StashItem& item : ListStash(catalog_.Folder())) existing.push_back(item.name);
    TemplateImport import = ImportTemplateFiles(files, existing);
    problems.insert(problems.end(), import.errors.begin(), import.errors.end());
    for (const std::string& name : SaveImportedSnippets(catalog_.Folder(), import.snippets))
        problems.push_back("Could not write " + name + " into the stash");
    Reload();
    if (problems.empty()) return;
    std::string message;
    for (const std::string& p : problems) message += (message.empty() ? "" : "\r\n") + p + ".";
    host_.ShowNotice(message, kImportCaption);
}

}  // namespace tavrill
