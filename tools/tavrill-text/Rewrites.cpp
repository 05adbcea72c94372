#include "Rewrites.h"

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

#include <sys/stat.h>

#include "LineCutter.h"
#include "format/Format.h"
#include "text/Assignments.h"
#include "text/Blanks.h"
#include "text/Case.h"
#include "text/Comment.h"
#include "text/Quote.h"
#include "text/SortLines.h"
#include "text/ToggleComment.h"

namespace tavrill::filter {

namespace {

constexpr std::size_t kPiece = 1 << 20;

enum Exit { kDone = 0, kNothingToDo = 1, kFailed = 3 };

class IoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

void Write(std::string_view bytes) {
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        throw IoError("cannot write standard output");
}

// Up to buffer.size() bytes; fewer only at the end of the input.
std::size_t ReadPiece(std::string& buffer) {
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), stdin);
    if (got < buffer.size() && std::ferror(stdin)) throw IoError("cannot read standard input");
    return got;
}

std::string ReadAll() {
    std::string text, buffer(kPiece, '\0');
    // A file's size is known: one allocation instead of a growing copy of the text.
    struct stat input {};
    if (fstat(fileno(stdin), &input) == 0 && (input.st_mode & S_IFMT) == S_IFREG && input.st_size > 0)
        text.reserve(static_cast<std::size_t>(input.st_size) + 1);
    for (;;) {
        const std::size_t got = ReadPiece(buffer);
        text.append(buffer.data(), got);
        if (got < buffer.size()) return text;
    }
}

void RunSentence() {
    std::string buffer(kPiece, '\0');
    SentenceState state;
    for (;;) {
        const std::size_t got = ReadPiece(buffer);
        state = SentenceCaseAsciiInPlace(std::span<char>(buffer.data(), got), state);
        Write(std::string_view(buffer.data(), got));
        if (got < buffer.size()) return;
    }
}

// Reverse and quote need one line at a time; the output goes out in pieces of about kPiece.
template <class RewriteLine, class Finish>
void RunLines(RewriteLine rewriteLine, Finish finish) {
    std::string buffer(kPiece, '\0'), out;
    LineCutter cutter;
    const auto visit = [&](std::string_view line, bool followedByBreak) {
        rewriteLine(line, followedByBreak, out);
        if (out.size() >= kPiece) {
            Write(out);
            out.clear();
        }
    };
    for (;;) {
        const std::size_t got = ReadPiece(buffer);
        cutter.Feed(std::string_view(buffer.data(), got), visit);
        if (got < buffer.size()) break;
    }
    cutter.Finish(visit);
    finish(out);
    Write(out);
}

// Whole rows at a time, for a rewrite that is faster on many rows than on one: each call gets rows
// that CR LF ends, and the last call the rest of the text. Only a row cut by a piece is copied.
template <class RewriteRows>
void RunRows(RewriteRows rewriteRows) {
    std::string buffer(kPiece, '\0'), out, carry;
    out.reserve(kPiece + kPiece / 4);
    for (;;) {
        const std::size_t got = ReadPiece(buffer);
        std::string_view piece(buffer.data(), got);
        if (!carry.empty()) {
            // The cut row ends at the piece's first CR LF, or at an LF that pairs with a held CR.
            const std::size_t lf = carry.ends_with('\r') && piece.starts_with('\n') ? 0 : piece.find("\r\n");
            if (lf == std::string_view::npos) {
                carry.append(piece);
                piece = {};
            } else {
                const std::size_t end =
                    lf == 0 && carry.ends_with('\r') && piece.starts_with('\n') ? 1 : lf + 2;
                carry.append(piece.substr(0, end));
                rewriteRows(std::string_view(carry), out);
                carry.clear();
                piece.remove_prefix(end);
            }
        }
        const std::size_t last = piece.rfind("\r\n");
        const std::size_t whole = last == std::string_view::npos ? 0 : last + 2;
        rewriteRows(piece.substr(0, whole), out);
        carry.append(piece.substr(whole));
        Write(out);
        out.clear();
        if (got < buffer.size()) break;
    }
    rewriteRows(std::string_view(carry), out);
    Write(out);
}

// The whole text is read first; its lines go out as they are done, in pieces of about kPiece.
template <class RewriteLine>
void WriteLines(std::string_view text, RewriteLine rewriteLine) {
    std::string out;
    out.reserve(2 * kPiece);
    LineCutter lines;
    const auto visit = [&](std::string_view line, bool followedByBreak) {
        rewriteLine(line, out);
        if (followedByBreak) out += "\r\n";
        if (out.size() >= kPiece) {
            Write(out);
            out.clear();
        }
    };
    lines.Feed(text, visit);
    lines.Finish(visit);
    Write(out);
}

void RunToggleComment() {
    const std::string text = ReadAll();
    const TogglePlan plan = PlanToggleComment(text);
    WriteLines(text, [&](std::string_view line, std::string& out) { ToggleCommentLine(plan, line, out); });
}

void RunAlign() {
    const std::string text = ReadAll();
    const AlignPlan plan = PlanAlignment(text);
    WriteLines(text, [&](std::string_view line, std::string& out) { AlignLine(plan, line, out); });
}

void RunCommentPair(const CommentMarks& wanted) {
    const std::string text = ReadAll();
    if (const std::optional<CommentMarks> marks = SafeCommentMarks(text, wanted)) {
        Write(marks->open);
        Write(text);
        Write(marks->close);
    } else {
        WriteLines(text,
                   [](std::string_view line, std::string& out) { out.append(kSlashMark).append(line); });
    }
}

// A rewrite that takes the lines one by one, each with its line break, and may hold a little back.
template <class Rewriter>
void RunLineRewriter(Rewriter& rewriter) {
    RunLines([&](std::string_view line, bool followedByBreak,
                 std::string& out) { rewriter.Line(line, followedByBreak, out); },
             [&](std::string& out) {
                 if constexpr (requires { rewriter.Finish(out); }) rewriter.Finish(out);
             });
}

// The whole text is held (a routine's structure reaches back to its start); the result goes out
// in pieces, so only the input is held whole.
void RunFormat(const FormatStyle& style) {
    const std::string text = ReadAll();
    FormatPascal(text, style, [](std::string_view piece) { Write(piece); });
}

Exit RunVerb(const Request& request) {
    switch (request.verb) {
        case Verb::Trim:
            RunLines(TrimTrailingBlanksLine, [](std::string&) {});
            return kDone;
        case Verb::Untabify: {
            Untabifier untabifier(request.n);
            RunRows([&](std::string_view rows, std::string& out) { untabifier.Text(rows, out); });
            return kDone;
        }
        case Verb::DeleteBlankLines:
        case Verb::CompactBlankLines: {
            BlankLineDeleter deleter(request.verb == Verb::CompactBlankLines);
            RunLineRewriter(deleter);
            return kDone;
        }
        case Verb::Join: {
            LineJoiner joiner;
            RunLineRewriter(joiner);
            return kDone;
        }
        case Verb::AlignOn:
            Write(AlignOn(ReadAll(), request.token));
            return kDone;
        case Verb::QuoteMultiline:
            Write(QuoteMultiline(ReadAll()));
            return kDone;
        case Verb::Format:
            RunFormat(request.style);
            return kDone;
        case Verb::Sentence:
            RunSentence();
            return kDone;
        case Verb::Reverse:
            RunLines(
                [](std::string_view line, bool followedByBreak, std::string& out) {
                    ReverseAssignmentLine(line, out);
                    if (followedByBreak) out += "\r\n";
                },
                [](std::string&) {});
            return kDone;
        case Verb::Quote: {
            StringQuoter quoter;
            RunLines([&](std::string_view line, bool followedByBreak,
                         std::string& out) { quoter.Line(line, followedByBreak, out); },
                     [&](std::string& out) { quoter.Finish(out); });
            return kDone;
        }
        case Verb::Unquote: {
            const std::optional<std::string> text = UnquoteString(ReadAll());
            if (!text) return kNothingToDo;
            Write(*text);
            return kDone;
        }
        case Verb::ToggleComment:
            RunToggleComment();
            return kDone;
        case Verb::Sort:
            Write(SortLines(ReadAll(), false));
            return kDone;
        case Verb::SortDescending:
            Write(SortLines(ReadAll(), true));
            return kDone;
        case Verb::Align:
            RunAlign();
            return kDone;
        case Verb::CommentBrace:
            RunCommentPair(kBraceMarks);
            return kDone;
        case Verb::CommentParen:
            RunCommentPair(kParenMarks);
            return kDone;
        default:
            return kFailed;  // not a verb of this file: IsRewriteVerb said no
    }
}

}  // namespace

bool IsRewriteVerb(Verb verb) {
    switch (verb) {
        case Verb::Sentence:
        case Verb::ToggleComment:
        case Verb::Sort:
        case Verb::SortDescending:
        case Verb::Align:
        case Verb::Reverse:
        case Verb::Quote:
        case Verb::Unquote:
        case Verb::CommentBrace:
        case Verb::CommentParen:
        case Verb::QuoteMultiline:
        case Verb::Trim:
        case Verb::Untabify:
        case Verb::DeleteBlankLines:
        case Verb::CompactBlankLines:
        case Verb::Join:
        case Verb::AlignOn:
        case Verb::Format:
            return true;
        default:
            return false;
    }
}

int RunRewrite(const Request& request) {
    try {
        const Exit exit = RunVerb(request);
        if (exit != kDone) return exit;
        if (std::fflush(stdout) != 0) throw IoError("cannot write standard output");
        return kDone;
    } catch (const IoError& e) {
        std::fprintf(stderr, "tavrill-text: %s\n", e.what());
    } catch (const std::bad_alloc&) {
        // Reached with the text's memory already given back by the unwinding.
        std::fprintf(stderr, "tavrill-text: out of memory\n");
    } catch (const std::length_error&) {  // a string past its largest size
        std::fprintf(stderr, "tavrill-text: out of memory\n");
    }
    return kFailed;
}

}  // namespace tavrill::filter
