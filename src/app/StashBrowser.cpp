#include "app/StashBrowser.h"

#include <algorithm>

#include "base/Files.h"

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

}  // namespace tavrill
