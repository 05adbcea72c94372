#include "text/Case.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tavrill {

namespace {

// Branch-free byte tests so that the compiler turns the loops into vector code.
inline bool IsLower(unsigned char c) {
    return static_cast<unsigned char>(c - 'a') < 26;
}
inline bool IsUpper(unsigned char c) {
    return static_cast<unsigned char>(c - 'A') < 26;
}
inline bool IsWordByte(unsigned char c) {
    return static_cast<unsigned char>((c | 0x20) - 'a') < 26 || static_cast<unsigned char>(c - '0') < 10;
}

inline unsigned char TitleByte(unsigned char c, unsigned char before) {
    const unsigned char lower = static_cast<unsigned char>(c + (IsUpper(c) ? 0x20 : 0));
    return static_cast<unsigned char>(lower - (!IsWordByte(before) && IsLower(lower) ? 0x20 : 0));
}

template <class Convert>
void ConvertBytes(std::span<char> bytes, Convert convert) {
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i < n; ++i) p[i] = convert(p[i]);
}

template <class InPlace>
std::string Converted(std::string_view text, InPlace inPlace) {
    std::string out(text);
    inPlace(std::span<char>(out.data(), out.size()));
    return out;
}

}  // namespace

void UpperCaseAsciiInPlace(std::span<char> bytes) {
    ConvertBytes(bytes,
                 [](unsigned char c) { return static_cast<unsigned char>(c - (IsLower(c) ? 0x20 : 0)); });
}

void LowerCaseAsciiInPlace(std::span<char> bytes) {
    ConvertBytes(bytes,
                 [](unsigned char c) { return static_cast<unsigned char>(c + (IsUpper(c) ? 0x20 : 0)); });
}

void FlipCaseAsciiInPlace(std::span<char> bytes) {
    ConvertBytes(bytes, [](unsigned char c) {
        return static_cast<unsigned char>(c ^ (IsLower(c) || IsUpper(c) ? 0x20 : 0));
    });
}

bool TitleCaseAsciiInPlace(std::span<char> bytes, bool atWordStart) {
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    // Case changes never turn a word byte into a separator or back, so whether a byte starts a
    // word depends only on the original byte before it, and every byte can be done on its own.
    // Blocks are copied aside first so that the byte before is still the original, and the loop
    // over a block has no dependence from one byte to the next (it becomes vector code).
    constexpr std::size_t kBlock = 64;
    unsigned char before = atWordStart ? ' ' : 'a';
    for (std::size_t at = 0; at < n; at += kBlock) {
        const std::size_t len = n - at < kBlock ? n - at : kBlock;
        unsigned char cur[kBlock];
        unsigned char prev[kBlock];
        std::memcpy(cur, p + at, len);
        prev[0] = before;
        std::memcpy(prev + 1, p + at, len - 1);
        before = cur[len - 1];
        if (len == kBlock) {
            for (std::size_t i = 0; i < kBlock; ++i) p[at + i] = TitleByte(cur[i], prev[i]);
        } else {
            for (std::size_t i = 0; i < len; ++i) p[at + i] = TitleByte(cur[i], prev[i]);
        }
    }
    return !IsWordByte(before);
}

namespace {

inline bool IsSentenceStop(unsigned char c) {
    return c == '.' || c == '!' || c == '?';
}
inline bool IsSentenceGap(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
inline bool StartsSentenceBody(unsigned char c) {
    return IsWordByte(c) || c >= 0x80;
}

// Index of the first ".", "!" or "?" at or after `from`, or n. Source text has about one stop a
// line, so the search goes sixteen bytes at a time.
std::size_t FindStop(const unsigned char* p, std::size_t from, std::size_t n) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i dot = _mm_set1_epi8('.'), bang = _mm_set1_epi8('!'), ask = _mm_set1_epi8('?');
    for (; i + 16 <= n; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, dot), _mm_cmpeq_epi8(v, bang)),
                                         _mm_cmpeq_epi8(v, ask));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    while (i < n && !IsSentenceStop(p[i])) ++i;
    return i;
}

}  // namespace

SentenceState SentenceCaseAsciiInPlace(std::span<char> bytes, SentenceState state) {
    // Everything lower case first (one vector pass), then only the sentence starts are raised.
    LowerCaseAsciiInPlace(bytes);
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        if (state.afterStop) {
            state.afterStop = false;
            if (IsSentenceGap(p[i])) state.atSentenceStart = true;
            if (IsSentenceStop(p[i])) state.afterStop = true;
            ++i;
        } else if (state.atSentenceStart) {
            if (StartsSentenceBody(p[i])) {
                if (IsLower(p[i])) p[i] = static_cast<unsigned char>(p[i] - 0x20);
                state.atSentenceStart = false;
            }
            ++i;
        } else {
            i = FindStop(p, i, n);
            if (i < n) {
                state.afterStop = true;
                ++i;
            }
        }
    }
    return state;
}

std::string SentenceCaseAscii(std::string_view text) {
    return Converted(text, [](std::span<char> bytes) { SentenceCaseAsciiInPlace(bytes); });
}

std::string UpperCaseAscii(std::string_view text) {
    return Converted(text, UpperCaseAsciiInPlace);
}
std::string LowerCaseAscii(std::string_view text) {
    return Converted(text, LowerCaseAsciiInPlace);
}
std::string FlipCaseAscii(std::string_view text) {
    return Converted(text, FlipCaseAsciiInPlace);
}
std::string TitleCaseAscii(std::string_view text) {
    return Converted(text, [](std::span<char> bytes) { TitleCaseAsciiInPlace(bytes); });
}

}  // namespace tavrill
