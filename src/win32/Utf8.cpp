#include "win32/Utf8.h"

#include <windows.h>

namespace tavrill {
namespace {

std::wstring Widen(UINT codePage, DWORD flags, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), size, wide.data(), n);
    return wide;
}

}  // namespace

std::wstring WideFromUtf8(std::string_view utf8) {
    // https://learn.microsoft.com/windows/win32/api/stringapiset/nf-stringapiset-multibytetowidechar:
    // with MB_ERR_INVALID_CHARS a byte sequence that is not UTF-8 fails the call.
    std::wstring wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
    if (wide.empty() && !utf8.empty()) wide = Widen(CP_ACP, 0, utf8);
    return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string utf8(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
    return utf8;
}

}  // namespace tavrill
