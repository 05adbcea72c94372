#pragma once
// Whole lines out of a text that arrives in pieces, for the line rewrites that need a line at a
// time but never more than one: a filter can then run them through any amount of text while
// holding only the longest line.

#include <string>
#include <string_view>

#include "base/Rows.h"

namespace tavrill {

class LineCutter {
public:
    // Calls visit(line, followedByBreak) for every line this piece completes. Fed the pieces of a
    // text and then finished, it visits exactly the lines rows::ForEachLine visits on the whole,
    // wherever the pieces are cut (also between CR and LF).
    template <class Visit>
    void Feed(std::string_view piece, Visit&& visit) {
        if (piece.empty()) return;
        if (heldCr_) {
            heldCr_ = false;
            if (piece.front() == '\n') {
                visit(std::string_view(partial_), true);
                partial_.clear();
                piece.remove_prefix(1);
            } else {
                partial_ += '\r';
            }
        }
        std::size_t start = 0;
        rows::ForEachBreak(piece, [&](std::size_t cr) {
            if (partial_.empty()) {
                visit(piece.substr(start, cr - start), true);
            } else {
                partial_.append(piece.substr(start, cr - start));
                visit(std::string_view(partial_), true);
                partial_.clear();
            }
            start = cr + 2;
        });
        std::string_view rest = piece.substr(start);
        if (rest.ends_with('\r')) {
            heldCr_ = true;
            rest.remove_suffix(1);
        }
        partial_.append(rest);
    }

    // Visits the last line when it is not empty; the cutter is then spent.
    template <class Visit>
    void Finish(Visit&& visit) {
        if (heldCr_) partial_ += '\r';
        heldCr_ = false;
        if (!partial_.empty()) visit(std::string_view(partial_), false);
        partial_.clear();
    }

private:
    std::string partial_;  // the start of a line that a later piece ends
    bool heldCr_ = false;  // the last piece ended with a CR whose LF may come next
};

}  // namespace tavrill
