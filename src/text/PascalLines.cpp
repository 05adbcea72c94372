#include "text/PascalLines.h"

namespace tavrill {

const std::vector<PascalSpan>& PascalLineTokens::Line(std::string_view line) {
    spans_.clear();
    std::size_t start = 0;
    if (open_ != Open::None) {
        const std::string_view close = open_ == Open::Brace ? "}" : "*)";
        const std::size_t end = line.find(close);
        if (end == std::string_view::npos) {
            if (!line.empty()) spans_.push_back({0, line.size(), PascalKind::Comment});
            return spans_;
        }
        start = end + close.size();
        spans_.push_back({0, start, PascalKind::Comment});
        open_ = Open::None;
    }
    for (PascalSpan span : PascalTokens(line.substr(start))) {
        span.offset += start;
        spans_.push_back(span);
    }
    if (spans_.empty() || spans_.back().offset < start) return spans_;
    const PascalSpan& last = spans_.back();
    if (last.kind != PascalKind::Comment && last.kind != PascalKind::Directive) return spans_;
    // The tokenizer runs an unclosed comment to the end of what it was given: here, the line.
    const std::string_view text = line.substr(last.offset, last.length);
    if (text.starts_with('{') && !(text.size() >= 2 && text.ends_with('}'))) open_ = Open::Brace;
    if (text.starts_with("(*") && !(text.size() >= 4 && text.ends_with("*)"))) open_ = Open::Paren;
    return spans_;
}

}  // namespace tavrill
