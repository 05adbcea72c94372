#include "text/PascalTokens.h"

#include <algorithm>
#include <array>
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

// One table lookup a byte instead of a chain of comparisons: the scanner's inner loops run over
// every byte of a unit.
enum : std::uint8_t { kLetter = 1, kDigit = 2, kHex = 4, kBlank = 8, kBreak = 16 };
constexpr auto kClasses = [] {
    std::array<std::uint8_t, 256> c{};
    for (int b = 0; b < 256; ++b) {
        // Bytes of UTF-8 sequences count as letters: identifiers may hold them.
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || b == '_' || b >= 0x80) c[b] |= kLetter;
        if (b >= '0' && b <= '9') c[b] |= kDigit | kHex;
        if ((b >= 'a' && b <= 'f') || (b >= 'A' && b <= 'F')) c[b] |= kHex;
    }
    c[' '] = c['\t'] = kBlank;
    c['\r'] = c['\n'] = kBreak;
    return c;
}();

bool IsLetter(unsigned char c) {
    return kClasses[c] & kLetter;
}
bool IsDigit(unsigned char c) {
    return kClasses[c] & kDigit;
}
bool IsHexDigit(unsigned char c) {
    return kClasses[c] & kHex;
}
bool IsBlank(unsigned char c) {
    return kClasses[c] & kBlank;
}
bool IsBreak(unsigned char c) {
    return kClasses[c] & kBreak;
}

// The reserved words by first letter and length: a word is compared with the few of its kind.
struct ReservedIndex {
    std::uint8_t first[26][kLongestReserved + 1] = {};  // index + 1 of the first candidate, 0 none
    ReservedIndex() {
        for (std::size_t k = std::size(kReservedWords); k-- > 0;) {
            const std::string_view w = kReservedWords[k];
            first[w[0] - 'a'][w.size()] = static_cast<std::uint8_t>(k + 1);
        }
    }
};

PascalWord ReservedWord(std::string_view word) {
    if (word.size() < 2 || word.size() > kLongestReserved) return PascalWord::None;
    char lower[kLongestReserved];
    for (std::size_t k = 0; k < word.size(); ++k) {
        const unsigned char c = static_cast<unsigned char>(word[k]) | 0x20;  // ASCII letters to lower case
        if (c < 'a' || c > 'z') return PascalWord::None;  // digits, _ and UTF-8 make no reserved word
        lower[k] = static_cast<char>(c);
    }
    static const ReservedIndex index;
    std::size_t k = index.first[lower[0] - 'a'][word.size()];
    if (k == 0) return PascalWord::None;
    const std::string_view key(lower, word.size());
    // Candidates of one first letter stand together in the alphabetical table.
    for (--k; k < std::size(kReservedWords) && kReservedWords[k][0] == lower[0]; ++k) {
        if (kReservedWords[k] == key) return static_cast<PascalWord>(k + 1);
    }
    return PascalWord::None;
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
        while (i < n && !IsBreak(static_cast<unsigned char>(t_[i]))) ++i;
        if (i == n) break;
        ++i;
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
    std::uint8_t skipped = 0;
    for (std::uint8_t k; i_ < n && ((k = kClasses[static_cast<unsigned char>(p[i_])]) & (kBlank | kBreak));
         ++i_)
        skipped |= k;
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
        while (i_ < n && (kClasses[static_cast<unsigned char>(p[i_])] & (kLetter | kDigit))) ++i_;
        word = c == '&' ? PascalWord::None : ReservedWord(t_.substr(start, i_ - start));
        kind = word == PascalWord::None ? PascalTokenKind::Identifier : PascalTokenKind::Reserved;
    } else if (c == '/' && at(i_ + 1) == '/') {
        while (i_ < n && !IsBreak(at(i_))) ++i_;
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
    token = {start, i_ - start, kind, word, (skipped & kBreak) != 0};
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
