#include "LineStream.h"

#include "base/Rows.h"
#include "text/Comment.h"

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

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

std::size_t FirstNonBlank(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return i < text.size() ? i : rows::kNone;
}

std::size_t LastNonBlank(std::string_view text) {
    std::size_t i = text.size();
    while (i > 0 && IsBlank(text[i - 1])) --i;
    return i > 0 ? i - 1 : rows::kNone;
}

}  // namespace

void UncommentStream::Feed(std::string_view piece, std::string& out) {
    while (!piece.empty()) {
        switch (mode_) {
            case Mode::Leading: {
                const std::size_t first = FirstNonBlank(piece);
                if (first == rows::kNone) return;
                piece.remove_prefix(first);
                if (piece.front() == '{') {
                    mode_ = Mode::Holding;
                } else if (piece.front() == '(') {
                    mode_ = Mode::ParenOpen;
                    held_.assign(1, '(');
                    piece.remove_prefix(1);
                } else {
                    mode_ = Mode::Slashes;
                }
                break;
            }
            case Mode::ParenOpen:
                if (piece.front() == '*') {
                    mode_ = Mode::Holding;
                } else {
                    mode_ = Mode::Dropping;
                    held_.clear();
                }
                break;
            case Mode::Holding:
                held_.append(piece);
                return;
            case Mode::Dropping:
                return;
            case Mode::Slashes:
                FeedSlashes(piece, out);
                return;
        }
    }
}

std::optional<std::string_view> UncommentStream::Finish(std::string& out) {
    switch (mode_) {
        case Mode::Holding: {
            // The same tests as on the whole text: held_ is that text without its leading blanks.
            const std::string_view trimmed = TrimControls(held_);
            if (RecognizeComment(trimmed) != CommentForm::Pair) return std::nullopt;
            return TrimControls(CommentPairInner(trimmed));
        }
        case Mode::Slashes: {
            const std::size_t before = out.size();
            if (row_ == Row::OneSlash) out += '/';  // a last row of one "/" stays
            return std::string_view(out).substr(before);
        }
        default:  // empty after trimming, "(" alone, or "(" without "*"
            return std::nullopt;
    }
}

void UncommentStream::FeedSlashes(std::string_view piece, std::string& out) {
    std::size_t last = LastNonBlank(piece);
    if (last == rows::kNone) {
        held_.append(piece);
        return;
    }
    // Something follows the held bytes, so they are not trimmed: they and the blanks at the
    // start of this piece form one segment, which keeps a CR LF across the cut together.
    if (!held_.empty()) {
        const std::size_t first = FirstNonBlank(piece);
        held_.append(piece.substr(0, first));
        SlashRows(held_, out);
        held_.clear();
        piece.remove_prefix(first);
        last -= first;
    }
    SlashRows(piece.substr(0, last + 1), out);
    held_.assign(piece.substr(last + 1));
}

void UncommentStream::SlashRows(std::string_view segment, std::string& out) {
    std::size_t copied = 0;
    if (row_ != Row::Inside) OpenRow(segment, 0, copied, out);
    rows::ForEachBreak(segment, [&](std::size_t cr) {
        row_ = Row::Start;
        OpenRow(segment, cr + 2, copied, out);
    });
    out.append(segment.substr(copied));
}

void UncommentStream::OpenRow(std::string_view segment, std::size_t at, std::size_t& copied,
                              std::string& out) {
    const std::string_view row = segment.substr(at);
    if (row_ == Row::OneSlash) {  // at is 0: the held "/" was the last byte of the segment before
        if (row.front() == '/') {
            copied = at + 1;  // both slashes go
        } else {
            out += '/';
        }
        row_ = Row::Inside;
        return;
    }
    if (row.starts_with("//")) {
        out.append(segment.substr(copied, at - copied));
        copied = at + 2;
    } else if (row == "/") {
        out.append(segment.substr(copied, at - copied));
        copied = segment.size();
        row_ = Row::OneSlash;
        return;
    }
    if (!row.empty()) row_ = Row::Inside;
}

}  // namespace tavrill
