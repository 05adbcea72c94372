#include "text/PascalTokens.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace tavrill {
namespace {

// In the order of PascalWord, which is alphabetical, so that a word is found by binary search.
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
constexpr std::size_t kLongestReserved = 14;  // implementation, initialization, resourcestring

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
bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t';
}
bool IsBreak(unsigned char c) {
    return c == '\r' || c == '\n';
}

PascalWord ReservedWord(std::string_view word) {
    if (word.size() < 2 || word.size() > kLongestReserved) return PascalWord::None;
    char lower[kLongestReserved];
    for (std::size_t k = 0; k < word.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(word[k]);
        if (c >= 'A' && c <= 'Z') {
            lower[k] = static_cast<char>(c + ('a' - 'A'));
        } else if (c >= 'a' && c <= 'z') {
            lower[k] = static_cast<char>(c);
        } else {
            return PascalWord::None;  // digits, _ and UTF-8 make no reserved word
        }
    }
    const std::string_view key(lower, word.size());
    const auto* found = std::lower_bound(std::begin(kReservedWords), std::end(kReservedWords), key);
    if (found == std::end(kReservedWords) || *found != key) return PascalWord::None;
    return static_cast<PascalWord>(found - std::begin(kReservedWords) + 1);
}

// Two-character symbols that are one token.
bool IsSymbolPair(unsigned char a, unsigned char b) {
    switch (a) {
        case ':':
            return b == '=';
        case '<':
            return b == '=' || b == '>';
        case '>':
            return b == '=' || b == '<';
        case '.':
            return b == '.';
        case '+':
        case '-':
        case '/':
            return b == '=';
        case '*':
            return b == '=' || b == '*';
        default:
            return false;
    }
}

}  // namespace

// Quotes are doubled inside; the string ends at its closing quote or, open, before the line
// break (CR or LF alike).
std::size_t PascalScanner::SkipQuoted(std::size_t i) const {
    const std::size_t n = t_.size();
    ++i;
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(t_[i]);
        if (IsBreak(c)) return i;
        ++i;
        if (c != '\'') continue;
        if (i < n && t_[i] == '\'') {
            ++i;
            continue;
        }
        return i;
    }
    return i;
}

// A run of three (or five, seven...) quotes with nothing after it on its line opens a string of
// whole lines, closed by a line that starts, after blanks, with as many quotes. The end, or npos
// when no line closes it.
std::size_t PascalScanner::MultiLineStringEnd(std::size_t from, std::size_t quotes) {
    const std::size_t n = t_.size();
    std::size_t i = from + quotes;
    while (i < n && IsBlank(static_cast<unsigned char>(t_[i]))) ++i;
    if (i >= n || !IsBreak(static_cast<unsigned char>(t_[i]))) return std::string_view::npos;
    if (failedQuotes_ != 0 && from >= failedFrom_ && quotes >= failedQuotes_) return std::string_view::npos;
    while (i < n) {
        const std::size_t lineBreak = t_.find_first_of("\r\n", i);
        if (lineBreak == std::string_view::npos) break;
        i = lineBreak + 1;
        while (i < n && IsBlank(static_cast<unsigned char>(t_[i]))) ++i;
        std::size_t run = 0;
        while (i + run < n && t_[i + run] == '\'') ++run;
        if (run >= quotes) return i + quotes;
    }
    if (failedQuotes_ == 0 || quotes < failedQuotes_) {
        failedFrom_ = from;
        failedQuotes_ = quotes;
    }
    return std::string_view::npos;
}

bool PascalScanner::Next(PascalToken& token) {
    const std::size_t n = t_.size();
    const char* const p = t_.data();
    while (i_ < n &&
           (IsBlank(static_cast<unsigned char>(p[i_])) || IsBreak(static_cast<unsigned char>(p[i_]))))
        ++i_;
    if (i_ >= n) return false;
    const std::size_t start = i_;
    const auto at = [&](std::size_t k) -> unsigned char {
        return k < n ? static_cast<unsigned char>(p[k]) : 0;
    };
    const unsigned char c = at(i_);
    PascalTokenKind kind = PascalTokenKind::Symbol;
    PascalWord word = PascalWord::None;
    if (IsLetter(c) || (c == '&' && IsLetter(at(i_ + 1)))) {
        ++i_;
        while (i_ < n && (IsLetter(at(i_)) || IsDigit(at(i_)))) ++i_;
        word = c == '&' ? PascalWord::None : ReservedWord(t_.substr(start, i_ - start));
        kind = word == PascalWord::None ? PascalTokenKind::Identifier : PascalTokenKind::Reserved;
    } else if (c == '/' && at(i_ + 1) == '/') {
        const std::size_t lineBreak = std::min(t_.find_first_of("\r\n", i_), n);
        i_ = lineBreak;
        while (i_ > start + 2 && IsBlank(at(i_ - 1))) --i_;
        kind = PascalTokenKind::Comment;
    } else if (c == '{' || (c == '(' && at(i_ + 1) == '*')) {
        // A comment of the other kind may stand inside: only its own end counts.
        const bool brace = c == '{';
        kind = at(i_ + (brace ? 1 : 2)) == '$' ? PascalTokenKind::Directive : PascalTokenKind::Comment;
        const std::size_t close = brace ? t_.find('}', i_ + 1) : t_.find("*)", i_ + 2);
        i_ = close == std::string_view::npos ? n : close + (brace ? 1 : 2);
    } else if (c == '\'') {
        std::size_t run = 0;
        while (at(i_ + run) == '\'') ++run;
        std::size_t end = std::string_view::npos;
        if (run >= 3 && run % 2 == 1) end = MultiLineStringEnd(i_, run);
        i_ = end != std::string_view::npos ? end : SkipQuoted(i_);
        kind = PascalTokenKind::String;
    } else if (c == '#') {
        ++i_;
        if (at(i_) == '$') {
            ++i_;
            while (IsHexDigit(at(i_))) ++i_;
        } else {
            while (IsDigit(at(i_))) ++i_;
        }
        kind = PascalTokenKind::Character;
    } else if (c == '$' && IsHexDigit(at(i_ + 1))) {
        ++i_;
        while (IsHexDigit(at(i_))) ++i_;
        kind = PascalTokenKind::Number;
    } else if (IsDigit(c)) {
        while (IsDigit(at(i_))) ++i_;
        // "1..9" is a range, so a point counts only before a digit.
        if (at(i_) == '.' && IsDigit(at(i_ + 1))) {
            ++i_;
            while (IsDigit(at(i_))) ++i_;
        }
        const bool sign = at(i_ + 1) == '+' || at(i_ + 1) == '-';
        if ((at(i_) == 'e' || at(i_) == 'E') && IsDigit(at(i_ + 1 + (sign ? 1 : 0)))) {
            i_ += sign ? 2 : 1;
            while (IsDigit(at(i_))) ++i_;
        }
        kind = PascalTokenKind::Number;
    } else {
        i_ += IsSymbolPair(c, at(i_ + 1)) ? 2 : 1;
    }
    token = {start, i_ - start, kind, word};
    return true;
}

std::vector<PascalSpan> PascalTokens(std::string_view text) {
    std::vector<PascalSpan> spans;
    PascalScanner scanner(text);
    PascalToken token;
    while (scanner.Next(token)) {
        if (token.kind == PascalTokenKind::Symbol) continue;
        spans.push_back({token.offset, token.length, static_cast<PascalKind>(token.kind)});
    }
    return spans;
}

}  // namespace tavrill
