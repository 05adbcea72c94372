#pragma once
// Byte rules every layer shares. Texts are UTF-8, but these rules look at ASCII bytes only:
// every other byte passes through and compares as itself.

#include <algorithm>
#include <string_view>

namespace tavrill {

// The line break of all text the program writes.
inline constexpr std::string_view kCrLf = "\r\n";

// A to Z become a to z; every other byte stays.
constexpr char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Byte order of the lower-cased texts, bytes taken as unsigned (so UTF-8 sorts after ASCII).
inline bool LessIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
    });
}

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace tavrill
