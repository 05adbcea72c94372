#include "text/Assignments.h"

#include <algorithm>

#include "base/Rows.h"

namespace tavrill {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr std::string_view kBlanks = " \t";

enum class Mark { Assign, Equals, Colon, Semicolon, Comment };

// Whether the code byte at i starts `mark`.
bool IsMark(std::string_view line, std::size_t i, Mark mark) {
    const char c = line[i];
    const char next = i + 1 < line.size() ? line[i + 1] : '\0';
    const char before = i > 0 ? line[i - 1] : '\0';
    switch (mark) {
        case Mark::Assign:
            return c == ':' && next == '=';
        case Mark::Equals:
            return c == '=' && before != ':' && before != '<' && before != '>';
        case Mark::Colon:
            return c == ':' && next != '=';
        case Mark::Semicolon:
            return c == ';';
        case Mark::Comment:
            return false;
    }
    return false;
}

// The bytes that can start a literal, a comment or a mark. Most bytes of a line are none of
// them, and a table lookup passes over those faster than the tests one by one.
struct Interesting {
    bool byte[256] = {};
    constexpr Interesting() {
        for (const char c : std::string_view("'{(/:=;")) byte[static_cast<unsigned char>(c)] = true;
    }
};
constexpr Interesting kInteresting;

// Index of the first `mark` at or after `from` outside string literals and comments, or kNone.
// With Mark::Comment, the index where the first comment starts.
std::size_t FindInCode(std::string_view line, Mark mark, std::size_t from = 0) {
    std::size_t i = from;
    while (i < line.size()) {
        while (i < line.size() && !kInteresting.byte[static_cast<unsigned char>(line[i])]) ++i;
        if (i == line.size()) break;
        const char c = line[i];
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        std::string_view close;
        if (c == '\'') {
            close = "'";
        } else if (c == '{') {
            close = "}";
        } else if (c == '(' && next == '*') {
            close = "*)";
        } else if (c == '/' && next == '/') {
            return mark == Mark::Comment ? i : kNone;
        }
        if (close.empty()) {
            if (IsMark(line, i, mark)) return i;
            ++i;
            continue;
        }
        if (mark == Mark::Comment && c != '\'') return i;
        // A doubled quote inside a literal is an empty gap between two literals: the same walk.
        const std::size_t end = line.find(close, i + (close == "*)" ? 2 : 1));
        if (end == kNone) return kNone;
        i = end + close.size();
    }
    return kNone;
}

std::size_t DisplayColumn(std::string_view bytes) {
    std::size_t column = 0;
    for (const char c : bytes) {
        if (c == '\t') {
            column = (column / 8 + 1) * 8;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return column;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
    if (line.size() < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if ((line[i] | 0x20) != word[i]) return false;
    }
    if (line.size() == word.size()) return true;
    const unsigned char after = static_cast<unsigned char>(line[word.size()]);
    const bool letter = static_cast<unsigned char>((after | 0x20) - 'a') < 26;
    return !(letter || static_cast<unsigned char>(after - '0') < 10 || after == '_');
}

Mark AlignmentMark(std::string_view text) {
    bool hasAssign = false;
    std::string_view firstLine;
    bool seenLine = false;
    std::size_t firstEquals = kNone, firstColon = kNone;
    rows::ForEachLine(text, [&](std::string_view line, bool) {
        if (hasAssign) return;
        if (FindInCode(line, Mark::Assign) != kNone) hasAssign = true;
        const std::size_t indent = line.find_first_not_of(kBlanks);
        if (!seenLine && indent != kNone) {
            seenLine = true;
            firstLine = line.substr(indent);
        }
        if (firstEquals == kNone && firstColon == kNone) {
            firstEquals = FindInCode(line, Mark::Equals);
            firstColon = FindInCode(line, Mark::Colon);
        }
    });
    if (hasAssign) return Mark::Assign;
    if (StartsWithWord(firstLine, "const")) return Mark::Equals;
    if (StartsWithWord(firstLine, "var")) return Mark::Colon;
    return firstEquals < firstColon ? Mark::Equals : Mark::Colon;
}

}  // namespace

namespace {

Mark ScanMark(AlignPlan::Mark mark) {
    switch (mark) {
        case AlignPlan::Mark::Equals:
            return Mark::Equals;
        case AlignPlan::Mark::Colon:
            return Mark::Colon;
        case AlignPlan::Mark::Assign:
            break;
    }
    return Mark::Assign;
}

}  // namespace

AlignPlan PlanAlignment(std::string_view text) {
    AlignPlan plan;
    const Mark mark = AlignmentMark(text);
    plan.mark = mark == Mark::Equals  ? AlignPlan::Mark::Equals
                : mark == Mark::Colon ? AlignPlan::Mark::Colon
                                      : AlignPlan::Mark::Assign;
    rows::ForEachLine(text, [&](std::string_view line, bool) {
        const std::size_t at = FindInCode(line, mark);
        if (at != kNone) plan.column = std::max(plan.column, DisplayColumn(line.substr(0, at)));
    });
    return plan;
}

void AlignLine(const AlignPlan& plan, std::string_view line, std::string& out) {
    const std::size_t at = FindInCode(line, ScanMark(plan.mark));
    if (at == kNone) {
        out += line;
        return;
    }
    out.append(line.substr(0, at))
        .append(plan.column - DisplayColumn(line.substr(0, at)), ' ')
        .append(line.substr(at));
}

std::string AlignAssignments(std::string_view text) {
    const AlignPlan plan = PlanAlignment(text);
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        AlignLine(plan, line, out);
        if (followedByBreak) out += "\r\n";
    });
    return out;
}

namespace {

// One designator: no blank or tab outside brackets and parentheses.
bool IsDesignator(std::string_view target) {
    int depth = 0;
    for (const char c : target) {
        if (c == '(' || c == '[') ++depth;
        if ((c == ')' || c == ']') && depth > 0) --depth;
        if ((c == ' ' || c == '\t') && depth == 0) return false;
    }
    return !target.empty();
}

std::string_view TrimBlanksRight(std::string_view s) {
    const std::size_t end = s.find_last_not_of(kBlanks);
    return s.substr(0, end == kNone ? 0 : end + 1);
}

}  // namespace

void ReverseAssignmentLine(std::string_view line, std::string& out) {
    const std::size_t assign = FindInCode(line, Mark::Assign);
    if (assign == kNone) {
        out += line;
        return;
    }
    const std::size_t targetStart = std::min(line.find_first_not_of(kBlanks), assign);
    const std::string_view target = TrimBlanksRight(line.substr(targetStart, assign - targetStart));
    const std::size_t afterAssign = assign + 2;
    const std::size_t valueStart = std::min(line.find_first_not_of(kBlanks, afterAssign), line.size());
    std::size_t valueEnd = FindInCode(line, Mark::Semicolon, valueStart);
    if (valueEnd == kNone) valueEnd = std::min(FindInCode(line, Mark::Comment, valueStart), line.size());
    const std::string_view value = TrimBlanksRight(line.substr(valueStart, valueEnd - valueStart));
    if (!IsDesignator(target) || value.empty()) {
        out += line;
        return;
    }
    out.append(line.substr(0, targetStart))
        .append(value)
        .append(line.substr(targetStart + target.size(), afterAssign - targetStart - target.size()))
        .append(line.substr(afterAssign, valueStart - afterAssign))
        .append(target)
        .append(line.substr(valueStart + value.size()));
}

std::string ReverseAssignments(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        ReverseAssignmentLine(line, out);
        if (followedByBreak) out += "\r\n";
    });
    return out;
}

}  // namespace tavrill
