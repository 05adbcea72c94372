#include "app/Settings.h"

#include <cstdint>

#include "base/Error.h"

namespace tavrill {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

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

WindowPosition LoadSettings(ProfileStore& profile) {
    WindowPosition p;
    p.x = ParseSettingInt(profile.Read("Main", "WindowX").value_or(""), kDefaultWindowX);
    p.y = ParseSettingInt(profile.Read("Main", "WindowY").value_or(""), kDefaultWindowY);
    return p;
}

bool LoadKeepClipboard(ProfileStore& profile) {
    return ParseSettingInt(profile.Read("Main", "KeepClipboard").value_or(""), 0) != 0;
}

void SaveKeepClipboard(ProfileStore& profile, bool on, std::string_view path) {
    if (!profile.Write("Main", "KeepClipboard", on ? "1" : "0")) throw UnableToWrite(path);
}

void SaveSettings(ProfileStore& profile, const WindowPosition& position, std::string_view path) {
    if (!profile.Write("Main", "WindowX", std::to_string(position.x)) ||
        !profile.Write("Main", "WindowY", std::to_string(position.y)))
        throw UnableToWrite(path);
}

}  // namespace tavrill
