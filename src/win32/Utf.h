#pragma once
// The one place where text changes its form at the Windows boundary: inside the
// program every text is UTF-8 in a std::string; the wide (W) Windows functions
// take and give UTF-16. Header-only, so that the core's Windows file functions
// (FilesWin32.cpp, built into the core library) use it too.
//
// Bytes that are not valid UTF-8, and unpaired surrogates, become U+FFFD: the
// system's converters do that without MB_ERR_INVALID_CHARS, and nothing that
// reaches a window or the clipboard is dropped silently.

#include <windows.h>

#include <climits>
#include <string>
#include <string_view>

namespace tavrill {
namespace utf_detail {

// A piece of at most INT_MAX units that ends on a character boundary, for the
// converters' int lengths; only a text of gigabytes is cut at all.
inline size_t PieceLength(std::string_view s) {
    if (s.size() <= INT_MAX) return s.size();
    size_t n = INT_MAX;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;  // not inside a sequence
    return n > 0 ? n : INT_MAX;
}
inline size_t PieceLength(std::wstring_view s) {
    if (s.size() <= INT_MAX) return s.size();
    size_t n = INT_MAX;
    if (s[n] >= 0xDC00 && s[n] <= 0xDFFF) --n;  // not between the halves of a pair
    return n;
}

inline std::wstring ToWide(UINT codePage, std::string_view bytes) {
    std::wstring out;
    while (!bytes.empty()) {
        const size_t piece = PieceLength(bytes);
        const int n = static_cast<int>(piece);
        const int wide = MultiByteToWideChar(codePage, 0, bytes.data(), n, nullptr, 0);
        if (wide <= 0) break;
        const size_t at = out.size();
        out.resize(at + static_cast<size_t>(wide));
        MultiByteToWideChar(codePage, 0, bytes.data(), n, out.data() + at, wide);
        bytes.remove_prefix(piece);
    }
    return out;
}

}  // namespace utf_detail

// UTF-8 to UTF-16.
inline std::wstring Widen(std::string_view utf8) {
    return utf_detail::ToWide(CP_UTF8, utf8);
}

// UTF-16 to UTF-8.
inline std::string Narrow(std::wstring_view utf16) {
    std::string out;
    while (!utf16.empty()) {
        const size_t piece = utf_detail::PieceLength(utf16);
        const int n = static_cast<int>(piece);
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) break;
        const size_t at = out.size();
        out.resize(at + static_cast<size_t>(bytes));
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), n, out.data() + at, bytes, nullptr, nullptr);
        utf16.remove_prefix(piece);
    }
    return out;
}

// Bytes in the system's ANSI code page (files of earlier versions, CF_TEXT) to UTF-8.
inline std::string AnsiToUtf8(std::string_view ansi) {
    return Narrow(utf_detail::ToWide(CP_ACP, ansi));
}

}  // namespace tavrill
