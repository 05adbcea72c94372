#include "text/Case.h"

namespace tavrill {

namespace {

// Branch-free byte tests so that the compiler turns the loops into vector code.
inline bool IsLower(unsigned char c) { return static_cast<unsigned char>(c - 'a') < 26; }
inline bool IsUpper(unsigned char c) { return static_cast<unsigned char>(c - 'A') < 26; }
inline bool IsWordByte(unsigned char c) {
    return static_cast<unsigned char>((c | 0x20) - 'a') < 26 || static_cast<unsigned char>(c - '0') < 10;
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
    ConvertBytes(bytes, [](unsigned char c) { return static_cast<unsigned char>(c - (IsLower(c) ? 0x20 : 0)); });
}

void LowerCaseAsciiInPlace(std::span<char> bytes) {
    ConvertBytes(bytes, [](unsigned char c) { return static_cast<unsigned char>(c + (IsUpper(c) ? 0x20 : 0)); });
}

void FlipCaseAsciiInPlace(std::span<char> bytes) {
    ConvertBytes(bytes, [](unsigned char c) {
        return static_cast<unsigned char>(c ^ (IsLower(c) || IsUpper(c) ? 0x20 : 0));
    });
}

bool TitleCaseAsciiInPlace(std::span<char> bytes, bool atWordStart) {
    if (bytes.empty()) return atWordStart;
    auto* p = reinterpret_cast<unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    // Case changes never turn a word byte into a separator or back, so whether a byte starts a
    // word depends only on the original byte before it, and each byte can be done on its own.
    // Walking backwards keeps that byte unconverted while it is still needed.
    for (std::size_t i = n - 1; i > 0; --i) {
        const unsigned char c = p[i];
        const unsigned char lower = static_cast<unsigned char>(c + (IsUpper(c) ? 0x20 : 0));
        const bool starts = !IsWordByte(p[i - 1]);
        p[i] = static_cast<unsigned char>(lower - (starts && IsLower(lower) ? 0x20 : 0));
    }
    const bool endsAtWordStart = !IsWordByte(p[n - 1]);
    const unsigned char c = p[0];
    const unsigned char lower = static_cast<unsigned char>(c + (IsUpper(c) ? 0x20 : 0));
    p[0] = static_cast<unsigned char>(lower - (atWordStart && IsLower(lower) ? 0x20 : 0));
    return endsAtWordStart;
}

std::string UpperCaseAscii(std::string_view text) { return Converted(text, UpperCaseAsciiInPlace); }
std::string LowerCaseAscii(std::string_view text) { return Converted(text, LowerCaseAsciiInPlace); }
std::string FlipCaseAscii(std::string_view text) { return Converted(text, FlipCaseAsciiInPlace); }
std::string TitleCaseAscii(std::string_view text) {
    return Converted(text, [](std::span<char> bytes) { TitleCaseAsciiInPlace(bytes); });
}

}  // namespace tavrill
