#pragma once
// The Object Pascal tokens of a text taken a line at a time, for the rewrites that stream lines:
// a "{ }" or "(* *)" comment that one line leaves open goes on in the next. The spans come from
// PascalTokens, the product's one tokenizer; this only carries an open comment over a line break.

#include <string_view>
#include <vector>

#include "text/PascalTokens.h"

namespace tavrill {

class PascalLineTokens {
public:
    // The spans of this line, offsets within it; the next call takes the line after it.
    const std::vector<PascalSpan>& Line(std::string_view line);
    // Whether a comment is still open at the end of the last line given.
    bool InComment() const { return open_ != Open::None; }

private:
    enum class Open { None, Brace, Paren };
    Open open_ = Open::None;
    std::vector<PascalSpan> spans_;
};

// Whether the span holds text rather than code: a string, a character code, a comment or a
// directive.
inline bool IsTextSpan(const PascalSpan& span) {
    return span.kind == PascalKind::String || span.kind == PascalKind::Character ||
           span.kind == PascalKind::Comment || span.kind == PascalKind::Directive;
}

}  // namespace tavrill
