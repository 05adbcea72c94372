#pragma once
// The one place where the program's UTF-8 text meets the wide Windows functions.

#include <string>
#include <string_view>

namespace tavrill {

// UTF-8 as UTF-16. Bytes that are not UTF-8 (a snippet saved by an older program
// in the ANSI code page) are read in the ANSI code page instead, so nothing is lost.
std::wstring WideFromUtf8(std::string_view utf8);

// UTF-16 as UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace tavrill
