#pragma once
// Shifting lines right or left by a number of blanks. Only the blank (byte 32) is added or
// removed; tabs are ordinary bytes. Lines are counted as LineList counts them, so every line
// break stays and the empty row after a final CR LF is never padded.

#include <string>
#include <string_view>

namespace tavrill {

// n blanks in front of every line, empty lines included; n <= 0 changes nothing.
std::string IndentLines(std::string_view text, int n);
// Up to n leading blanks taken from every line, each line on its own; n <= 0 changes nothing.
std::string UnindentLines(std::string_view text, int n);
// The same into `out`, reusing its memory (for repeated rewrites of large texts); `text` must
// not lie inside `out`.
void IndentLinesInto(std::string_view text, int n, std::string& out);
void UnindentLinesInto(std::string_view text, int n, std::string& out);

// The range of the indent dialog's number box.
inline constexpr int kIndentSpinMinimum = 0;
inline constexpr int kIndentSpinMaximum = 16;

// The indent dialog's OK: reads n from the number box's text (ReadSpinValue over the box's
// range) and shifts the memo's text.
std::string IndentDialogRewrite(std::string_view memoText, bool indent, std::string_view spinText);

}  // namespace tavrill
