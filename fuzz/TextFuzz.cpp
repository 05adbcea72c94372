// Random bytes through the line list and every text rewrite. Each check is a property the
// commands rely on, so a crash, a sanitizer report or a failed check is a fault in the product.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "LineCutter.h"
#include "LineStream.h"
#include "text/Assignments.h"
#include "text/Blanks.h"
#include "text/Case.h"
#include "text/Comment.h"
#include "text/Indent.h"
#include "text/LineList.h"
#include "text/Quote.h"
#include "text/SortLines.h"
#include "text/ToggleComment.h"

#include "FuzzCheck.h"

namespace {

using namespace tavrill;

std::size_t Breaks(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) n += text[i] == '\r' && text[i + 1] == '\n';
    return n;
}

// The line list's rules, done the slow and obvious way on the text itself, to compare with.
struct ModelRows {
    std::vector<std::string> rows;

    explicit ModelRows(std::string_view text) {
        std::string row;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                rows.push_back(row);
                row.clear();
                ++i;
            } else {
                row += text[i];
            }
        }
        rows.push_back(row);
    }
    std::string Text() const {
        std::string text;
        for (std::size_t i = 0; i < rows.size(); ++i) text += (i ? "\r\n" : "") + rows[i];
        return text;
    }
};

std::ptrdiff_t ModelLineCount(std::string_view text) {
    ModelRows m(text);
    return static_cast<std::ptrdiff_t>(m.rows.size()) - (m.rows.back().empty() ? 1 : 0);
}

std::string ModelGetLine(std::string_view text, std::ptrdiff_t i) {
    ModelRows m(text);
    return i >= 0 && i < static_cast<std::ptrdiff_t>(m.rows.size()) ? m.rows[i] : std::string();
}

// Text in, text out; the whole text is re-read after every step.
std::string ModelApply(std::string_view text, int op, std::ptrdiff_t i, std::ptrdiff_t j,
                       const std::string& s) {
    const auto has = [&](const ModelRows& m, std::ptrdiff_t k) {
        return k >= 0 && k < static_cast<std::ptrdiff_t>(m.rows.size());
    };
    ModelRows m(text);
    switch (op) {
        case 0:  // PutLine
            if (has(m, i)) m.rows[i] = s;
            return ModelRows(m.Text()).Text();
        case 1:  // InsertLine
            if (i < 0) return std::string(text);
            if (has(m, i)) {
                m.rows.insert(m.rows.begin() + i, s);
            } else if (has(m, i - 1) && !m.rows[i - 1].empty()) {
                m.rows.push_back(s);
            }
            return m.Text();
        case 2:  // DeleteLine
            if (!has(m, i)) return std::string(text);
            if (has(m, i + 1)) {
                m.rows.erase(m.rows.begin() + i);
            } else {
                m.rows[i].clear();
            }
            return m.Text();
        case 3: {  // MoveLine
            if (i == j) return std::string(text);
            const std::string line = ModelGetLine(text, i);
            const std::string deleted = ModelApply(text, 2, i, 0, "");
            return ModelApply(deleted, 1, j, 0, line);
        }
        default:  // AddLine
            return ModelApply(text, 1, ModelLineCount(text), 0, s);
    }
}

// Upper, lower and flip change each byte on its own, which CaseTest checks for all 256; title case
// looks at the byte before, so it is checked in pieces.
void CheckCase(const std::string& text, std::size_t cut) {
    CHECK(TitleCaseAscii(UpperCaseAscii(text)) == TitleCaseAscii(text));
    std::string pieces = text;
    const bool atStart = TitleCaseAsciiInPlace(std::span<char>(pieces.data(), cut));
    TitleCaseAsciiInPlace(std::span<char>(pieces.data() + cut, pieces.size() - cut), atStart);
    CHECK(pieces == TitleCaseAscii(text));
}

// What each whole-text rewrite must equal: rewriting each line of a line list in turn.
std::string LineByLine(const std::string& text,
                       const std::function<std::string(const std::string&)>& rewrite) {
    LineList list(text);
    for (std::ptrdiff_t i = 0, count = list.LineCount(); i < count; ++i)
        list.PutLine(i, rewrite(list.GetLine(i)));
    return list.GetText();
}

void CheckLineRewrites(const std::string& text, int n, const std::vector<std::size_t>& cuts) {
    const std::size_t breaks = Breaks(text);
    const std::string slashed = CommentSlash(text);
    const std::string indented = IndentLines(text, n);
    const std::string unindented = UnindentLines(text, n);
    const std::string uncommented = UncommentSlashLines(text);
    for (const std::string* out : {&slashed, &indented, &unindented, &uncommented})
        CHECK(Breaks(*out) == breaks);
    CHECK(slashed == LineByLine(text, [](const std::string& line) { return "//" + line; }));
    CHECK(indented == LineByLine(text, [&](const std::string& line) { return std::string(n, ' ') + line; }));
    CHECK(unindented == LineByLine(text, [&](const std::string& line) {
              std::size_t k = 0;
              while (k < static_cast<std::size_t>(n) && k < line.size() && line[k] == ' ') ++k;
              return line.substr(k);
          }));
    CHECK(uncommented == LineByLine(text, [](const std::string& line) {
              return line.size() >= 2 && line.starts_with("//") ? line.substr(2) : line;
          }));
    CHECK(UncommentSlashLines(slashed) == text);
    CHECK(UnindentLines(indented, n) == text);
    CHECK(slashed.size() == text.size() + 2 * static_cast<std::size_t>(CountLines(text)));

    const std::string_view trimmed = TrimControls(text);
    if (!trimmed.empty() && trimmed.size() == text.size()) CHECK(Uncomment(slashed) == text);
    if (const auto result = Uncomment(text)) CHECK(result->size() <= trimmed.size());

    const auto piecewise = [&](LineStreamRewriter rewriter) {
        std::string out;
        std::size_t at = 0;
        for (std::size_t cut : cuts) {
            rewriter.Feed(std::string_view(text).substr(at, cut - at), out);
            at = cut;
        }
        rewriter.Feed(std::string_view(text).substr(at), out);
        rewriter.Finish(out);
        return out;
    };
    CHECK(piecewise(LineStreamRewriter::Prefixing("//")) == slashed);
    CHECK(piecewise(LineStreamRewriter::Prefixing(std::string(n, ' '))) == indented);
    CHECK(piecewise(LineStreamRewriter::Unindenting(n)) == unindented);

    UncommentStream uncomment;
    std::string streamed;
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
        uncomment.Feed(std::string_view(text).substr(at, cut - at), streamed);
        at = cut;
    }
    uncomment.Feed(std::string_view(text).substr(at), streamed);
    const std::size_t fed = streamed.size();
    const std::optional<std::string_view> rest = uncomment.Finish(streamed);
    const std::optional<std::string> whole = Uncomment(text);
    CHECK(rest.has_value() == whole.has_value());
    if (rest) CHECK(streamed.substr(0, fed) + std::string(*rest) == *whole);
    if (!rest) CHECK(fed == 0);  // nothing to uncomment: nothing may have been written
}

// Rewrites that undo each other, keep their shape, or settle after one run.
void CheckPairedRewrites(const std::string& text, const std::vector<std::size_t>& cuts) {
    const std::string quoted = QuoteString(text);
    CHECK(UnquoteString(quoted) == text);
    // A commented text's marks were placed by the toggle itself; an uncommented one comes back.
    const ModelRows model(text);
    const bool allCommented = std::all_of(model.rows.begin(), model.rows.end(), [](const std::string& row) {
        const std::size_t k = row.find_first_not_of(" \t");
        return k == std::string::npos || row.compare(k, 2, "//") == 0;
    });
    const std::string toggled = ToggleComment(text);
    CHECK(Breaks(toggled) == Breaks(text));
    if (!allCommented) CHECK(ToggleComment(toggled) == text);

    CHECK(LowerCaseAscii(SentenceCaseAscii(text)) == LowerCaseAscii(text));

    for (const bool descending : {false, true}) {
        const std::string sorted = SortLines(text, descending);
        CHECK(sorted.size() == text.size() && Breaks(sorted) == Breaks(text));
        CHECK(SortLines(sorted, descending) == sorted);
    }
    const std::string aligned = AlignAssignments(text);
    CHECK(AlignAssignments(aligned) == aligned);
    CHECK(Breaks(aligned) == Breaks(text) && Breaks(ReverseAssignments(text)) == Breaks(text));

    // A comment pair never holds its own closing mark inside; Uncomment undoes every form.
    const std::string brace = CommentBrace(text), paren = CommentParen(text);
    if (brace.starts_with("{ ")) CHECK(brace.find('}') == brace.size() - 1);
    if (paren.starts_with("(* ")) CHECK(paren.find("*)") == paren.size() - 2);
    const std::string_view trimmed = TrimControls(text);
    if (!trimmed.empty() && trimmed.size() == text.size())
        CHECK(Uncomment(brace) == text && Uncomment(paren) == text);

    // Line by line through pieces, as the filter runs quote and reverse.
    LineCutter cutter;
    StringQuoter quoter;
    std::string quotedInPieces, reversedInPieces;
    const auto visit = [&](std::string_view line, bool followedByBreak) {
        quoter.Line(line, followedByBreak, quotedInPieces);
        ReverseAssignmentLine(line, reversedInPieces);
        if (followedByBreak) reversedInPieces += "\r\n";
    };
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
        cutter.Feed(std::string_view(text).substr(at, cut - at), visit);
        at = cut;
    }
    cutter.Feed(std::string_view(text).substr(at), visit);
    cutter.Finish(visit);
    quoter.Finish(quotedInPieces);
    CHECK(quotedInPieces == quoted);
    CHECK(reversedInPieces == ReverseAssignments(text));
}

std::string WithoutBlanksAndBreaks(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') kept += c;
    }
    return kept;
}

// The rewrites of blanks settle after one run and lose nothing but blanks and line breaks.
void CheckBlanks(const std::string& text, int n, const std::string& token) {
    const std::string trimmed = TrimTrailingBlanks(text);
    CHECK(TrimTrailingBlanks(trimmed) == trimmed && Breaks(trimmed) == Breaks(text));
    const std::string untabified = Untabify(text, n + 1);
    CHECK(Untabify(untabified, n + 1) == untabified && Breaks(untabified) == Breaks(text));
    // Row by row, as the filter feeds it, the same.
    Untabifier rows(n + 1);
    std::string byRows;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t cr = text.find("\r\n", at);
        const std::size_t end = cr == std::string::npos ? text.size() : cr + 2;
        rows.Text(std::string_view(text).substr(at, end - at), byRows);
        at = end;
    }
    CHECK(byRows == untabified);
    for (const bool compact : {false, true}) {
        const std::string fewer = DeleteBlankLines(text, compact);
        CHECK(DeleteBlankLines(fewer, compact) == fewer);
        CHECK(WithoutBlanksAndBreaks(fewer) == WithoutBlanksAndBreaks(text));
    }
    CHECK(WithoutBlanksAndBreaks(JoinLines(text)) == WithoutBlanksAndBreaks(text));
    const std::string aligned = AlignOn(text, token);
    CHECK(AlignOn(aligned, token) == aligned && Breaks(aligned) == Breaks(text));
    const std::string multiline = QuoteMultiline(text);
    CHECK(UnquoteString(multiline) == text);
}

// A counting loop turned round twice is the loop it was. The bounds hold no word that could be
// taken for "to" or "do", and no comment or string mark.
void CheckLoopReversal(FuzzedDataProvider& data) {
    const auto bound = [&] {
        std::string raw = data.ConsumeRandomLengthString(12), kept;
        for (const char c : raw) {
            if (std::string_view("0123456789+-()[] nN").find(c) != std::string_view::npos) kept += c;
        }
        return kept.find_first_not_of(' ') == std::string::npos ? "n" + kept : kept;
    };
    const std::string direction = data.ConsumeBool() ? " to " : " downto ";
    const std::string loop = "  for i := " + bound() + direction + bound() + " do begin";
    const std::string once = ReverseAssignments(loop);
    CHECK(once != loop && ReverseAssignments(once) == loop);
}

void CheckNormalizing(const std::string& text) {
    const std::string normal = NormalizeLineBreaks(text);
    CHECK(NormalizeLineBreaks(normal) == normal);
    // Every CR and LF of the result belongs to a pair.
    CHECK(Breaks(normal) * 2 == static_cast<std::size_t>(std::count(normal.begin(), normal.end(), '\r') +
                                                         std::count(normal.begin(), normal.end(), '\n')));
    if (std::count(text.begin(), text.end(), '\r') + std::count(text.begin(), text.end(), '\n') ==
        static_cast<std::ptrdiff_t>(2 * Breaks(text))) {
        CHECK(normal == text);
    }
}

void CheckLineList(FuzzedDataProvider& data, std::string text) {
    LineList list(text);
    for (int step = 0; step < 16 && data.remaining_bytes() > 0; ++step) {
        const int op = data.ConsumeIntegralInRange(0, 5);
        const std::ptrdiff_t rows = list.RowCount();
        const auto i = data.ConsumeIntegralInRange<std::ptrdiff_t>(-1, rows + 1);
        const auto j = data.ConsumeIntegralInRange<std::ptrdiff_t>(-1, rows + 1);
        const std::string s = data.ConsumeRandomLengthString(12);
        switch (op) {
            case 0:
                list.PutLine(i, s);
                break;
            case 1:
                list.InsertLine(i, s);
                break;
            case 2:
                list.DeleteLine(i);
                break;
            case 3:
                list.MoveLine(i, j);
                break;
            case 4:
                list.AddLine(s);
                break;
            default:
                list.SetText(s);
                break;
        }
        text = op == 5 ? s : ModelApply(text, op, i, j, s);
        if (data.ConsumeBool()) CHECK(list.GetText() == text);
        CHECK(list.LineCount() == ModelLineCount(text));
        CHECK(list.GetLine(i) == ModelGetLine(text, i));
    }
    CHECK(list.GetText() == text);
    CHECK(list.RowCount() == static_cast<std::ptrdiff_t>(Breaks(text)) + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const int n = data.ConsumeIntegralInRange(0, 17);
    std::vector<std::size_t> cuts;
    const std::string text = data.ConsumeRandomLengthString(4096);
    for (std::size_t at = 0; at < text.size() && data.remaining_bytes() > 0;) {
        at += data.ConsumeIntegralInRange<std::size_t>(1, 64);
        if (at <= text.size()) cuts.push_back(at);
    }
    CheckCase(text, cuts.empty() ? 0 : cuts.front());
    CheckLineRewrites(text, n, cuts);
    CheckPairedRewrites(text, cuts);
    CheckNormalizing(text);
    static const std::string kTokens[] = {":=", "=", ":", "then", "(", "/", "//", "<", "var"};
    CheckBlanks(text, n, kTokens[static_cast<std::size_t>(n) % std::size(kTokens)]);
    CheckLoopReversal(data);
    CheckLineList(data, text);
    return 0;
}
