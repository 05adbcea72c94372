#pragma once
// Format selection: Object Pascal laid out in the house style of most Object Pascal code, on a
// whole unit or any piece of one. Only blanks and tabs change: the tokens, their order, their
// lines and every line break stay, so formatting never changes what the code means, and
// formatting the result again changes nothing.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "text/Blanks.h"

namespace tavrill {

inline constexpr int kMaxFormatIndent = 16;

enum class ReservedWordCase { Lower, Upper, Keep };

struct FormatStyle {
    int indentSize = 2;  // blanks a level; taken from 0 to 16
    ReservedWordCase reservedWords = ReservedWordCase::Lower;
    bool spaceAroundOperators = true;  // one blank around := and the binary operators
    bool directivesAtColumn0 = false;  // compiler directives on lines of their own at column 0
    int tabWidth = kDefaultTabWidth;   // how far a tab as written reaches; taken from 1 to 100
};

// "lower", "upper" or "keep", letter case ignored.
std::optional<ReservedWordCase> ParseReservedWordCase(std::string_view text);

// Never fails and never refuses: any bytes are formatted as far as they read as Pascal.
std::string FormatPascal(std::string_view text, const FormatStyle& style);

// The same bytes handed to `write` in pieces of about a megabyte, so that a caller streaming the
// result holds no second copy of it.
void FormatPascal(std::string_view text, const FormatStyle& style,
                  const std::function<void(std::string_view)>& write);

}  // namespace tavrill
