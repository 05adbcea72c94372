#include "win32/Profile.h"

#include <windows.h>

#include "win32/Utf.h"

namespace tavrill {

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) {
    // A default that no real value can be tells a missing key from an empty one.
    static constexpr wchar_t kMissing[] = L"\x01missing\x01";
    wchar_t buffer[1024] = {};
    const DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), kMissing, buffer,
                                             static_cast<DWORD>(std::size(buffer)), Widen(path_).c_str());
    const std::wstring_view value(buffer, n);
    if (value == kMissing) return std::nullopt;
    return Narrow(value);
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
    return WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), Widen(value).c_str(),
                                      Widen(path_).c_str()) != 0;
}

}  // namespace tavrill
