#include "text/LineStream.h"

#include "text/Rows.h"

namespace tavrill {

void LineStreamRewriter::Feed(std::string_view piece, std::string& out) {
    if (piece.empty()) return;
    if (heldCr_) {
        heldCr_ = false;
        if (piece.front() == '\n') {
            Run("\r\n", out);
            piece.remove_prefix(1);
        } else {
            Run("\r", out);
        }
    }
    // Whether it ends a line or is a byte of the line is known only with the next byte.
    if (!piece.empty() && piece.back() == '\r') {
        piece.remove_suffix(1);
        heldCr_ = true;
    }
    Run(piece, out);
}

void LineStreamRewriter::Finish(std::string& out) {
    if (heldCr_) Run("\r", out);
    heldCr_ = false;
}

void LineStreamRewriter::Run(std::string_view text, std::string& out) {
    std::size_t start = 0;
    rows::ForEachBreak(text, [&](std::size_t cr) {
        Content(text.substr(start, cr - start), out);
        Break(out);
        start = cr + 2;
    });
    Content(text.substr(start), out);
}

void LineStreamRewriter::Content(std::string_view bytes, std::string& out) {
    if (bytes.empty()) return;
    if (atRowStart_) {
        out += prefix_;
        atRowStart_ = false;
    }
    while (blanksLeft_ > 0 && !bytes.empty() && bytes.front() == ' ') {
        bytes.remove_prefix(1);
        --blanksLeft_;
    }
    if (!bytes.empty()) blanksLeft_ = 0;
    out += bytes;
}

void LineStreamRewriter::Break(std::string& out) {
    if (atRowStart_) out += prefix_;  // an empty line is a line too
    out += "\r\n";
    atRowStart_ = true;
    blanksLeft_ = unindent_;
}

}  // namespace tavrill
