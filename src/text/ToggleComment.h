#pragma once
// Commenting lines out and back in with one command, the way programmers' editors toggle "//".

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrill {

// Lines as LineList counts them; a blank line holds only blanks and tabs (or nothing).
// When every non-blank line starts with "//" after its leading blanks and tabs, those two bytes
// are taken from each; otherwise "//" goes into every non-blank line at the smallest indent (in
// bytes) of the non-blank lines, so the marks stand in one column in front of the code. Blank
// lines and every line break stay as they are; a text without non-blank lines comes back as it is.
// Toggling twice gives back a text whose lines were not all commented, and a commented text whose
// marks stood at that smallest indent.
std::string ToggleComment(std::string_view text);

// The same in two steps, for a filter that writes the lines as they are done: the plan needs the
// whole text, each line then needs only the plan.
struct TogglePlan {
    bool uncomment = true;      // every non-blank line is commented
    std::size_t indent = 0;     // where the marks go in when commenting
    std::size_t codeLines = 0;  // the non-blank lines
};
TogglePlan PlanToggleComment(std::string_view text);
// Appends the toggled line (without a line break) to `out`.
void ToggleCommentLine(const TogglePlan& plan, std::string_view line, std::string& out);

}  // namespace tavrill
