#pragma once
// The command palette's matching and ranking, apart from its window: every
// command of the four menus and every stash snippet, filtered as the stash
// search filters (every word of the query, in any order, case ignored) and
// ordered so that the best match comes first.
//
// A query also finds an entry whose name it spells by the starts of
// consecutive words ("sl" finds "Sort lines", "solin" too), since that is how
// people type a command they know. Such entries come first, then those where
// each word of the query starts a word of the name, then the rest; within
// each group the most recently used come first, then the order of the list.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/Shortcuts.h"
#include "stash/StashSearch.h"

namespace tavrill {

struct PaletteEntry {
    enum class Kind { Command, Snippet } kind = Kind::Command;
    std::string name;         // the command's name (CommandName) or the snippet's file name
    std::string detail;       // shown dimmed: the menu's name, or the snippet's description
    std::string shortcut;     // shown on the right; empty without one
    std::size_t command = 0;  // a command's row in Commands()
};

// A name and its detail as the matching needs them: folded once, not per keystroke.
struct PaletteText {
    explicit PaletteText(std::string_view name, std::string_view detail = {});
    std::vector<std::string> words;  // the name's words, folded: split at blanks,
                                     // punctuation and lower-to-upper case steps
    std::string folded;              // name, a line break, detail; folded
};

// How well a query matches a text; smaller is better.
enum class MatchKind { WordStarts, WordPrefixes, Contains };

class PaletteQuery {
public:
    explicit PaletteQuery(std::string_view query);
    bool Empty() const { return words_.empty(); }
    // Nothing when the text does not match. An empty query matches everything as Contains.
    std::optional<MatchKind> Match(const PaletteText& text) const;

private:
    std::vector<std::string> words_;  // folded
    std::string letters_;             // the words run together
};

// What was chosen from the palette in this run, the latest first.
class RecentUse {
public:
    void Use(std::string_view key) { stamps_[std::string(key)] = ++clock_; }
    // Larger is more recent; 0 for never.
    std::uint64_t Stamp(std::string_view key) const;

private:
    std::unordered_map<std::string, std::uint64_t> stamps_;
    std::uint64_t clock_ = 0;
};

// The key an entry is remembered by: its kind and its name.
std::string RecentKey(const PaletteEntry& entry);

// Entries with their texts made once per showing.
class PaletteList {
public:
    explicit PaletteList(std::vector<PaletteEntry> entries);
    const std::vector<PaletteEntry>& Entries() const { return entries_; }
    // The entries the query finds, best first, as indices into Entries().
    std::vector<std::size_t> Find(std::string_view query, const RecentUse& recent) const;

private:
    std::vector<PaletteEntry> entries_;
    std::vector<PaletteText> texts_;
};

// The palette's list: the commands of the general, blocks, format and help
// menus with their shortcuts, then the stash's snippets with their
// descriptions (those not read yet have none). `except` is left out: the row
// that opens the palette.
std::vector<PaletteEntry> PaletteEntries(const ShortcutTable& shortcuts, const StashIndex& stash,
                                         std::optional<std::size_t> except);

// Of `rows` (indices into `names`), the one whose name the query matches best,
// the first of them on a tie; nothing when the query has no words or `rows` is empty.
std::optional<std::size_t> BestMatch(std::string_view query, std::span<const std::size_t> rows,
                                     std::span<const StashItem> names);

}  // namespace tavrill
