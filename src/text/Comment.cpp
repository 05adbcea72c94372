#include "text/Comment.h"

#include <cstring>

#include "base/Rows.h"

namespace tavrill {

namespace {

// Writes into a buffer sized up front: whole-text rewrites of many megabytes stay a single pass
// of memcpy without the bookkeeping of repeated appends.
class Writer {
public:
    explicit Writer(std::string& out) : p_(out.data()) {}
    void Put(std::string_view s) {
        std::memcpy(p_, s.data(), s.size());
        p_ += s.size();
    }
    void Put2(const char* two) {
        p_[0] = two[0];
        p_[1] = two[1];
        p_ += 2;
    }
    char* Position() const { return p_; }

private:
    char* p_;
};

}  // namespace

std::string CommentSlash(std::string_view text) {
    std::string out;
    CommentSlashInto(text, out);
    return out;
}

void CommentSlashInto(std::string_view text, std::string& out) {
    std::size_t lines = 0;
    rows::ForEachLine(text, [&](std::string_view, bool) { ++lines; });
    out.resize(text.size() + 2 * lines);
    Writer w(out);
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        w.Put2("//");
        w.Put(line);
        if (followedByBreak) w.Put2("\r\n");
    });
    // The empty row after a final CR LF was not visited: its break was written with the line.
}

namespace {

std::string Enclose(std::string_view text, const CommentMarks& marks) {
    std::string out;
    out.reserve(marks.open.size() + text.size() + marks.close.size());
    out.append(marks.open).append(text).append(marks.close);
    return out;
}

bool Holds(std::string_view text, const CommentMarks& marks) {
    return text.find(marks.close.substr(1)) != std::string_view::npos;  // the close mark without its blank
}

std::string SafeComment(std::string_view text, const CommentMarks& wanted) {
    const std::optional<CommentMarks> marks = SafeCommentMarks(text, wanted);
    return marks ? Enclose(text, *marks) : CommentSlash(text);
}

}  // namespace

std::optional<CommentMarks> SafeCommentMarks(std::string_view text, const CommentMarks& wanted) {
    const CommentMarks& other = wanted.open == kBraceMarks.open ? kParenMarks : kBraceMarks;
    if (!Holds(text, wanted)) return wanted;
    if (!Holds(text, other)) return other;
    return std::nullopt;
}

std::string CommentBrace(std::string_view text) {
    return SafeComment(text, kBraceMarks);
}

std::string CommentParen(std::string_view text) {
    return SafeComment(text, kParenMarks);
}

std::string_view TrimControls(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(begin, end - begin);
}

CommentForm RecognizeComment(std::string_view trimmed) {
    if (trimmed.starts_with('{'))
        return trimmed.size() >= 2 && trimmed.ends_with('}') ? CommentForm::Pair : CommentForm::Unmatched;
    if (trimmed.starts_with('(')) {
        return trimmed.size() >= 3 && trimmed[1] == '*' && trimmed.ends_with(')') ? CommentForm::Pair
                                                                                  : CommentForm::Unmatched;
    }
    return CommentForm::SlashLines;
}

std::string_view CommentPairInner(std::string_view trimmed) {
    const std::size_t mark = trimmed.starts_with('{') ? 1 : 2;
    // "(*)" shares its star between the two marks: nothing lies between them.
    if (trimmed.size() <= 2 * mark) return {};
    return trimmed.substr(mark, trimmed.size() - 2 * mark);
}

std::string UncommentSlashLines(std::string_view text) {
    std::string out;
    UncommentSlashLinesInto(text, out);
    return out;
}

void UncommentSlashLinesInto(std::string_view text, std::string& out) {
    out.resize(text.size());
    Writer w(out);
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        if (line.size() >= 2 && line[0] == '/' && line[1] == '/') line.remove_prefix(2);
        w.Put(line);
        if (followedByBreak) w.Put2("\r\n");
    });
    out.resize(static_cast<std::size_t>(w.Position() - out.data()));
}

std::optional<std::string> Uncomment(std::string_view text) {
    const std::string_view trimmed = TrimControls(text);
    if (trimmed.empty()) return std::nullopt;
    switch (RecognizeComment(trimmed)) {
        case CommentForm::Pair:
            return std::string(TrimControls(CommentPairInner(trimmed)));
        case CommentForm::Unmatched:
            return std::nullopt;
        case CommentForm::SlashLines:
            break;
    }
    return UncommentSlashLines(trimmed);
}

}  // namespace tavrill
