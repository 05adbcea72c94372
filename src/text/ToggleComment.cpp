#include "text/ToggleComment.h"

#include <algorithm>

#include "text/Comment.h"
#include "text/Rows.h"

namespace tavrill {

namespace {

constexpr std::string_view kBlanks = " \t";

}  // namespace

std::string ToggleComment(std::string_view text) {
    bool allCommented = true;
    std::size_t smallestIndent = rows::kNone;
    std::size_t codeLines = 0;
    rows::ForEachLine(text, [&](std::string_view line, bool) {
        const std::size_t indent = line.find_first_not_of(kBlanks);
        if (indent == rows::kNone) return;
        ++codeLines;
        smallestIndent = std::min(smallestIndent, indent);
        if (line.substr(indent, kSlashMark.size()) != kSlashMark) allCommented = false;
    });

    std::string out;
    out.reserve(allCommented ? text.size() : text.size() + kSlashMark.size() * codeLines);
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        const std::size_t indent = line.find_first_not_of(kBlanks);
        if (indent == rows::kNone) {
            out += line;
        } else if (allCommented) {
            out.append(line.substr(0, indent)).append(line.substr(indent + kSlashMark.size()));
        } else {
            out.append(line.substr(0, smallestIndent)).append(kSlashMark).append(line.substr(smallestIndent));
        }
        if (followedByBreak) out += "\r\n";
    });
    return out;
}

}  // namespace tavrill
