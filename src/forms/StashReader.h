#pragma once
// Reads the stash's files on a worker thread after a listing, so that the
// browser and the palette show their lists at once. The worker owns a copy of
// its job and posts each batch it has read to a message-only window of the
// thread that made the reader; only that thread touches the catalog. A new
// start, and the reader's end, stop the worker between two files and wait for it.

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

#include "stash/StashCatalog.h"

namespace tavrill {

class StashReader {
public:
    // Throws Error when its window cannot be made. The catalog outlives the reader.
    explicit StashReader(StashCatalog& catalog);
    ~StashReader();
    StashReader(const StashReader&) = delete;
    StashReader& operator=(const StashReader&) = delete;

    StashCatalog& Catalog() { return catalog_; }

    // Lists the stash folder again and reads, in the background, what the listing left to read.
    void Refresh() {
        catalog_.Refresh();
        ReadPending();
    }
    // Reads in the background what the catalog's last listing left to read, if
    // it has not been started yet; a reading of an earlier listing stops.
    void ReadPending();

    // Run after each batch is in the catalog, on the reader's thread; empty: nobody listens.
    void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Stop();
    void Take(StashTexts* texts);

    StashCatalog& catalog_;
    HWND window_ = nullptr;
    std::atomic<bool> stop_ = false;
    std::thread worker_;
    std::function<void()> listener_;
};

}  // namespace tavrill
