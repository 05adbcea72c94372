#include "stash/StashSearch.h"

#include <algorithm>

#include "base/Files.h"
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

StashIndex StashIndex::Read(const std::string& stashFolder) {
    StashIndex index;
    for (StashItem& item : ListStash(stashFolder)) {
        const std::optional<std::string> bytes = ReadFileBytes(StashItemPath(stashFolder, item.name));
        index.Add(std::move(item), bytes ? std::string_view(*bytes) : std::string_view());
    }
    return index;
}

void StashIndex::Add(StashItem item, std::string_view fileBytes) {
    Entry e;
    e.description = std::string(StashDescription(fileBytes));
    if (fileBytes.starts_with(kStashMarker)) fileBytes.remove_prefix(kStashMarker.size());
    e.folded = FoldCase(item.name);
    e.folded += '\n';  // no word holds one, so no match runs from the name into the text
    e.folded += FoldCase(fileBytes);
    e.item = std::move(item);
    entries_.push_back(std::move(e));
}

std::vector<std::size_t> StashIndex::Search(std::string_view query, StashOrder order) const {
    const std::vector<std::string> words = FoldedWords(query);
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::string_view text = entries_[i].folded;
        const bool all = std::all_of(words.begin(), words.end(),
                                     [&](const std::string& w) { return text.find(w) != text.npos; });
        if (all) found.push_back(i);
    }
    if (order != StashOrder::ByName) {
        std::stable_sort(found.begin(), found.end(), [&](std::size_t a, std::size_t b) {
            return ListedBefore(entries_[a].item, entries_[b].item, order);
        });
    }
    return found;
}

}  // namespace tavrill
