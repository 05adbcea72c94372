#include "app/Palette.h"

#include <algorithm>
#include <tuple>

#include "app/Commands.h"

namespace tavrill {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Letters, digits and every byte of a multi-byte character belong to words.
bool IsWordByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x80 || (b >= '0' && b <= '9') || (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}

// Whether `letters` is spelled by prefixes of consecutive words from the first
// of `words` on, each word giving one letter at least: "solin" by "SOrt LINes".
bool SpelledByWordStarts(std::string_view letters, std::span<const std::string> words) {
    if (letters.empty()) return true;
    if (words.empty()) return false;
    const std::string_view word = words.front();
    for (std::size_t n = 1; n <= std::min(word.size(), letters.size()) && word[n - 1] == letters[n - 1]; ++n)
        if (SpelledByWordStarts(letters.substr(n), words.subspan(1))) return true;
    return false;
}

const std::string_view kMenuNames[] = {"General", "Blocks", "Format", "Help", "Stash"};

}  // namespace

PaletteText::PaletteText(std::string_view name, std::string_view detail) {
    std::size_t i = 0;
    while (i < name.size()) {
        while (i < name.size() && !IsWordByte(name[i])) ++i;
        const std::size_t start = i;
        // "SortLines" is two words, "URLs" one: a word ends where a lower-case letter meets an upper-case
        // one.
        while (i < name.size() && IsWordByte(name[i]) &&
               !(i > start && IsUpper(name[i]) && IsLower(name[i - 1])))
            ++i;
        if (i > start) words.push_back(FoldCase(name.substr(start, i - start)));
    }
    folded = FoldCase(name);
    folded += '\n';  // no query word holds one, so no match runs from the name into the detail
    folded += FoldCase(detail);
}

PaletteQuery::PaletteQuery(std::string_view query) {
    const std::string folded = FoldCase(query);
    std::size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && IsBlank(folded[i])) ++i;
        const std::size_t start = i;
        while (i < folded.size() && !IsBlank(folded[i])) ++i;
        if (i > start) words_.push_back(folded.substr(start, i - start));
    }
    for (const std::string& w : words_) letters_ += w;
}

std::optional<MatchKind> PaletteQuery::Match(const PaletteText& text) const {
    if (words_.empty()) return MatchKind::Contains;
    const std::span<const std::string> words = text.words;
    for (std::size_t w = 0; w < words.size(); ++w)
        if (SpelledByWordStarts(letters_, words.subspan(w))) return MatchKind::WordStarts;
    const auto startsAWord = [&](const std::string& q) {
        return std::any_of(words.begin(), words.end(),
                           [&](const std::string& w) { return w.starts_with(q); });
    };
    if (std::all_of(words_.begin(), words_.end(), startsAWord)) return MatchKind::WordPrefixes;
    const auto contained = [&](const std::string& q) { return text.folded.find(q) != std::string::npos; };
    if (std::all_of(words_.begin(), words_.end(), contained)) return MatchKind::Contains;
    return std::nullopt;
}

std::uint64_t RecentUse::Stamp(std::string_view key) const {
    const auto it = stamps_.find(std::string(key));
    return it == stamps_.end() ? 0 : it->second;
}

std::string RecentKey(const PaletteEntry& entry) {
    return (entry.kind == PaletteEntry::Kind::Command ? "c:" : "s:") + entry.name;
}

PaletteList::PaletteList(std::vector<PaletteEntry> entries) : entries_(std::move(entries)) {
    texts_.reserve(entries_.size());
    for (const PaletteEntry& e : entries_) texts_.emplace_back(e.name, e.detail);
}

std::vector<std::size_t> PaletteList::Find(std::string_view query, const RecentUse& recent) const {
    const PaletteQuery q(query);
    struct Found {
        MatchKind kind;
        std::uint64_t stamp;
        std::size_t index;
    };
    std::vector<Found> found;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (const auto kind = q.Match(texts_[i])) found.push_back({*kind, 0, i});
    // Only the entries found are looked up, and only once each.
    for (Found& f : found) f.stamp = recent.Stamp(RecentKey(entries_[f.index]));
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return std::tie(a.kind, b.stamp) < std::tie(b.kind, a.stamp);
    });
    std::vector<std::size_t> order;
    order.reserve(found.size());
    for (const Found& f : found) order.push_back(f.index);
    return order;
}

std::vector<PaletteEntry> PaletteEntries(const ShortcutTable& shortcuts, const StashIndex& stash,
                                         std::optional<std::size_t> except) {
    std::vector<PaletteEntry> entries;
    const auto rows = Commands();
    entries.reserve(rows.size() + stash.Size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CommandRow& row = rows[i];
        if (row.menu == Menu::Stash || i == except) continue;
        const Shortcut s = row.key.empty() ? Shortcut{} : shortcuts.Get(row.key);
        entries.push_back({PaletteEntry::Kind::Command, CommandName(row),
                           std::string(kMenuNames[static_cast<int>(row.menu)]),
                           s.Assigned() ? FormatShortcut(s) : std::string(), i});
    }
    for (std::size_t i = 0; i < stash.Size(); ++i)
        entries.push_back({PaletteEntry::Kind::Snippet, stash.Item(i).name, stash.Description(i), {}, 0});
    return entries;
}

std::optional<std::size_t> BestMatch(std::string_view query, std::span<const std::size_t> rows,
                                     std::span<const StashItem> names) {
    const PaletteQuery q(query);
    if (q.Empty() || rows.empty()) return std::nullopt;
    std::optional<std::size_t> best;
    int bestRank = 4;
    for (const std::size_t row : rows) {
        const auto kind = q.Match(PaletteText(names[row].name));
        const int rank = kind ? static_cast<int>(*kind) : 3;  // found by its description or code
        if (rank < bestRank) best = row, bestRank = rank;
        if (rank == 0) break;
    }
    return best;
}

}  // namespace tavrill
