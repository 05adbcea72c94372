#pragma once
// Searching the stash. The browser reads every snippet once per showing into a
// StashIndex, which keeps each one's name, description and code folded to lower
// case, so that a keystroke in the search box only scans memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "stash/StashFolder.h"

namespace tavrill {

// UTF-8 in lower case: the ASCII letters and the letters of the Latin-1
// Supplement and Latin Extended-A blocks (U+00C0 to U+017F) by their simple
// lower-case mapping. Every other byte, invalid sequences included, is kept.
std::string FoldCase(std::string_view utf8);

// The description a stash file carries: its first line after the "//TAVRILL:"
// marker, or nothing when the first line is not a marker line.
std::string_view StashDescription(std::string_view fileBytes);

// What the index keeps of one snippet's file: read on a worker thread, then
// handed to the index (StashIndex::Fill) on the thread that owns it.
struct StashText {
    std::string description;
    std::string folded;  // name, a line break, then the file less its marker, all folded
};
StashText IndexedText(std::string_view name, std::string_view fileBytes);
// The file read as the preview shows it (an older ANSI snippet is found by its
// letters); a file that cannot be read gives its name alone.
StashText ReadStashText(const std::string& stashFolder, const StashItem& item);

class StashIndex {
public:
    // The listing at once, each snippet found by its name alone until Fill
    // gives its text; a file that `previous` holds with the same name, time and
    // size keeps what was read of it. Unread() then says what is left to read.
    static StashIndex FromListing(std::vector<StashItem> listing, StashIndex previous);
    std::vector<std::size_t> Unread() const;
    bool IsRead(std::size_t i) const { return entries_[i].read; }
    void Fill(std::size_t i, StashText text);

    // Every listed file of the folder, read now (FromListing, then every file). A file that cannot be read is
    // kept with its name alone, so the list still shows it. A file that
    // `previous` holds with the same name, time and size is taken from there
    // instead of being read again: opening a stash of thousands then costs a
    // listing, while a file edited since (a new time or size) is read afresh.
    static StashIndex Read(const std::string& stashFolder, StashIndex previous);
    static StashIndex Read(const std::string& stashFolder) { return Read(stashFolder, StashIndex()); }

    // Adds a snippet after those already added; `fileBytes` is the whole file.
    // Entries are expected in the listing's order by name.
    void Add(StashItem item, std::string_view fileBytes);

    std::size_t Size() const { return entries_.size(); }
    const StashItem& Item(std::size_t i) const { return entries_[i].item; }
    const std::string& Description(std::size_t i) const { return entries_[i].description; }

    // The entries whose name, description or code contain every word of
    // `query` (words are separated by blanks, tabs and line breaks; case is
    // ignored as FoldCase ignores it), as indices in `order`. A query without
    // words finds every entry.
    std::vector<std::size_t> Search(std::string_view query, StashOrder order) const;

private:
    struct Entry {
        bool SameFile(const StashItem& other) const {
            return item.name == other.name && item.modified == other.modified && item.size == other.size;
        }
        StashItem item;
        std::string description;
        std::string folded;  // as StashText::folded; the folded name alone until read
        bool read = false;
    };
    void Keep(Entry entry);
    void Count(std::string_view folded);

    std::vector<Entry> entries_;
    // How often each byte occurs in the start of each folded text, so that a
    // search looks for a word's rarest byte first; a sample ranks them well enough.
    std::vector<std::size_t> byteCounts_ = std::vector<std::size_t>(256);
};

}  // namespace tavrill
