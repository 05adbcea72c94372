#include "text/Quote.h"

#include "base/Rows.h"

namespace tavrill {

namespace {

// The compiler allows 255 characters in one literal; the CR LF codes after a line add two.
constexpr std::size_t kMaxLiteral = 250;

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Characters of a literal as the compiler counts them: UTF-16 units.
std::size_t Units(unsigned char c) {
    if (IsContinuation(c)) return 0;
    return c >= 0xF0 ? 2 : 1;
}

void AppendCode(unsigned char c, std::string& out) {
    out += '#';
    if (c >= 10) out += static_cast<char>('0' + c / 10);
    out += static_cast<char>('0' + c % 10);
}

void QuoteLine(std::string_view line, std::string& out) {
    bool open = false;
    std::size_t units = 0;
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 && c != '\t') {
            if (open) out += '\'';
            open = false;
            AppendCode(c, out);
            continue;
        }
        if (open && units + Units(c) > kMaxLiteral && !IsContinuation(c)) {
            out += "' + '";
            units = 0;
        }
        if (!open) out += '\'';
        open = true;
        units += Units(c);
        out += ch;
        if (ch == '\'') out += '\'';
    }
    if (open) out += '\'';
}

}  // namespace

void StringQuoter::Line(std::string_view line, bool followedByBreak, std::string& out) {
    if (line.empty() && !followedByBreak) return;  // the empty row after a final CR LF
    if (!first_) out += " +\r\n";
    first_ = false;
    QuoteLine(line, out);
    if (followedByBreak) out += "#13#10";
}

void StringQuoter::Finish(std::string& out) {
    if (first_) out += "''";
    first_ = false;
}

std::string QuoteString(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8 + 2);
    StringQuoter quoter;
    rows::ForEachLine(
        text, [&](std::string_view line, bool followedByBreak) { quoter.Line(line, followedByBreak, out); });
    quoter.Finish(out);
    return out;
}

namespace {

bool IsGap(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Reads the expression left to right; every Read* returns false on anything it cannot read.
class Unquoter {
public:
    explicit Unquoter(std::string_view s) : s_(s) {}

    std::optional<std::string> Run() {
        out_.reserve(s_.size());
        SkipGaps();
        if (at_ == s_.size()) return std::nullopt;
        for (;;) {
            if (!ReadTerm()) return std::nullopt;
            SkipGaps();
            if (at_ == s_.size()) return std::move(out_);
            if (s_[at_] != '+') return std::nullopt;
            ++at_;
            SkipGaps();
        }
    }

private:
    void SkipGaps() {
        while (at_ < s_.size() && IsGap(s_[at_])) ++at_;
    }

    // Literals and codes written next to each other: one at least.
    bool ReadTerm() {
        bool any = false;
        while (at_ < s_.size() && (s_[at_] == '\'' || s_[at_] == '#')) {
            if (!(s_[at_] == '\'' ? ReadLiteral() : ReadCode())) return false;
            any = true;
        }
        return any;
    }

    bool ReadLiteral() {
        ++at_;
        for (;;) {
            const std::size_t quote = s_.find('\'', at_);
            if (quote == std::string_view::npos) return false;
            const std::string_view inside = s_.substr(at_, quote - at_);
            if (inside.find_first_of("\r\n") != std::string_view::npos) return false;
            out_ += inside;
            at_ = quote + 1;
            if (at_ == s_.size() || s_[at_] != '\'') return true;
            out_ += '\'';
            ++at_;
        }
    }

    bool ReadCode() {
        ++at_;
        const bool hex = at_ < s_.size() && s_[at_] == '$';
        if (hex) ++at_;
        char32_t code = 0;
        std::size_t digits = 0;
        for (; at_ < s_.size(); ++at_, ++digits) {
            const char c = s_[at_];
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f') digit = (c | 0x20) - 'a' + 10;
            if (digit < 0) break;
            code = code * (hex ? 16 : 10) + static_cast<char32_t>(digit);
            if (code > 0x10FFFF) return false;
        }
        if (digits == 0 || (code >= 0xD800 && code <= 0xDFFF)) return false;
        AppendUtf8(code, out_);
        return true;
    }

    std::string_view s_;
    std::size_t at_ = 0;
    std::string out_;
};

}  // namespace

std::optional<std::string> UnquoteString(std::string_view expression) {
    return Unquoter(expression).Run();
}

}  // namespace tavrill
