#include "app/StashBrowser.h"

#include <algorithm>

#include "base/Error.h"
#include "base/Files.h"
#include "stash/TemplateImport.h"

namespace tavrill {

void StashBrowserModel::Show() {
    query_.clear();
    Reload();
}

void StashBrowserModel::Reload() {
    selected_.reset();
    index_ = StashIndex::Read(stashFolder_, std::move(index_));
    items_.clear();
    items_.reserve(index_.Size());
    for (std::size_t i = 0; i < index_.Size(); ++i) items_.push_back(index_.Item(i));
    preview_.Clear();
    Refilter();
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
    rows_ = index_.Search(query_, order_);
    if (selected_ && std::find(rows_.begin(), rows_.end(), *selected_) == rows_.end()) {
        selected_.reset();
        preview_.Clear();
    }
}

void StashBrowserModel::Select(std::size_t index) {
    if (index >= items_.size()) return;
    selected_ = index;
    preview_.LoadFile(StashItemPath(stashFolder_, items_[index].name));
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

bool StashBrowserModel::DeleteSelected() {
    if (!selected_) return false;
    if (!host_.AskYesNo(kDeleteQuestion, kDeleteCaption)) return false;
    // A file that will not go simply stays in the list read next.
    DeleteFileAt(StashItemPath(stashFolder_, items_[*selected_].name));
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
    for (const StashItem& item : ListStash(stashFolder_)) existing.push_back(item.name);
    TemplateImport import = ImportTemplateFiles(files, existing);
    problems.insert(problems.end(), import.errors.begin(), import.errors.end());
    for (const std::string& name : SaveImportedSnippets(stashFolder_, import.snippets))
        problems.push_back("Could not write " + name + " into the stash");
    Reload();
    if (problems.empty()) return;
    std::string message;
    for (const std::string& p : problems) message += (message.empty() ? "" : "\r\n") + p + ".";
    host_.ShowNotice(message, kImportCaption);
}

}  // namespace tavrill
