#include "text/Case.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

// Upper, lower and flip go byte by byte: the table of all byte values below is their whole rule.
TEST(CaseTest, TitleCaseStartsEveryRunOfAsciiLettersAndDigits) {
    // An accented letter is no letter here: the next ASCII letter starts a run.
    EXPECT_EQ(TitleCaseAscii("ShowMessage('H\351llo W\311rld');"), "Showmessage('H\351Llo W\311Rld');");
    EXPECT_EQ(
        TitleCaseAscii("my_var := some_func(x); TForm1.FormCreate x2y 2nd place IF A>B THEN "
                       "begin\r\nend; \351mile don't 9"),
        "My_Var := Some_Func(X); Tform1.Formcreate X2y 2nd Place If A>B Then Begin\r\nEnd; \351Mile Don'T 9");
}

TEST(CaseTest, OfAllByteValuesOnlyTheAsciiLettersChange) {
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string upper = std::string(all).replace('a', 26, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const std::string lower = std::string(all).replace('A', 26, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(UpperCaseAscii(all), upper);
    EXPECT_EQ(LowerCaseAscii(all), lower);
    EXPECT_EQ(FlipCaseAscii(all), std::string(upper).replace('A', 26, lower, 'A', 26));
    std::string title = lower;
    title['A'] = title['a'] = 'A';  // the two runs of letters
    EXPECT_EQ(TitleCaseAscii(all), title);
}

TEST(CaseTest, SentenceCaseRaisesTheFirstCharacterOfEverySentenceInAnyPieces) {
    const std::pair<std::string, std::string> cases[] = {
        {"HELLO WORLD. how ARE you?  fine!\r\nnext", "Hello world. How are you?  Fine!\r\nNext"},
        {"form1.caption := 'x';", "Form1.caption := 'x';"},      // no blank after the dot
        {"  (see above.) next", "  (See above.) next"},          // punctuation is not the start
        {"1ST TRY. \303\211LAN ok", "1st try. \303\211lan ok"},  // digits and UTF-8 start it unchanged
        {"wait... what?! no.\tyes", "Wait... What?! No.\tYes"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(SentenceCaseAscii(in), out) << in;
        for (std::size_t cut = 0; cut <= in.size(); ++cut) {  // a stop and its blank may be apart
            std::string pieces = in;
            const SentenceState state = SentenceCaseAsciiInPlace(std::span<char>(pieces.data(), cut));
            SentenceCaseAsciiInPlace(std::span<char>(pieces.data() + cut, pieces.size() - cut), state);
            EXPECT_EQ(pieces, out) << in << " cut at " << cut;
        }
    }
}

}  // namespace
}  // namespace tavrill
