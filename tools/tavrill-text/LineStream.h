#pragma once
// The line rewrites on a text that arrives in pieces, so that a filter can run through any amount
// of text in a small buffer. Feeding the pieces and then finishing gives exactly the bytes of the
// whole-text rewrite, wherever the pieces are cut (also between CR and LF).

#include <optional>
#include <string>
#include <string_view>

namespace tavrill {

// A prefix in front of every line, or leading blanks taken off: CommentSlash, IndentLines or
// UnindentLines.
class LineStreamRewriter {
public:
    // "//" gives CommentSlash, n blanks give IndentLines(n).
    static LineStreamRewriter Prefixing(std::string prefix) {
        return LineStreamRewriter(std::move(prefix), 0);
    }
    // UnindentLines(n); n <= 0 changes nothing.
    static LineStreamRewriter Unindenting(int n) { return LineStreamRewriter({}, n > 0 ? n : 0); }

    // Appends to `out` the rewritten bytes that this piece settles.
    void Feed(std::string_view piece, std::string& out);
    // Appends what is still held back; the rewriter is then spent.
    void Finish(std::string& out);

private:
    LineStreamRewriter(std::string prefix, int unindent)
        : prefix_(std::move(prefix)), unindent_(unindent), blanksLeft_(unindent) {}

    // `text` holds no CR that a later piece could pair with an LF.
    void Run(std::string_view text, std::string& out);
    void Content(std::string_view bytes, std::string& out);
    void Break(std::string& out);

    std::string prefix_;
    int unindent_;
    int blanksLeft_;
    bool atRowStart_ = true;  // no byte of the current row seen yet
    bool heldCr_ = false;     // the last piece ended with a CR whose LF may come next
};

// Uncomment. A text that starts with neither "{" nor "(" streams: only the bytes of value 32 or
// below at the end of what has arrived are held back (they are trimmed if nothing else follows),
// and a "/" alone at the start of a row until its next byte. A text that starts with "{" or "(*"
// is a pair only if its last byte closes it, so it is held whole; one that starts with "(" and any
// other byte is nothing to uncomment, and the rest of it is not kept.
class UncommentStream {
public:
    // Appends to `out` the rewritten bytes that this piece settles.
    void Feed(std::string_view piece, std::string& out);
    // The rest of the output: for a pair, a view of the text held here (valid while this object
    // lives); otherwise the bytes appended to `out`. Nothing when Uncomment of the whole text gives
    // nothing; then no Feed has appended anything either. The stream is then spent.
    std::optional<std::string_view> Finish(std::string& out);

private:
    enum class Mode {
        Leading,    // only bytes up to 32 so far
        ParenOpen,  // the text starts with "(" and its next byte has not come yet
        Holding,    // a brace or parenthesis-star pair, held from its first byte
        Dropping,   // a "(" without "*": nothing to uncomment
        Slashes,    // "//" is taken off the rows
    };
    enum class Row {
        Start,     // no byte of the current row written yet
        OneSlash,  // the row starts with a "/" held back, the piece ended behind it
        Inside,
    };

    void FeedSlashes(std::string_view piece, std::string& out);
    // `segment` is not empty and no CR at its end pairs with an LF after it.
    void SlashRows(std::string_view segment, std::string& out);
    // The row that starts at `at` (at 0 also a row carried over from the segment before);
    // `copied` is how far the segment has been written to `out` or dropped.
    void OpenRow(std::string_view segment, std::size_t at, std::size_t& copied, std::string& out);

    Mode mode_ = Mode::Leading;
    Row row_ = Row::Start;
    std::string held_;  // Holding: the text so far; Slashes: the bytes up to 32 at its end
};

}  // namespace tavrill
