#include "stash/StashCatalog.h"

namespace tavrill {

void StashCatalog::Refresh() {
    index_ = StashIndex::FromListing(ListStash(folder_), std::move(index_));
    StashReadJob job{++generation_, folder_, {}};
    for (const std::size_t i : index_.Unread()) job.files.emplace_back(i, index_.Item(i));
    job_ = std::move(job);
}

bool StashCatalog::Accept(StashTexts texts) {
    if (texts.generation != generation_) return false;
    for (auto& [i, text] : texts.texts)
        if (i < index_.Size()) index_.Fill(i, std::move(text));
    return true;
}

void ReadStashFiles(const StashReadJob& job, std::size_t batch, const std::atomic<bool>& stop,
                    const std::function<void(StashTexts)>& deliver) {
    StashTexts texts{job.generation, {}};
    for (const auto& [i, item] : job.files) {
        if (stop.load(std::memory_order_relaxed)) return;
        texts.texts.emplace_back(i, ReadStashText(job.folder, item));
        if (texts.texts.size() >= batch) deliver(std::exchange(texts, StashTexts{job.generation, {}}));
    }
    if (!texts.texts.empty()) deliver(std::move(texts));
}

}  // namespace tavrill
