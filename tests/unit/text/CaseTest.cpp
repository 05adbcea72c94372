#include "text/Case.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(CaseTest, ConvertsOnlyTheAsciiLetters) {
    struct Case {
        std::string in, upper, lower, title, flip;
    };
    const Case cases[] = {
        {"ShowMessage('Hello World');", "SHOWMESSAGE('HELLO WORLD');", "showmessage('hello world');",
         "Showmessage('Hello World');", "sHOWmESSAGE('hELLO wORLD');"},
        {"\xE9"
         "cole",
         "\xE9"
         "COLE",
         "\xE9"
         "cole",
         "\xE9"
         "Cole",
         "\xE9"
         "COLE"},
        {"\xC9"
         "COLE",
         "\xC9"
         "COLE",
         "\xC9"
         "cole",
         "\xC9"
         "Cole",
         "\xC9"
         "cole"},
        {"@[`{ 09\t\r\n\x7F\xFF", "@[`{ 09\t\r\n\x7F\xFF", "@[`{ 09\t\r\n\x7F\xFF", "@[`{ 09\t\r\n\x7F\xFF",
         "@[`{ 09\t\r\n\x7F\xFF"},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UpperCaseAscii(c.in), c.upper) << c.in;
        EXPECT_EQ(LowerCaseAscii(c.in), c.lower) << c.in;
        EXPECT_EQ(TitleCaseAscii(c.in), c.title) << c.in;
        EXPECT_EQ(FlipCaseAscii(c.in), c.flip) << c.in;
    }
}

TEST(CaseTest, TitleCaseStartsEveryRunOfLettersAndDigits) {
    const std::pair<std::string, std::string> cases[] = {
        {"my_var := some_func(x);", "My_Var := Some_Func(X);"},
        {"TForm1.FormCreate", "Tform1.Formcreate"},
        {"x2y", "X2y"},
        {"2nd place", "2nd Place"},
        {"IF A>B THEN", "If A>B Then"},
        {"begin\r\nend;", "Begin\r\nEnd;"},
        {"\xE9mile", "\xE9Mile"},
        {"don't", "Don'T"},
        {"a", "A"},
        {"9", "9"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(TitleCaseAscii(in), out) << in;
}

TEST(CaseTest, EveryByteValueKeepsTheLengthAndFlipsBack) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    for (auto* convert : {&UpperCaseAscii, &LowerCaseAscii, &TitleCaseAscii, &FlipCaseAscii}) {
        EXPECT_EQ(convert(all).size(), all.size());
    }
    EXPECT_EQ(FlipCaseAscii(FlipCaseAscii(all)), all);
    EXPECT_EQ(LowerCaseAscii(UpperCaseAscii(all)), LowerCaseAscii(all));
    int changed = 0;
    const std::string flipped = FlipCaseAscii(all);
    for (int c = 0; c < 256; ++c) changed += flipped[c] != all[c];
    EXPECT_EQ(changed, 52);
}

}  // namespace
}  // namespace tavrill
