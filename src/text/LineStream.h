#pragma once
// The per-line rewrites (a prefix in front of every line, or leading blanks taken off) on a text
// that arrives in pieces, so that a filter can run through any amount of text in a small buffer.
// Feeding the pieces and then finishing gives exactly the bytes of CommentSlash, IndentLines or
// UnindentLines on the whole text, wherever the pieces are cut (also between CR and LF).

#include <string>
#include <string_view>

namespace tavrill {

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

}  // namespace tavrill
