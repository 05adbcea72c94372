#include "text/Quote.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(QuoteTest, LinesBecomeLiteralsJoinedWithLineBreakCodesAndReadBackExactly) {
    const std::pair<std::string, std::string> cases[] = {
        {"a := 'x';\r\nb", "'a := ''x'';'#13#10 +\r\n'b'"},
        {"a\r\n\r\n", "'a'#13#10 +\r\n#13#10"},
        {"\r\n", "#13#10"},
        {"", "''"},
        {"'", "''''"},
        {"a\rb\nc\td\x01", "'a'#13'b'#10'c\td'#1"},
        {"\x1F\xC3\xA9", "#31'\xC3\xA9'"},
        {"\xF0\x9F\x98\x80", "'\xF0\x9F\x98\x80'"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(QuoteString(in), out) << in;
        EXPECT_EQ(UnquoteString(out), in) << out;
    }
}

TEST(QuoteTest, LongLinesAreCutWithinTheCompilersLimitAsTheTextWillBeRead) {
    std::string emoji;
    for (int i = 0; i < 126; ++i) emoji += "\xF0\x9F\x98\x80";
    const struct {
        std::string line, firstLiteral;  // the first literal's content, as cut
    } cases[] = {
        // never inside a UTF-8 sequence or a doubled quote
        {std::string(249, 'x') + "\xC3\xA9'" + std::string(300, 'y'), std::string(249, 'x') + "\xC3\xA9"},
        {emoji, emoji.substr(0, 125 * 4)},  // two UTF-16 units each
        // not UTF-8: read in the ANSI code page, a character for every byte
        {std::string(300, '\xA9'), std::string(250, '\xA9')},
    };
    for (const auto& c : cases) {
        const std::string quoted = QuoteString(c.line);
        EXPECT_TRUE(quoted.starts_with("'" + c.firstLiteral + "' + ")) << quoted.substr(0, 20);
        EXPECT_EQ(UnquoteString(quoted), c.line);
    }
}

TEST(QuoteTest, MultilineLiteralHoldsTheRowsBehindTheIndentationOfTheClosingQuotes) {
    const std::pair<std::string, std::string> cases[] = {
        {"  a\r\nb", "'''\r\n    a\r\n  b\r\n  '''"},
        {"it's\r\n", "'''\r\nit's\r\n\r\n'''"},
        {"\t'''x''''", "'''''\r\n\t\t'''x''''\r\n\t'''''"},  // a longer quote than the text holds
        {"a\rb", "'a'#13'b'"},                               // no multi-line literal holds a lone CR
        {"", "''"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(QuoteMultiline(in), out) << in;
        EXPECT_EQ(UnquoteString(out), in) << out;
    }
    EXPECT_EQ(UnquoteString("'''\r\n    a\r\n\r\n    '''#13#10 + 'b'"), "a\r\n\r\nb");
    for (const char* in : {"'''\r\na", "'''a\r\n'''", "'''\r\n  a\r\n b\r\n  '''", "'''\r\n'''x'''\r\n'''",
                           "'''\r\na\nb\r\n'''"}) {
        EXPECT_EQ(UnquoteString(in), std::nullopt) << in;
    }
}

TEST(QuoteTest, UnquoteReadsCodesAndGapsButNothingElse) {
    const std::pair<std::string, std::string> cases[] = {
        {"  'a' + 'b'\r\n", "ab"},
        {"#$41#66'c'#233#8364#$1F600", "ABc\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"#2048#1114111", "\xE0\xA0\x80\xF4\x8F\xBF\xBF"},
        {"'it''s'+#13#10+''", "it's\r\n"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(UnquoteString(in), out) << in;
    for (const char* in : {"", "  ", "'a", "a", "'a' 'b'", "'a' +", "+ 'a'", "'a';", "#", "#$", "#x",
                           "#1114112", "#$D800", "'a\r\nb'", "'a' // note", "'a'\x1A"}) {
        EXPECT_EQ(UnquoteString(in), std::nullopt) << in;
    }
    EXPECT_EQ(UnquoteString(std::string("'a'\0", 4)), std::nullopt);
}

}  // namespace
}  // namespace tavrill
