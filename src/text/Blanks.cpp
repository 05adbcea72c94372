#include "text/Blanks.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// Whether a string or a comment starts at i.
bool OpensAt(std::string_view line, std::size_t i) {
    const char c = line[i];
    if (c == '\'' || c == '{') return true;
    return (c == '(' || c == '/') && i + 1 < line.size() && line[i + 1] == (c == '(' ? '*' : '/');
}

// The first tab or start of a string or comment at or after `from`, or npos. Sixteen bytes at a
// time, since most rows of a large file hold nothing else of interest.
std::size_t NextMark(std::string_view text, std::size_t from) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i tab = _mm_set1_epi8('\t'), quote = _mm_set1_epi8('\''), brace = _mm_set1_epi8('{');
    const __m128i paren = _mm_set1_epi8('('), star = _mm_set1_epi8('*'), slash = _mm_set1_epi8('/');
    for (; i + 17 <= text.size(); i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i + 1));
        const __m128i pairs = _mm_or_si128(_mm_and_si128(_mm_cmpeq_epi8(v, paren), _mm_cmpeq_epi8(w, star)),
                                           _mm_and_si128(_mm_cmpeq_epi8(v, slash), _mm_cmpeq_epi8(w, slash)));
        const __m128i hits = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, quote)),
                                          _mm_or_si128(_mm_cmpeq_epi8(v, brace), pairs));
        if (const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits)); mask != 0)
            return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    for (; i < text.size(); ++i) {
        if (text[i] == '\t' || OpensAt(text, i)) return i;
    }
    return std::string_view::npos;
}

// Where the row holding `at` starts: behind the last CR LF before it, or at `from` when there is
// none from there on (`from` is a row's start or just behind a tab).
std::size_t RowStart(std::string_view text, std::size_t from, std::size_t at) {
    // rfind rather than memrchr, which is a GNU extension the MinGW C library lacks.
    for (std::size_t end = at; end > from;) {
        // rfind rather than memrchr, which is a GNU extension the Windows runtime lacks.
        const std::size_t lf = text.substr(from, end - from).rfind('\n');
        if (lf == std::string_view::npos) break;
        end = from + lf;
        if (end > from && text[end - 1] == '\r') return end + 1;
    }
    return from;
}

// Columns taken by the bytes: UTF-8 characters, not bytes.
std::size_t Columns(std::string_view bytes) {
    std::size_t continuation = 0;
    for (const char c : bytes) continuation += (static_cast<unsigned char>(c) & 0xC0) == 0x80;
    return bytes.size() - continuation;
}

}  // namespace

void Untabifier::Expand(std::string_view line, std::size_t column, const std::vector<PascalSpan>& spans,
                        std::string& out) const {
    std::size_t copied = 0, k = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c != '\t') {
            if ((c & 0xC0) != 0x80) ++column;
            continue;
        }
        const std::size_t next = (column / width_ + 1) * width_;
        while (k < spans.size() && spans[k].offset + spans[k].length <= i) ++k;
        if (!(k < spans.size() && spans[k].offset <= i && IsTextSpan(spans[k]))) {
            out.append(line.substr(copied, i - copied)).append(next - column, ' ');
            copied = i + 1;
        }
        column = next;
    }
    out.append(line.substr(copied));
}

void Untabifier::Text(std::string_view text, std::string& out) {
    std::size_t pos = 0, copied = 0;
    std::size_t counted = 0, column = 0;  // the columns of the row up to `counted`
    // A row inside a comment, or from its first string or comment on, goes through the tokenizer;
    // up to there every byte is code, and most rows never get there.
    const auto tokenized = [&](std::size_t from) {
        const std::size_t end = rows::FindBreak(text, from);
        const std::size_t rowEnd = end == rows::kNone ? text.size() : end;
        const std::string_view rest = text.substr(from, rowEnd - from);
        if (tokens_.InComment() || rest.find('\t') != std::string_view::npos ||
            rest.find('{') != std::string_view::npos || rest.find("(*") != std::string_view::npos) {
            out.append(text.substr(copied, from - copied));
            Expand(rest, column + Columns(text.substr(counted, from - counted)), tokens_.Line(rest), out);
            copied = rowEnd;
        }
        return rowEnd;
    };
    while (pos < text.size()) {
        if (tokens_.InComment()) {
            pos = tokenized(pos);
            if (pos < text.size()) pos += 2;
            out.append(text.substr(copied, pos - copied));
            copied = counted = pos;
            column = 0;
            continue;
        }
        const std::size_t at = NextMark(text, pos);
        if (at == std::string_view::npos) break;
        pos = at + 1;
        if (const std::size_t row = RowStart(text, counted, at); row != counted) {
            counted = row;
            column = 0;
        }
        if (text[at] == '\t') {
            column += Columns(text.substr(counted, at - counted));
            const std::size_t next = (column / width_ + 1) * width_;
            out.append(text.substr(copied, at - copied)).append(next - column, ' ');
            copied = counted = pos;
            column = next;
        } else {
            pos = tokenized(at);
            if (tokens_.InComment() && pos < text.size()) {
                pos += 2;
                out.append(text.substr(copied, pos - copied));
                copied = counted = pos;
                column = 0;
            }
        }
    }
    out.append(text.substr(copied));
}

std::string Untabify(std::string_view text, int tabWidth) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    Untabifier(tabWidth).Text(text, out);
    return out;
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
    const bool inComment = tokens_.InComment();
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
    // A "//" inside a comment that an earlier line opened swallows nothing.
    keepBreak_ = !spans.empty() && spans.back().kind == PascalKind::Comment &&
                 !(inComment && spans.back().offset == 0) &&
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
