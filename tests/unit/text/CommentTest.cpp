#include "text/Comment.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(CommentTest, SlashGoesInFrontOfEveryCountedLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"a := 1;\r\n  b := 2;\r\n", "//a := 1;\r\n//  b := 2;\r\n"},
        {"a\r\n\r\nb", "//a\r\n//\r\n//b"},
        {"\r\n", "//\r\n"},
        {"", ""},
        {"  ", "//  "},
        {"a\rb\nc", "//a\rb\nc"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(CommentSlash(in), out) << in;
}

TEST(CommentTest, BraceAndParenWrapTheWholeText) {
    EXPECT_EQ(CommentBrace("x := 0;"), "{ x := 0; }");
    EXPECT_EQ(CommentBrace("x := 0;\r\n"), "{ x := 0;\r\n }");
    EXPECT_EQ(CommentBrace("a } b"), "{ a } b }");
    EXPECT_EQ(CommentBrace(""), "{  }");
    EXPECT_EQ(CommentBrace("\r\n"), "{ \r\n }");
    EXPECT_EQ(CommentParen("x := 0;"), "(* x := 0; *)");
    EXPECT_EQ(CommentParen(""), "(*  *)");
}

TEST(CommentTest, UncommentDecidesOnTheTrimmedText) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"  { x := 0; }\r\n", "x := 0;"},
        {"(* x := 0; *)", "x := 0;"},
        {"{ a { b } c }", "a { b } c"},
        {"{}", ""},
        {"(*)", ""},
        {"{", std::nullopt},
        {"(", std::nullopt},
        {"()", std::nullopt},
        {"(*", std::nullopt},
        {"}", "}"},
        {"{ a }\r\n// b", std::nullopt},
        {"(a) // b", std::nullopt},
        {"//a := 1;\r\n//  b := 2;\r\n", "a := 1;\r\n  b := 2;"},
        {"//a\r\n\r\n//b", "a\r\n\r\nb"},
        {"// a", " a"},
        {"  // a\r\n  // b", " a\r\n  // b"},
        {"///x", "/x"},
        {"//", ""},
        {"/", "/"},
        {"//a\r\n/\r\n//", "a\r\n/\r\n"},
        {"  x := 0;\r\n", "x := 0;"},
        {"\r\n", std::nullopt},
        {"", std::nullopt},
        {"\x01\x1F \t", std::nullopt},
        {"\x7F", "\x7F"},  // DEL is above 32: not trimmed
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(Uncomment(in), out) << in;
}

TEST(CommentTest, PairCasesExposeTheirInnerTextBeforeTheFinalTrim) {
    EXPECT_EQ(RecognizeComment("{ x }"), CommentForm::Pair);
    EXPECT_EQ(CommentPairInner("{ x }"), " x ");
    EXPECT_EQ(CommentPairInner("(*\r\nx *)"), "\r\nx ");
    EXPECT_EQ(RecognizeComment("(x)"), CommentForm::Unmatched);
    EXPECT_EQ(RecognizeComment("x"), CommentForm::SlashLines);
}

}  // namespace
}  // namespace tavrill
