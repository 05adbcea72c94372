#pragma once
// How the bytes of the program's own text files (snippets, comment templates, the function
// list) become the UTF-8 text the program works with, and back. Files that earlier versions
// wrote hold bytes of the system's ANSI code page; files written now are UTF-8. A file is read
// as UTF-8 when it starts with the UTF-8 byte order mark or is valid UTF-8 as a whole (pure
// ASCII is both), and in the ANSI code page otherwise. A text of pure ASCII is written byte for
// byte as ever; any other text as UTF-8 behind a byte order mark, which the IDE reads too.

#include <string>
#include <string_view>

namespace tavrill {

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Well-formed UTF-8: no stray continuation bytes, no overlong forms, no surrogates, nothing
// above U+10FFFF, no sequence cut off at the end.
bool IsValidUtf8(std::string_view bytes);

enum class FileEncoding { Utf8, Ansi };

// The rule above, for a file's whole content.
FileEncoding DetectFileEncoding(std::string_view bytes);

// The file's text: UTF-8 without its byte order mark, or the ANSI bytes converted.
std::string TextFromFileBytes(std::string_view bytes);

// The file's bytes for a text: pure ASCII unchanged, anything else behind a byte order mark.
std::string FileBytesFromText(std::string_view text);

// Bytes of the system's ANSI code page as UTF-8. Implemented once per platform, beside the
// file functions: Windows converts through the system's code page; the Linux build of the
// core takes the bytes as Latin-1, the code page's closest portable relative.
std::string DecodeAnsi(std::string_view bytes);

}  // namespace tavrill
