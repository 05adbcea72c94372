#include "text/Comment.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(CommentTest, SlashGoesInFrontOfEveryCountedLineAndPairsWrapTheWholeText) {
    EXPECT_EQ(CommentSlash("a := 1;\r\n\r\n  b := 2;\r\n"), "//a := 1;\r\n//\r\n//  b := 2;\r\n");
    EXPECT_EQ(CommentSlash("\r\n"), "//\r\n");
    EXPECT_EQ(CommentSlash("  "), "//  ");
    EXPECT_EQ(CommentSlash("a\rb\nc"), "//a\rb\nc");
    EXPECT_EQ(CommentSlash(""), "");
    EXPECT_EQ(CommentBrace("x := 0;\r\n"), "{ x := 0;\r\n }");
    EXPECT_EQ(CommentBrace(""), "{  }");
    EXPECT_EQ(CommentParen("x := 0;"), "(* x := 0; *)");
}

TEST(CommentTest, UncommentTrimsThenTakesAPairOffTheEndsOrSlashesOffTheLines) {
    const std::pair<std::string, std::string> cases[] = {
        {"  { x := 0; }\r\n", "x := 0;"},
        {"(* x := 0; *)", "x := 0;"},
        {"{ a { b } c }", "a { b } c"},
        {"{}", ""},
        {"(*)", ""},
        {"}", "}"},
        {"//a := 1;\r\n//  b := 2;\r\n", "a := 1;\r\n  b := 2;"},
        {"  // a\r\n  // b", " a\r\n  // b"},
        {"///x", "/x"},
        {"//", ""},
        {"//a\r\n/\r\n//", "a\r\n/\r\n"},
        {"  x := 0;\r\n", "x := 0;"},
        {"\x7F", "\x7F"},  // DEL is above 32: not trimmed
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Uncomment(in), out) << in;
    // An unclosed pair, or nothing left after trimming, is nothing to uncomment.
    for (const char* in :
         {"{", "(", "()", "(*", "(x)", "{ a }\r\n// b", "(a) // b", "\r\n", "", "\x01\x1F \t"}) {
        EXPECT_EQ(Uncomment(in), std::nullopt) << in;
    }
}

TEST(CommentTest, APairNeverEndsEarlyOnItsOwnClosingMarkAndUncommentUndoesEveryForm) {
    const struct {
        std::string text, brace, paren;
    } cases[] = {
        {"if s = '}' then", "(* if s = '}' then *)", "(* if s = '}' then *)"},
        {"x := 1; (* old *)", "{ x := 1; (* old *) }", "{ x := 1; (* old *) }"},
        {"{ a }\r\n(* b *)\r\n", "//{ a }\r\n//(* b *)\r\n", "//{ a }\r\n//(* b *)\r\n"},
        {"*)}", "//*)}", "//*)}"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommentBrace(c.text), c.brace) << c.text;
        EXPECT_EQ(CommentParen(c.text), c.paren) << c.text;
        EXPECT_EQ(Uncomment(c.brace), TrimControls(c.text)) << c.text;
    }
}

}  // namespace
}  // namespace tavrill
