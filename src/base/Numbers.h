#pragma once
// The two ways the program reads a whole number out of text: a spin box's text and a value of
// the settings file. Both are pure and never throw.

#include <string_view>

namespace tavrill {

// The value of a spin box ranging over [minimum, maximum] (minimum <= maximum): its text taken
// as an optional sign and decimal digits, any number of them ("0000000100000000" included),
// then pulled to the nearer bound when outside the range. Anything else, an empty text or
// blanks included, reads as the minimum. Whatever the user typed, the result is in range.
int ReadSpinValue(std::string_view text, int minimum, int maximum);

// A value of the settings file, read the way the file has always been read: decimal with an
// optional sign, or hexadecimal after "$" or "0x"/"0X"; anything else (empty, letters, out of
// range) gives the default. Hexadecimal may use all 32 bits: "$FFFFFFFF" reads as -1.
int ParseSettingInt(std::string_view value, int defaultValue);

}  // namespace tavrill
