#pragma once
// Rewrites of the blanks, tabs and blank lines of a text. Lines are counted as LineList counts
// them; a blank line holds only blanks and tabs, or nothing. Each rewrite comes whole and as an
// object that takes the text in parts, so that a filter can stream any amount of text through it:
// feeding the lines of a text (rows::ForEachLine; for Untabifier, runs of whole rows) and then
// finishing gives the bytes of the whole rewrite.

#include <cstddef>
#include <string>
#include <string_view>

#include "text/PascalLines.h"

namespace tavrill {

// Tab stops every 8 columns unless the user sets another width, from 1 to 100.
inline constexpr int kDefaultTabWidth = 8;
inline constexpr int kMaxTabWidth = 100;

// Blanks and tabs at the end of every line go; every other byte and every line break stays.
std::string TrimTrailingBlanks(std::string_view text);
void TrimTrailingBlanksLine(std::string_view line, bool followedByBreak, std::string& out);

// Every tab in code becomes blanks up to the next multiple of `tabWidth` (1 or more; less counts
// as 1). Tabs inside strings, comments and directives stay, since they are part of the text the
// program shows; a "{ }" or "(* *)" comment counts across lines. Columns count UTF-8 characters.
std::string Untabify(std::string_view text, int tabWidth);
class Untabifier {
public:
    explicit Untabifier(int tabWidth) : width_(tabWidth > 1 ? static_cast<std::size_t>(tabWidth) : 1) {}
    // Whole rows at a time, for speed: every text given but the last ends with a CR LF.
    void Text(std::string_view text, std::string& out);

private:
    // The tabs of a row, or of its end (which starts at `column`), become blanks, but those
    // inside a text span stay.
    void Expand(std::string_view row, std::size_t column, const std::vector<PascalSpan>& spans,
                std::string& out) const;

    std::size_t width_;
    PascalLineTokens tokens_;
};

// Blank lines go with their line breaks; with `compact`, the first blank line of each run stays
// as it was and only the others go.
std::string DeleteBlankLines(std::string_view text, bool compact);
class BlankLineDeleter {
public:
    explicit BlankLineDeleter(bool compact) : compact_(compact) {}
    void Line(std::string_view line, bool followedByBreak, std::string& out);

private:
    bool compact_;
    bool afterBlank_ = false;
};

// The lines as one: the line break between two lines, the blanks and tabs in front of it and the
// leading blanks and tabs of the next line become one blank. Blank lines go. A line that ends in a
// "//" comment keeps its line break, and the next line its indentation, so that the comment does
// not swallow the code after it. A final line break stays.
std::string JoinLines(std::string_view text);
class LineJoiner {
public:
    void Line(std::string_view line, bool followedByBreak, std::string& out);
    void Finish(std::string& out);

private:
    PascalLineTokens tokens_;
    std::string heldBlanks_;   // the trailing blanks of the last line, until the next tells their fate
    bool started_ = false;     // a non-blank line has been written
    bool keepBreak_ = false;   // the last line ended in a "//" comment
    bool finalBreak_ = false;  // the last line seen was followed by a line break
};

}  // namespace tavrill
