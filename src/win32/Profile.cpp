#include "win32/Profile.h"

#include <windows.h>

namespace tavrill {

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) {
    // A default that no real value can be tells a missing key from an empty one.
    static constexpr char kMissing[] = "\x01missing\x01";
    const std::string s(section), k(key);
    char buffer[1024] = {};
    const DWORD n =
        GetPrivateProfileStringA(s.c_str(), k.c_str(), kMissing, buffer, sizeof buffer, path_.c_str());
    std::string value(buffer, n);
    if (value == kMissing) return std::nullopt;
    return value;
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    const std::string s(section), k(key), v(value);
    return WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), path_.c_str()) != 0;
}

}  // namespace tavrill
