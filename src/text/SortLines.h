#pragma once
// Putting lines in order, as programmers sort uses clauses, constants and case labels.

#include <string>
#include <string_view>

namespace tavrill {

// The lines (as LineList counts them) in ascending order, or descending, of their bytes with the
// ASCII letters compared as upper case (so "z" sorts before "[" and "_"); every other byte compares by its
// value, so the order does not depend on a locale. A line sorts before the longer lines it starts. Stable in
// both directions: lines that compare equal ("Foo", "foo") keep the order they had. The text ends with CR LF
// exactly when it did before.
std::string SortLines(std::string_view text, bool descending);

}  // namespace tavrill
