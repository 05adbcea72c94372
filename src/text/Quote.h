#pragma once
// Text to an Object Pascal string expression and back, for messages, SQL and other text that
// programmers paste into code.

#include <optional>
#include <string>
#include <string_view>

namespace tavrill {

// The text as a string expression: each line (as LineList counts them) in quotes with its quotes
// doubled, "#13#10" after each line that a CR LF ends, and the lines joined by " +" and CR LF:
// "a := 'x';\r\nb" gives "'a := ''x'';'#13#10 +\r\n'b'". Bytes below 32 other than the tab
// (a lone CR or LF among them) stand outside the quotes as "#n", since the compiler takes none of
// them inside a literal; an empty line is "#13#10" alone, and the empty text is "''". A line of
// more than 250 characters is cut into literals of at most 250, joined by " + " on the same line,
// so that every literal stays within the compiler's limit of 255. UTF-8 sequences are never cut.
std::string QuoteString(std::string_view text);

// The same, fed a line at a time: what QuoteString gives for the text made of the lines fed.
class StringQuoter {
public:
    // One line without its line break; `followedByBreak` tells whether a CR LF ended it. An empty
    // line without one is the empty row after a final CR LF, no line, and adds nothing.
    void Line(std::string_view line, bool followedByBreak, std::string& out);
    // "''" when no line was fed; nothing otherwise.
    void Finish(std::string& out);

private:
    bool first_ = true;
};

// The text as one multi-line literal of the newest compiler: an odd number of quotes (three, or
// more when the text holds a run of three or more) and a line break; every row of the text behind
// the indentation (blanks and tabs) of its first line; and the closing quotes on a row of their
// own behind that same indentation, which the compiler takes off every row again, as it drops the
// line break before the closing quotes: "  a\r\nb" gives "'''\r\n    a\r\n  b\r\n  '''".
// A text such a literal cannot hold, the empty one or one with a byte below 32 other than the tab
// that is not part of a CR LF, gets QuoteString's expression instead.
std::string QuoteMultiline(std::string_view text);

// The bytes of a string expression: literals in quotes (a doubled quote is one quote), "#n" and
// "#$hh" character codes (codes from 128 up as UTF-8), written next to each other or joined by
// "+", with blanks, tabs and line breaks between the parts and around the whole. A part may also
// be a multi-line literal as QuoteMultiline writes it, whose rows must each start with the
// closing quotes' indentation (a blank row may be shorter) and hold no run of its quotes. Exactly
// undoes QuoteString and QuoteMultiline. Nothing for anything else: an empty text, an unclosed literal, a
// line break inside one, a code above 1114111 or of a UTF-16 surrogate, or any other character.
std::optional<std::string> UnquoteString(std::string_view expression);

}  // namespace tavrill
