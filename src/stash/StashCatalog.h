#pragma once
// The one index of the stash that the browser and the palette share. Opening
// either lists the folder at once; the files are read afterwards, on a worker
// thread of the Windows layer, in batches handed back to the thread that owns
// the catalog. Nothing here is shared between threads: a job is a copy the
// worker owns, and its texts come back as values.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stash/StashSearch.h"

namespace tavrill {

// The files left to read after a listing, each with its place in the index.
struct StashReadJob {
    std::uint64_t generation = 0;
    std::string folder;
    std::vector<std::pair<std::size_t, StashItem>> files;
};

// Texts read for a job, in its order.
struct StashTexts {
    std::uint64_t generation = 0;
    std::vector<std::pair<std::size_t, StashText>> texts;
};

class StashCatalog {
public:
    explicit StashCatalog(std::string stashFolder) : folder_(std::move(stashFolder)) {}

    // Lists the folder again; a file unchanged since keeps what was read of it.
    // What is left to read waits in TakeJob; a job of an earlier listing is
    // outdated from now on.
    void Refresh();
    std::optional<StashReadJob> TakeJob() { return std::exchange(job_, std::nullopt); }

    // Puts read texts in; false (and nothing changes) for an outdated job's.
    bool Accept(StashTexts texts);

    const StashIndex& Index() const { return index_; }
    const std::string& Folder() const { return folder_; }

private:
    std::string folder_;
    StashIndex index_;
    std::uint64_t generation_ = 0;
    std::optional<StashReadJob> job_;
};

// Reads the job's files in its order and hands them over `batch` at a time;
// stops between two files once `stop` is set. The worker thread's whole work.
void ReadStashFiles(const StashReadJob& job, std::size_t batch, const std::atomic<bool>& stop,
                    const std::function<void(StashTexts)>& deliver);

}  // namespace tavrill
