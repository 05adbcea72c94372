#include "base/Numbers.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace tavrill {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

int ReadSpinValue(std::string_view text, int minimum, int maximum) {
    assert(minimum <= maximum);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return minimum;
    // The magnitude stops growing past every int, so a number of any length cannot overflow
    // and still lands on the right bound.
    constexpr std::int64_t kBeyondInt = std::int64_t{1} << 32;
    std::int64_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return minimum;
        n = std::min(n * 10 + (c - '0'), kBeyondInt);
    }
    return static_cast<int>(std::clamp<std::int64_t>(negative ? -n : n, minimum, maximum));
}

int ParseSettingInt(std::string_view value, int defaultValue) {
    std::string_view s = value;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (value.size() > 2 && s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return defaultValue;

    // Decimal values must fit an int; hexadecimal ones may use all 32 bits, so
    // that $FFFFFFFF reads as -1 as it always has.
    const std::uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t n = 0;
    for (const char c : s) {
        const int d = base == 16 ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (d < 0) return defaultValue;
        n = n * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (n > limit) return defaultValue;
    }
    const auto bits = static_cast<std::uint32_t>(negative ? (~n + 1) : n);
    return static_cast<int>(static_cast<std::int32_t>(bits));
}

}  // namespace tavrill
