#pragma once
// Commenting Object Pascal text out in its three comment styles, and taking such a comment away.

#include <optional>
#include <string>
#include <string_view>

namespace tavrill {

// The comment marks exactly as they are written out.
struct CommentMarks {
    std::string_view open;
    std::string_view close;
};
inline constexpr std::string_view kSlashMark = "//";
inline constexpr CommentMarks kBraceMarks{"{ ", " }"};
inline constexpr CommentMarks kParenMarks{"(* ", " *)"};

// "//" in front of every line (as LineList counts lines): empty lines and lines of blanks
// included, in front of any indentation; the empty row after a final CR LF gets none.
std::string CommentSlash(std::string_view text);
// The same into `out`, reusing its memory (for repeated rewrites of large texts); `text` must
// not lie inside `out`.
void CommentSlashInto(std::string_view text, std::string& out);
// "{ " + text + " }" and "(* " + text + " *)". A text that holds the closing mark would end the
// comment early, so it gets the other pair instead when it does not hold that pair's closing mark
// either, and otherwise "//" in front of every line (CommentSlash). Uncomment undoes all three.
std::string CommentBrace(std::string_view text);
std::string CommentParen(std::string_view text);
// The pair that CommentBrace (kBraceMarks wanted) or CommentParen (kParenMarks) puts around the
// text, or nothing when it puts "//" in front of the lines instead.
std::optional<CommentMarks> SafeCommentMarks(std::string_view text, const CommentMarks& wanted);

// The text without every leading and trailing byte of value 32 or below.
std::string_view TrimControls(std::string_view text);

// What the uncomment command makes of an already trimmed, non-empty text.
enum class CommentForm {
    Pair,        // starts with "{" and ends with "}", or starts with "(*" and ends with ")"
    Unmatched,   // starts with "{" or "(" but is no such pair: left alone
    SlashLines,  // anything else: "//" is taken from the start of the lines that have it
};
CommentForm RecognizeComment(std::string_view trimmed);
// The bytes between the marks of a Pair: without the first and last byte of a brace pair, or
// the first two and last two bytes of a parenthesis-star pair ("(*)" gives the empty text).
std::string_view CommentPairInner(std::string_view trimmed);
// Each line that is at least two bytes long and starts with "//" loses those two bytes;
// everything else, line breaks included, stays.
std::string UncommentSlashLines(std::string_view text);
void UncommentSlashLinesInto(std::string_view text, std::string& out);

// The whole uncomment rewrite: trim, then a brace pair, a parenthesis-star pair (its inner text
// trimmed again) or the "//" of the lines. Nothing when the text trims to empty or starts a pair
// it does not close.
std::optional<std::string> Uncomment(std::string_view text);

}  // namespace tavrill
