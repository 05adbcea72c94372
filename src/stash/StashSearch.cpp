#include "stash/StashSearch.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "base/Files.h"
#include "base/TextEncoding.h"
#include "stash/StashFile.h"

namespace tavrill {
namespace {

char32_t LowerLatin(char32_t c) {
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;  // U+00D7 is the multiplication sign
    if (c == 0x130) return U'i';                               // capital I with dot above
    if (c == 0x178) return 0xFF;                               // capital Y with diaeresis
    // Latin Extended-A pairs its letters upper then lower, with the pairing
    // shifted by one where U+0138 and U+0149 (no upper case) stand between.
    const bool evenUpper = (c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177);
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1)) return c + 1;
    return c;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else {  // everything LowerLatin gives is below U+0800
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A word to find, and where in it its rarest byte stands: the scan looks for
// that byte and compares the word around it only there, so a word that starts
// with a common letter ("eqq") costs no more than one that starts with a rare one.
struct Needle {
    std::string word;
    std::size_t anchor = 0;
    std::size_t count = 0;  // how often the anchor byte occurs in the index
};

// The first `c` in [from, end): eight bytes at a time, since the C library's
// memchr is a byte loop on some systems (Wine's among them).
const char* FindByte(const char* from, const char* end, char c) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    const std::uint64_t pattern = kOnes * static_cast<unsigned char>(c);
    while (end - from >= 8) {
        std::uint64_t block;
        std::memcpy(&block, from, 8);
        const std::uint64_t x = block ^ pattern;  // a zero byte where `c` stands
        if ((x - kOnes) & ~x & kHighs) break;
        from += 8;
    }
    for (; from < end; ++from)
        if (*from == c) return from;
    return nullptr;
}

bool Contains(std::string_view text, const Needle& n) {
    if (n.word.size() > text.size()) return false;
    const char* const begin = text.data();
    const char* const last =
        begin + (text.size() - n.word.size()) + n.anchor;  // the last place the anchor may stand
    for (const char* at = begin + n.anchor; (at = FindByte(at, last + 1, n.word[n.anchor])) != nullptr;
         ++at) {
        if (std::memcmp(at - n.anchor, n.word.data(), n.word.size()) == 0) return true;
    }
    return false;
}

std::vector<std::string> FoldedWords(std::string_view query) {
    const std::string folded = FoldCase(query);
    std::vector<std::string> words;
    size_t i = 0;
    while (i < folded.size()) {
        while (i < folded.size() && IsBlank(folded[i])) ++i;
        const size_t start = i;
        while (i < folded.size() && !IsBlank(folded[i])) ++i;
        if (i > start) words.push_back(folded.substr(start, i - start));
    }
    return words;
}

}  // namespace

std::string FoldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b >= 'A' && b <= 'Z') {
            out += static_cast<char>(b + ('a' - 'A'));
            continue;
        }
        // U+00C0 to U+017F are the two-byte sequences led by C3, C4 and C5.
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
        if (b >= 0xC3 && b <= 0xC5 && (next & 0xC0) == 0x80) {
            AppendUtf8(out, LowerLatin((char32_t{b & 0x1Fu} << 6) | (next & 0x3Fu)));
            ++i;
            continue;
        }
        out += static_cast<char>(b);
    }
    return out;
}

std::string_view StashDescription(std::string_view fileBytes) {
    if (!fileBytes.starts_with(kStashMarker)) return {};
    fileBytes.remove_prefix(kStashMarker.size());
    return fileBytes.substr(0, fileBytes.find_first_of("\r\n"));
}

StashText IndexedText(std::string_view name, std::string_view fileBytes) {
    StashText t;
    t.description = std::string(StashDescription(fileBytes));
    if (fileBytes.starts_with(kStashMarker)) fileBytes.remove_prefix(kStashMarker.size());
    t.folded = FoldCase(name);
    t.folded += '\n';  // no word holds one, so no match runs from the name into the text
    t.folded += FoldCase(fileBytes);
    return t;
}

StashText ReadStashText(const std::string& stashFolder, const StashItem& item) {
    const std::optional<std::string> bytes = ReadFileBytes(StashItemPath(stashFolder, item.name));
    return IndexedText(item.name, bytes ? TextFromFileBytes(*bytes) : std::string());
}

StashIndex StashIndex::FromListing(std::vector<StashItem> listing, StashIndex previous) {
    StashIndex index;
    index.entries_.reserve(listing.size());
    std::size_t p = 0;  // both listings are in the same order by name
    for (StashItem& item : listing) {
        while (p < previous.entries_.size() &&
               ListedBefore(previous.entries_[p].item, item, StashOrder::ByName))
            ++p;
        if (p < previous.entries_.size() && previous.entries_[p].read &&
            previous.entries_[p].SameFile(item)) {
            index.Keep(std::move(previous.entries_[p++]));
            continue;
        }
        Entry e;
        e.folded = FoldCase(item.name);
        e.item = std::move(item);
        index.entries_.push_back(std::move(e));  // counted once its text is in
    }
    return index;
}

std::vector<std::size_t> StashIndex::Unread() const {
    std::vector<std::size_t> unread;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (!entries_[i].read) unread.push_back(i);
    return unread;
}

void StashIndex::Fill(std::size_t i, StashText text) {
    Entry& e = entries_[i];
    if (e.read) return;
    e.description = std::move(text.description);
    e.folded = std::move(text.folded);
    e.read = true;
    Count(e.folded);
}

StashIndex StashIndex::Read(const std::string& stashFolder, StashIndex previous) {
    StashIndex index = FromListing(ListStash(stashFolder), std::move(previous));
    for (const std::size_t i : index.Unread()) index.Fill(i, ReadStashText(stashFolder, index.Item(i)));
    return index;
}

void StashIndex::Add(StashItem item, std::string_view fileBytes) {
    StashText t = IndexedText(item.name, fileBytes);
    Entry e{std::move(item), std::move(t.description), std::move(t.folded), true};
    Keep(std::move(e));
}

void StashIndex::Count(std::string_view folded) {
    constexpr std::size_t kSample = 1024;
    for (const char c : folded.substr(0, kSample)) ++byteCounts_[static_cast<unsigned char>(c)];
}

void StashIndex::Keep(Entry entry) {
    Count(entry.folded);
    entries_.push_back(std::move(entry));
}

std::vector<std::size_t> StashIndex::Search(std::string_view query, StashOrder order) const {
    std::vector<Needle> needles;
    for (std::string& w : FoldedWords(query)) {
        Needle n{std::move(w)};
        n.count = SIZE_MAX;
        for (std::size_t k = 0; k < n.word.size(); ++k) {
            const std::size_t count = byteCounts_[static_cast<unsigned char>(n.word[k])];
            if (count < n.count) n.anchor = k, n.count = count;
        }
        needles.push_back(std::move(n));
    }
    // The word with the rarest byte first: it turns most snippets down soonest.
    std::sort(needles.begin(), needles.end(),
              [](const Needle& a, const Needle& b) { return a.count < b.count; });

    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string_view text = entries_[i].folded;
        if (std::all_of(needles.begin(), needles.end(), [&](const Needle& n) { return Contains(text, n); }))
            found.push_back(i);
    }
    if (order != StashOrder::ByName) {
        std::stable_sort(found.begin(), found.end(), [&](std::size_t a, std::size_t b) {
            return ListedBefore(entries_[a].item, entries_[b].item, order);
        });
    }
    return found;
}

}  // namespace tavrill
