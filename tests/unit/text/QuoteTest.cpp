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
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(QuoteString(in), out) << in;
        EXPECT_EQ(UnquoteString(out), in) << out;
    }
    // A long line is cut into literals, never inside a UTF-8 sequence or a doubled quote.
    const std::string line = std::string(249, 'x') + "\xC3\xA9'" + std::string(300, 'y');
    const std::string quoted = QuoteString(line);
    EXPECT_TRUE(quoted.starts_with("'" + std::string(249, 'x') + "\xC3\xA9' + ")) << quoted;
    EXPECT_EQ(UnquoteString(quoted), line);
}

TEST(QuoteTest, UnquoteReadsCodesAndGapsButNothingElse) {
    const std::pair<std::string, std::string> cases[] = {
        {"  'a' + 'b'\r\n", "ab"},
        {"#$41#66'c'#233#8364#$1F600", "ABc\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
        {"'it''s'+#13#10+''", "it's\r\n"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(UnquoteString(in), out) << in;
    for (const char* in : {"", "  ", "'a", "a", "'a' 'b'", "'a' +", "+ 'a'", "'a';", "#", "#$", "#x",
                           "#1114112", "#$D800", "'a\r\nb'", "'a' // note"}) {
        EXPECT_EQ(UnquoteString(in), std::nullopt) << in;
    }
}

}  // namespace
}  // namespace tavrill
