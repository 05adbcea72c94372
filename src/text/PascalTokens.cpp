#include "text/PascalTokens.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "base/Ascii.h"

namespace tavrill {
namespace {

constexpr std::string_view kReservedWords[] = {
    "and",
    "array",
    "as",
    "asm",
    "begin",
    "case",
    "class",
    "const",
    "constructor",
    "destructor",
    "dispinterface",
    "div",
    "do",
    "downto",
    "else",
    "end",
    "except",
    "exports",
    "file",
    "finalization",
    "finally",
    "for",
    "function",
    "goto",
    "if",
    "implementation",
    "in",
    "inherited",
    "initialization",
    "inline",
    "interface",
    "is",
    "label",
    "library",
    "mod",
    "nil",
    "not",
    "object",
    "of",
    "or",
    "out",
    "packed",
    "procedure",
    "program",
    "property",
    "raise",
    "record",
    "repeat",
    "resourcestring",
    "set",
    "shl",
    "shr",
    "string",
    "then",
    "threadvar",
    "to",
    "try",
    "type",
    "unit",
    "until",
    "uses",
    "var",
    "while",
    "with",
    "xor",
};

bool IsLetter(unsigned char c) {
    // Bytes of UTF-8 sequences count as letters: identifiers may hold them.
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c >= 0x80;
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
bool IsHexDigit(unsigned char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool IsReserved(std::string_view word) {
    if (word.size() > 14) return false;
    std::string lower(word);
    for (char& c : lower) c = AsciiLower(c);
    return std::find(std::begin(kReservedWords), std::end(kReservedWords), lower) != std::end(kReservedWords);
}

class Scanner {
public:
    explicit Scanner(std::string_view text) : t_(text) {}

    std::vector<PascalSpan> Run() {
        while (i_ < t_.size()) Step();
        return std::move(spans_);
    }

private:
    unsigned char At(std::size_t k) const { return k < t_.size() ? static_cast<unsigned char>(t_[k]) : 0; }
    bool Ahead(std::string_view s) const { return t_.substr(i_).starts_with(s); }

    void Emit(std::size_t start, PascalKind kind) { spans_.push_back({start, i_ - start, kind}); }

    void Step() {
        const std::size_t start = i_;
        const unsigned char c = At(i_);
        if (Ahead("//")) {
            i_ = std::min(t_.find_first_of("\r\n", i_), t_.size());
            Emit(start, PascalKind::Comment);
        } else if (c == '{') {
            CommentTo("}", Ahead("{$") ? PascalKind::Directive : PascalKind::Comment);
        } else if (Ahead("(*")) {
            CommentTo("*)", Ahead("(*$") ? PascalKind::Directive : PascalKind::Comment);
        } else if (c == '\'') {
            QuotedString();
        } else if (c == '#') {
            ++i_;
            if (At(i_) == '$') {
                ++i_;
                while (IsHexDigit(At(i_))) ++i_;
            } else {
                while (IsDigit(At(i_))) ++i_;
            }
            Emit(start, PascalKind::Character);
        } else if (IsDigit(c) || (c == '$' && IsHexDigit(At(i_ + 1)))) {
            Number();
        } else if (IsLetter(c) || (c == '&' && IsLetter(At(i_ + 1)))) {
            const bool escaped = c == '&';
            ++i_;
            while (IsLetter(At(i_)) || IsDigit(At(i_))) ++i_;
            const std::string_view word = t_.substr(start, i_ - start);
            Emit(start, !escaped && IsReserved(word) ? PascalKind::Reserved : PascalKind::Identifier);
        } else {
            ++i_;  // a blank, a line break or a symbol
        }
    }

    // A comment of the other two kinds may stand inside: only its own end counts.
    void CommentTo(std::string_view end, PascalKind kind) {
        const std::size_t start = i_;
        const std::size_t close = t_.find(end, i_ + (end.size() == 1 ? 1 : 2));
        i_ = close == std::string_view::npos ? t_.size() : close + end.size();
        Emit(start, kind);
    }

    // Quotes are doubled inside; the string ends at its closing quote or, open,
    // before the line break.
    void QuotedString() {
        const std::size_t start = i_++;
        while (i_ < t_.size()) {
            const unsigned char c = At(i_);
            if (c == '\r' || c == '\n') break;
            ++i_;
            if (c != '\'') continue;
            if (At(i_) != '\'') break;
            ++i_;
        }
        Emit(start, PascalKind::String);
    }

    void Number() {
        const std::size_t start = i_;
        if (At(i_) == '$') {
            ++i_;
            while (IsHexDigit(At(i_))) ++i_;
            return Emit(start, PascalKind::Number);
        }
        while (IsDigit(At(i_))) ++i_;
        // "1..9" is a range, so a point counts only before a digit.
        if (At(i_) == '.' && IsDigit(At(i_ + 1))) {
            ++i_;
            while (IsDigit(At(i_))) ++i_;
        }
        const bool sign = At(i_ + 1) == '+' || At(i_ + 1) == '-';
        if ((At(i_) == 'e' || At(i_) == 'E') && IsDigit(At(i_ + 1 + (sign ? 1 : 0)))) {
            i_ += sign ? 2 : 1;
            while (IsDigit(At(i_))) ++i_;
        }
        Emit(start, PascalKind::Number);
    }

    std::string_view t_;
    std::size_t i_ = 0;
    std::vector<PascalSpan> spans_;
};

}  // namespace

std::vector<PascalSpan> PascalTokens(std::string_view text) {
    return Scanner(text).Run();
}

}  // namespace tavrill
