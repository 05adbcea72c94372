#pragma once
// Row scanning shared by the line rewrites of this folder (not part of its interface).
// Lines are found with memchr on LF, the rarer of the two bytes in practice no more often than
// CR, and a match counts only when a CR stands right before it.

#include <cstddef>
#include <cstring>
#include <string_view>

namespace tavrill::rows {

inline constexpr std::size_t kNone = std::string_view::npos;

// Index of the CR of the first CR LF pair at or after `from`, or kNone.
inline std::size_t FindBreak(std::string_view text, std::size_t from) {
    const char* base = text.data();
    const std::size_t size = text.size();
    while (from + 1 < size) {
        const void* hit = std::memchr(base + from + 1, '\n', size - from - 1);
        if (hit == nullptr) return kNone;
        const std::size_t lf = static_cast<std::size_t>(static_cast<const char*>(hit) - base);
        if (base[lf - 1] == '\r') return lf - 1;
        from = lf;
    }
    return kNone;
}

// Calls visit(line, followedByBreak) for every counted line: each row that a CR LF follows, and
// the last row when it is not empty.
template <class Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t cr = FindBreak(text, start);
        if (cr == kNone) break;
        visit(text.substr(start, cr - start), true);
        start = cr + 2;
    }
    if (start < text.size()) visit(text.substr(start), false);
}

inline std::size_t CountBreaks(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t at = FindBreak(text, 0); at != kNone; at = FindBreak(text, at + 2)) ++count;
    return count;
}

}  // namespace tavrill::rows
