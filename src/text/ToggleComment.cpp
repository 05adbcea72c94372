#include "text/ToggleComment.h"

#include <algorithm>

#include "base/Rows.h"
#include "text/Comment.h"

namespace tavrill {

namespace {

constexpr std::string_view kBlanks = " \t";

}  // namespace

TogglePlan PlanToggleComment(std::string_view text) {
    TogglePlan plan;
    std::size_t smallestIndent = rows::kNone;
    rows::ForEachLine(text, [&](std::string_view line, bool) {
        const std::size_t indent = line.find_first_not_of(kBlanks);
        if (indent == rows::kNone) return;
        ++plan.codeLines;
        smallestIndent = std::min(smallestIndent, indent);
        if (line.substr(indent, kSlashMark.size()) != kSlashMark) plan.uncomment = false;
    });
    plan.indent = plan.codeLines > 0 ? smallestIndent : 0;
    return plan;
}

void ToggleCommentLine(const TogglePlan& plan, std::string_view line, std::string& out) {
    const std::size_t indent = line.find_first_not_of(kBlanks);
    if (indent == rows::kNone) {
        out += line;
    } else if (plan.uncomment) {
        out.append(line.substr(0, indent)).append(line.substr(indent + kSlashMark.size()));
    } else {
        out.append(line.substr(0, plan.indent)).append(kSlashMark).append(line.substr(plan.indent));
    }
}

std::string ToggleComment(std::string_view text) {
    const TogglePlan plan = PlanToggleComment(text);
    std::string out;
    out.reserve(plan.uncomment ? text.size() : text.size() + kSlashMark.size() * plan.codeLines);
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        ToggleCommentLine(plan, line, out);
        if (followedByBreak) out += "\r\n";
    });
    return out;
}

}  // namespace tavrill
