#include "text/Quote.h"

#include <algorithm>
#include <vector>

#include "base/Rows.h"
#include "base/TextEncoding.h"

namespace tavrill {

namespace {

// The compiler allows 255 characters in one literal; the CR LF codes after a line add two.
constexpr std::size_t kMaxLiteral = 250;

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Characters of a literal as the compiler counts them: UTF-16 units of a line that will be read as
// UTF-8, and one for every byte of a line that is not valid UTF-8, which is read in the ANSI code
// page (where a byte from 0x80 to 0xBF is a character of its own).
std::size_t Units(unsigned char c, bool utf8) {
    if (!utf8) return 1;
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
    const bool utf8 = IsValidUtf8(line);
    for (const char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 32 && c != '\t') {
            if (open) out += '\'';
            open = false;
            AppendCode(c, out);
            continue;
        }
        if (open && units + Units(c, utf8) > kMaxLiteral && !(utf8 && IsContinuation(c))) {
            out += "' + '";
            units = 0;
        }
        if (!open) out += '\'';
        open = true;
        units += Units(c, utf8);
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

// The rows of the text, cut at CR LF, the empty row after a final CR LF too.
template <class Visit>
void ForEachRow(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    rows::ForEachBreak(text, [&](std::size_t cr) {
        visit(text.substr(start, cr - start));
        start = cr + 2;
    });
    visit(text.substr(start));
}

// The length of the longest run of quotes.
std::size_t LongestQuoteRun(std::string_view text) {
    std::size_t longest = 0, run = 0;
    for (const char c : text) {
        run = c == '\'' ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

}  // namespace

std::string QuoteMultiline(std::string_view text) {
    bool fits = !text.empty();
    ForEachRow(text, [&](std::string_view row) {
        for (const char c : row) {
            if (static_cast<unsigned char>(c) < 32 && c != '\t') fits = false;
        }
    });
    if (!fits) return QuoteString(text);
    const std::size_t run = LongestQuoteRun(text);
    const std::string quotes(run < 3 ? 3 : run % 2 == 0 ? run + 1 : run + 2, '\'');
    const std::string_view indent = text.substr(0, std::min(text.find_first_not_of(" \t"), text.size()));
    std::string out;
    out.reserve(text.size() + (indent.size() + 2) * (rows::CountBreaks(text) + 2) + 2 * quotes.size());
    out.append(quotes).append("\r\n");
    ForEachRow(text, [&](std::string_view row) { out.append(indent).append(row).append("\r\n"); });
    return out.append(indent).append(quotes);
}

namespace {

// Only what an editor puts between the parts; any other control byte (a NUL, a Ctrl+Z) means the
// text is not an expression.
bool IsGap(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
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
        std::size_t run = 0;
        while (at_ + run < s_.size() && s_[at_ + run] == '\'') ++run;
        // An odd run of three or more cannot start a classic literal that ends: the run opens a
        // multi-line one when a line break follows.
        if (run >= 3 && run % 2 == 1 && s_.substr(at_ + run).starts_with("\r\n")) return ReadMultiline(run);
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

    bool ReadMultiline(std::size_t run) {
        const std::string quotes(run, '\'');
        at_ += run + 2;
        std::vector<std::string_view> rows;
        std::string_view indent;
        for (;;) {
            const std::size_t end = s_.find("\r\n", at_);
            const std::string_view row = s_.substr(at_, end == std::string_view::npos ? end : end - at_);
            const std::size_t first = row.find_first_not_of(" \t");
            if (first != std::string_view::npos && row.substr(first).starts_with(quotes) &&
                !row.substr(first + run).starts_with('\'')) {
                indent = row.substr(0, first);
                at_ += first + run;
                break;
            }
            if (end == std::string_view::npos) return false;
            rows.push_back(row);
            at_ = end + 2;
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::string_view row = rows[i];
            if (row.find(quotes) != std::string_view::npos) return false;
            for (const char c : row) {
                if (static_cast<unsigned char>(c) < 32 && c != '\t') return false;
            }
            if (row.starts_with(indent)) {
                row.remove_prefix(indent.size());
            } else if (indent.starts_with(row) && row.find_first_not_of(" \t") == std::string_view::npos) {
                row = {};
            } else {
                return false;
            }
            if (i > 0) out_ += "\r\n";
            out_ += row;
        }
        return true;
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
