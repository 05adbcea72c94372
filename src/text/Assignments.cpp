#include "text/Assignments.h"

#include <algorithm>

#include "base/Ascii.h"
#include "base/Rows.h"
#include "text/PascalLines.h"

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

bool IsWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return static_cast<unsigned char>((u | 0x20) - 'a') < 26 || static_cast<unsigned char>(u - '0') < 10 ||
           c == '_';
}

// The byte pairs of Object Pascal's two-byte operators, which a one-byte token must not split.
bool FormsOperator(char first, char second) {
    static constexpr std::string_view kPairs[] = {":=", "<=", ">=", "<>", "..", "+=", "-=", "*=", "/="};
    for (const std::string_view pair : kPairs) {
        if (pair[0] == first && pair[1] == second) return true;
    }
    return false;
}

class TokenFinder {
public:
    explicit TokenFinder(std::string_view token)
        : token_(token), word_(!token.empty() && std::all_of(token.begin(), token.end(), IsWordByte)) {}

    // Where the token first stands in code on this line (the next line of the text), or kNone.
    std::size_t Find(std::string_view line) {
        const std::vector<PascalSpan>& spans = tokens_.Line(line);
        if (word_) {
            for (const PascalSpan& span : spans) {
                if ((span.kind == PascalKind::Identifier || span.kind == PascalKind::Reserved) &&
                    EqualIgnoringAsciiCase(line.substr(span.offset, span.length), token_))
                    return span.offset;
            }
            return kNone;
        }
        auto span = spans.begin();
        for (std::size_t at = line.find(token_); at != kNone; at = line.find(token_, at + 1)) {
            while (span != spans.end() && span->offset + span->length <= at) ++span;
            if (span != spans.end() && IsTextSpan(*span) && span->offset < at + token_.size()) continue;
            const char before = at > 0 ? line[at - 1] : ' ';
            const char after = at + token_.size() < line.size() ? line[at + token_.size()] : ' ';
            if (FormsOperator(before, token_.front()) || FormsOperator(token_.back(), after)) continue;
            return at;
        }
        return kNone;
    }

private:
    std::string_view token_;
    bool word_;
    PascalLineTokens tokens_;
};

}  // namespace

std::string AlignOn(std::string_view text, std::string_view token) {
    const bool usable = !token.empty() && std::none_of(token.begin(), token.end(), [](char c) {
        return static_cast<unsigned char>(c) <= 32;
    });
    if (!usable) return std::string(text);
    std::size_t column = 0;
    TokenFinder planner(token);
    rows::ForEachLine(text, [&](std::string_view line, bool) {
        const std::size_t at = planner.Find(line);
        if (at != kNone) column = std::max(column, DisplayColumn(line.substr(0, at)));
    });
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    TokenFinder finder(token);
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        const std::size_t at = finder.Find(line);
        if (at == kNone) {
            out.append(line);
        } else {
            out.append(line.substr(0, at))
                .append(column - DisplayColumn(line.substr(0, at)), ' ')
                .append(line.substr(at));
        }
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

namespace {

std::string_view Trimmed(std::string_view s) {
    const std::size_t start = s.find_first_not_of(kBlanks);
    return start == kNone ? std::string_view() : TrimBlanksRight(s.substr(start));
}

// "for i := a to b do" as "for i := b downto a do" and back; false when the line is no such loop.
bool ReverseLoop(std::string_view line, std::string& out) {
    // Only a line that starts with "for" is worth the tokenizer.
    const std::size_t first = line.find_first_not_of(kBlanks);
    if (first == kNone || !EqualIgnoringAsciiCase(line.substr(first, 3), "for")) return false;
    const std::vector<PascalSpan> spans = PascalTokens(line);
    const auto word = [&](std::size_t k) { return line.substr(spans[k].offset, spans[k].length); };
    const auto reserved = [&](std::size_t k, std::string_view w) {
        return spans[k].kind == PascalKind::Reserved && EqualIgnoringAsciiCase(word(k), w);
    };
    if (spans.empty() || !reserved(0, "for") || !Trimmed(line.substr(0, spans[0].offset)).empty())
        return false;
    std::size_t k = 1, direction = 0, loopDo = 0;
    while (k < spans.size() && !reserved(k, "to") && !reserved(k, "downto")) ++k;
    direction = k;
    while (k < spans.size() && !reserved(k, "do")) ++k;
    loopDo = k;
    if (loopDo >= spans.size()) return false;
    const std::size_t assign = FindInCode(line.substr(0, spans[direction].offset), Mark::Assign);
    if (assign == kNone) return false;
    const std::string_view from = Trimmed(line.substr(assign + 2, spans[direction].offset - assign - 2));
    const std::size_t toStart = spans[direction].offset + spans[direction].length;
    const std::string_view to = Trimmed(line.substr(toStart, spans[loopDo].offset - toStart));
    if (from.empty() || to.empty()) return false;
    const auto offset = [&](std::string_view part) {
        return static_cast<std::size_t>(part.data() - line.data());
    };
    out.append(line.substr(0, offset(from)))
        .append(to)
        .append(line.substr(offset(from) + from.size(), spans[direction].offset - offset(from) - from.size()))
        .append(reserved(direction, "to") ? "downto" : "to")
        .append(line.substr(toStart, offset(to) - toStart))
        .append(from)
        .append(line.substr(offset(to) + to.size()));
    return true;
}

}  // namespace

void ReverseAssignmentLine(std::string_view line, std::string& out) {
    if (ReverseLoop(line, out)) return;
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
    // A ";" in front of the ":=" ends an earlier statement, which must not move into the value.
    const std::size_t semicolon = FindInCode(line, Mark::Semicolon);
    if (!IsDesignator(target) || value.empty() || (semicolon != kNone && semicolon < assign)) {
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
