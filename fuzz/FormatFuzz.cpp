// Random bytes, and pieces of real units cut at random lines, through Format selection. What the
// command promises: only blanks and tabs change (the same tokens in the same order on the same
// lines, the same line breaks), and a second run changes nothing.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "format/Format.h"
#include "text/PascalTokens.h"

#include "FuzzCheck.h"

namespace {

using namespace tavrill;

// Without the lexer: every byte but blanks and tabs, letters folded, in order. Equal skeletons
// mean nothing but blanks, tabs and letter case changed, and no byte moved across a line break.
std::string Skeleton(std::string_view text) {
    std::string s;
    for (char c : text) {
        if (c == ' ' || c == '\t') continue;
        s.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return s;
}

// With the lexer: the tokens and the line each starts on; only reserved words may change case,
// and a comment spanning lines only in the blanks of its lines.
struct Token {
    std::size_t line;
    PascalTokenKind kind;
    std::string text;
    bool operator==(const Token&) const = default;
};

std::vector<Token> Tokens(std::string_view text) {
    std::vector<Token> tokens;
    PascalScanner scanner(text);
    std::size_t line = 0, counted = 0;
    const auto countBreaks = [&](std::size_t to) {
        for (; counted < to; ++counted) {
            line += text[counted] == '\n' ||
                    (text[counted] == '\r' && (counted + 1 == text.size() || text[counted + 1] != '\n'));
        }
    };
    for (PascalToken t; scanner.Next(t);) {
        countBreaks(t.offset);
        std::string s(text.substr(t.offset, t.length));
        if (t.kind == PascalTokenKind::Reserved) {
            for (char& c : s) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (t.kind == PascalTokenKind::Comment || t.kind == PascalTokenKind::Directive) {
            s = Skeleton(s);
        }
        tokens.push_back({line, t.kind, std::move(s)});
    }
    return tokens;
}

void CheckGuarantee(std::string_view text, const FormatStyle& style) {
    const std::string once = FormatPascal(text, style);
    CHECK(Skeleton(once) == Skeleton(text));
    CHECK(Tokens(once) == Tokens(text));
    CHECK(FormatPascal(once, style) == once);
    std::string streamed;
    FormatPascal(text, style, [&](std::string_view piece) { streamed.append(piece); });
    CHECK(streamed == once);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    FormatStyle style;
    style.indentSize = in.ConsumeIntegralInRange(0, 8);
    style.reservedWords = static_cast<ReservedWordCase>(in.ConsumeIntegralInRange(0, 2));
    style.spaceAroundOperators = in.ConsumeBool();
    style.directivesAtColumn0 = in.ConsumeBool();
    style.tabWidth = in.ConsumeIntegralInRange(1, 12);
    const std::size_t firstCut = in.ConsumeIntegral<std::uint16_t>();
    const std::size_t lineCount = in.ConsumeIntegral<std::uint16_t>();
    const std::string text = in.ConsumeRemainingBytesAsString();
    CheckGuarantee(text, style);
    // The same text cut to whole lines, as a selection would be.
    std::vector<std::size_t> starts{0};
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\n' || (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n')))
            starts.push_back(k + 1);
    }
    const std::size_t from = starts[firstCut % starts.size()];
    const std::size_t to = starts[std::min(starts.size() - 1, firstCut % starts.size() + lineCount % 64 + 1)];
    if (to > from) CheckGuarantee(std::string_view(text).substr(from, to - from), style);
    return 0;
}
