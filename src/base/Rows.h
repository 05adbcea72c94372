#pragma once
// Row scanning shared by the line rewrites and the templates: rows cut at CR LF only.
// Whole-text rewrites of many megabytes must stay well above a gigabyte a second, and source
// lines are short (30 to 40 bytes), so the line breaks are found sixteen bytes at a time instead
// of with one library call per line.

#include <cstddef>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavrill::rows {

inline constexpr std::size_t kNone = std::string_view::npos;

// Calls onBreak(cr) with the index of the CR of every CR LF pair, in order.
template <class OnBreak>
void ForEachBreak(std::string_view text, OnBreak&& onBreak) {
    const char* base = text.data();
    const std::size_t size = text.size();
    std::size_t i = 1;  // an LF at 0 has no CR before it
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= size; i += 16) {
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(base + i)), lf)));
        while (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(__builtin_ctz(mask));
            if (base[at - 1] == '\r') onBreak(at - 1);
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if (base[i] == '\n' && base[i - 1] == '\r') onBreak(i - 1);
    }
}

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
    ForEachBreak(text, [&](std::size_t cr) {
        visit(text.substr(start, cr - start), true);
        start = cr + 2;
    });
    if (start < text.size()) visit(text.substr(start), false);
}

inline std::size_t CountBreaks(std::string_view text) {
    std::size_t count = 0;
    ForEachBreak(text, [&](std::size_t) { ++count; });
    return count;
}

}  // namespace tavrill::rows
