#pragma once
// The verbs of tavrill-text and what each does to the bytes it reads. Kept apart from the
// program's input and output so that the argument rules can be tested without a process.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "LineStream.h"
#include "format/Format.h"

namespace tavrill::filter {

enum class Verb {
    Help,
    Upper,
    Lower,
    Title,
    Flip,
    CommentSlash,
    CommentBrace,
    CommentParen,
    Uncomment,
    Indent,
    Unindent,
    Sentence,
    ToggleComment,
    Sort,
    SortDescending,
    Align,
    Reverse,
    Quote,
    QuoteMultiline,
    Unquote,
    Trim,
    Untabify,
    DeleteBlankLines,
    CompactBlankLines,
    Join,
    AlignOn,
    Format,
};

inline constexpr int kMaxIndent = 100;

struct Request {
    Verb verb = Verb::Help;
    int n = 0;          // Indent, Unindent: blanks; Untabify: the tab width
    std::string token;  // AlignOn only
    FormatStyle style;  // Format only
};

struct Parsed {
    std::optional<Request> request;
    std::string error;  // one line, set when there is no request
};

Parsed ParseArguments(std::span<const std::string_view> args);

std::string_view Usage();

// The case verbs, comment-slash, uncomment, indent and unindent work on the text piece by piece,
// giving the same bytes and the same result as on the whole text wherever the pieces are cut. The
// other verbs are run by RunRewrite (Rewrites.h).
class PieceRewriter {
public:
    explicit PieceRewriter(const Request& request);
    // The rewritten bytes this piece settles: the piece itself, converted in place, or `scratch`.
    std::string_view Feed(std::span<char> piece, std::string& scratch);
    // What is still to be written after the last piece, in `scratch` or in this object's memory.
    // Nothing when uncomment finds nothing to do; then no Feed has given any byte either.
    std::optional<std::string_view> Finish(std::string& scratch);

private:
    Verb verb_;
    bool atWordStart_ = true;
    std::optional<LineStreamRewriter> lines_;
    UncommentStream uncomment_;
};

}  // namespace tavrill::filter
