#include "text/Blanks.h"

#include <cstring>

#include "base/Rows.h"

namespace tavrill {

namespace {

constexpr std::string_view kBlanks = " \t";

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(kBlanks) == std::string_view::npos;
}

std::string_view TrimRight(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    return line.substr(0, end);
}

template <class Rewriter>
std::string EachLine(std::string_view text, Rewriter&& rewriter) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    rows::ForEachLine(text, [&](std::string_view line, bool followedByBreak) {
        rewriter.Line(line, followedByBreak, out);
    });
    return out;
}

}  // namespace

void TrimTrailingBlanksLine(std::string_view line, bool followedByBreak, std::string& out) {
    out.append(TrimRight(line));
    if (followedByBreak) out.append("\r\n");
}

std::string TrimTrailingBlanks(std::string_view text) {
    struct Trimmer {
        void Line(std::string_view line, bool followedByBreak, std::string& out) {
            TrimTrailingBlanksLine(line, followedByBreak, out);
        }
    } trimmer;
    return EachLine(text, trimmer);
}

void Untabifier::Line(std::string_view line, bool followedByBreak, std::string& out) {
    // Most lines hold no tab and cannot open a comment: nothing to find out about them.
    const bool hasTab = std::memchr(line.data(), '\t', line.size()) != nullptr;
    if (!hasTab && !tokens_.InComment() && line.find('{') == std::string_view::npos &&
        line.find("(*") == std::string_view::npos) {
        out.append(line);
        if (followedByBreak) out.append("\r\n");
        return;
    }
    const std::vector<PascalSpan>& spans = tokens_.Line(line);
    if (hasTab) {
        std::size_t column = 0, copied = 0;
        auto span = spans.begin();
        for (std::size_t i = 0; i < line.size(); ++i) {
            const auto c = static_cast<unsigned char>(line[i]);
            if (c != '\t') {
                if ((c & 0xC0) != 0x80) ++column;
                continue;
            }
            const std::size_t next = (column / width_ + 1) * width_;
            while (span != spans.end() && span->offset + span->length <= i) ++span;
            const bool inText = span != spans.end() && span->offset <= i && IsTextSpan(*span);
            if (!inText) {
                out.append(line.substr(copied, i - copied)).append(next - column, ' ');
                copied = i + 1;
            }
            column = next;
        }
        out.append(line.substr(copied));
    } else {
        out.append(line);
    }
    if (followedByBreak) out.append("\r\n");
}

std::string Untabify(std::string_view text, int tabWidth) {
    Untabifier untabifier(tabWidth);
    return EachLine(text, untabifier);
}

void BlankLineDeleter::Line(std::string_view line, bool followedByBreak, std::string& out) {
    const bool blank = IsBlankLine(line);
    if (!blank || (compact_ && !afterBlank_)) {
        out.append(line);
        if (followedByBreak) out.append("\r\n");
    }
    afterBlank_ = blank;
}

std::string DeleteBlankLines(std::string_view text, bool compact) {
    BlankLineDeleter deleter(compact);
    return EachLine(text, deleter);
}

void LineJoiner::Line(std::string_view line, bool followedByBreak, std::string& out) {
    finalBreak_ = followedByBreak;
    const std::vector<PascalSpan>& spans = tokens_.Line(line);
    if (IsBlankLine(line)) return;
    const std::string_view trimmed = TrimRight(line);
    if (!started_) {
        out.append(trimmed);
    } else if (keepBreak_) {
        out.append(heldBlanks_).append("\r\n").append(trimmed);
    } else {
        out.append(" ").append(trimmed.substr(trimmed.find_first_not_of(kBlanks)));
    }
    started_ = true;
    heldBlanks_.assign(line.substr(trimmed.size()));
    keepBreak_ = !spans.empty() && spans.back().kind == PascalKind::Comment &&
                 line.substr(spans.back().offset).starts_with("//");
}

void LineJoiner::Finish(std::string& out) {
    out.append(heldBlanks_);
    heldBlanks_.clear();
    if (finalBreak_) out.append("\r\n");
    finalBreak_ = false;
}

std::string JoinLines(std::string_view text) {
    LineJoiner joiner;
    std::string out = EachLine(text, joiner);
    joiner.Finish(out);
    return out;
}

}  // namespace tavrill
