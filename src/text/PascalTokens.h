#pragma once
// The Object Pascal tokens of a text (the stash preview colours them), found in one pass over a
// snippet's text. Pure; the text is UTF-8 and only ASCII bytes decide anything.

#include <cstddef>
#include <string_view>
#include <vector>

namespace tavrill {

enum class PascalKind {
    Reserved,    // begin, end, procedure, ... in any letter case
    Identifier,  // also an escaped reserved word (&begin)
    Number,      // 12, 1.5e-3, $FF
    String,      // 'it''s', and an unterminated one up to the line's end
    Character,   // #13, #$0A: one span for each
    Comment,     // { }, (* *) and // to the line's end; an open one to the end of the text
    Directive,   // {$IFDEF X} and (*$R+*)
};

struct PascalSpan {
    std::size_t offset = 0;  // in bytes
    std::size_t length = 0;
    PascalKind kind = PascalKind::Identifier;
    bool operator==(const PascalSpan&) const = default;
};

// The spans in text order, not overlapping. Blanks, line breaks and symbols
// belong to no span.
std::vector<PascalSpan> PascalTokens(std::string_view text);

}  // namespace tavrill
