#pragma once
// Rewrites of Object Pascal assignments and declarations, line by line. A line is looked at only
// outside its string literals ('...', quotes doubled inside) and comments ("//" to the end of the
// line, "{ }" and "(* *)" within it), so a ":=" or ";" inside a string or a comment never counts.
// Lines are counted as LineList counts them; lines without the mark stay byte for byte, and so
// does every line break.

#include <string>
#include <string_view>

namespace tavrill {

// Blanks before the mark of every line that has one, so that the marks stand in one column: the
// right-most column any of them has (nothing is removed). The mark is ":=" when a line of the text
// has one. Otherwise it is "=" in a const block and ":" in a var block: a text whose first
// non-blank line starts with the word "const" (or "var"), or, without either word, whose first
// "=" or ":" is "=" (or ":"). Columns count tabs to the next multiple of 8 and UTF-8 characters by
// code point (continuation bytes take no column). Aligning twice gives what aligning once gave.
std::string AlignAssignments(std::string_view text);

// The same in two steps, for a filter that writes the lines as they are done: the plan needs the
// whole text, each line then needs only the plan.
struct AlignPlan {
    enum class Mark { Assign, Equals, Colon } mark = Mark::Assign;
    std::size_t column = 0;  // where every mark will stand
};
AlignPlan PlanAlignment(std::string_view text);
// Appends the aligned line (without a line break) to `out`.
void AlignLine(const AlignPlan& plan, std::string_view line, std::string& out);

// Blanks before the first `token` outside strings and comments of every line that has one, so that
// the tokens stand in one column, counted as AlignAssignments counts. A token of letters, digits
// and "_" is a whole word in any letter case ("var" is not found in "VarCount"); any other token
// is not found where a byte beside it would make it part of a longer operator ("=" is not found in
// ">=" or ":="). An empty token, or one holding a blank or a byte below 32, changes nothing.
// A "{ }" or "(* *)" comment counts across lines.
std::string AlignOn(std::string_view text, std::string_view token);

// "a := b;" becomes "b := a;" on every line with ":=": the text between the indentation and ":="
// (the target) and the text after ":=" up to the ";" (the value, or up to a trailing comment or
// the line's end) change places. Indentation, the blanks on either side of ":=", the ";", a
// trailing comment and trailing blanks stay where they were. A line whose target is not one
// designator (a blank outside brackets, as in "for i := 0 to 9 do") or whose value is empty
// stays as it is, and so does a line with a ";" in front of the ":=" ("Inc(i); j := 0;").
// A counting loop turns round: "for i := 0 to n - 1 do" becomes "for i := n - 1 downto 0 do" and
// back, blanks and the rest of the line kept.
std::string ReverseAssignments(std::string_view text);
// The same for one line without its line break.
void ReverseAssignmentLine(std::string_view line, std::string& out);

}  // namespace tavrill
