#include "text/Blanks.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

struct Case {
    std::string in, out;
};

TEST(BlanksTest, TrimTakesOnlyBlanksAndTabsAtLineEnds) {
    for (const auto& [in, out] : {Case{"a \t\r\n \r\n\tb\t", "a\r\n\r\n\tb"}, Case{"a\r \r\n", "a\r\r\n"},
                                  Case{"'x '  // y \r\n", "'x '  // y\r\n"}, Case{"", ""}}) {
        EXPECT_EQ(TrimTrailingBlanks(in), out) << in;
        EXPECT_EQ(TrimTrailingBlanks(out), out) << in;
    }
}

TEST(BlanksTest, UntabifyExpandsTabsInCodeToTheNextStopOnly) {
    const struct {
        int width;
        std::string in, out;
    } cases[] = {
        {8, "\tx\r\nab\tc", "        x\r\nab      c"},
        {4, "a\tb := '\t';\t// \tx", "a   b := '\t';  // \tx"},  // the string's and comment's tabs stay
        {4, "//\t", "//  "},  // blanks at the end of the line are no part of a // comment
        {4, "{ a\r\n\tb }\tc", "{ a\r\n\tb } c"},                        // a comment across lines
        {4, "(*\r\n*)\t\r\n\303\251\tx", "(*\r\n*)  \r\n\303\251   x"},  // a character is one column
        {0, "\t\tx", "  x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Untabify(c.in, c.width), c.out) << c.in;
        EXPECT_EQ(Untabify(c.out, c.width), c.out) << c.in;
    }
}

TEST(BlanksTest, BlankLinesGoOrShrinkToOne) {
    const struct {
        std::string in, deleted, compacted;
    } cases[] = {
        {"a\r\n\r\n \t\r\n\r\nb\r\n\r\n", "a\r\nb\r\n", "a\r\n\r\nb\r\n\r\n"},
        {" \r\na\r\n  ", "a\r\n", " \r\na\r\n  "},
        {"\r\n", "", "\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DeleteBlankLines(c.in, false), c.deleted) << c.in;
        EXPECT_EQ(DeleteBlankLines(c.in, true), c.compacted) << c.in;
    }
}

TEST(BlanksTest, JoinMakesOneLineButKeepsASlashCommentsBreak) {
    for (const auto& [in, out] : {
             Case{"  a := 1 +  \r\n    2;\r\n\r\n  b;\r\n", "  a := 1 + 2; b;\r\n"},
             Case{"if x then // why\r\n  y;\r\nz", "if x then // why\r\n  y; z"},
             Case{"s := '//';\r\n{ a\r\n// b\r\n} c", "s := '//'; { a // b } c"},
             Case{"a\r\n", "a\r\n"},
             Case{"", ""},
         }) {
        EXPECT_EQ(JoinLines(in), out) << in;
    }
}

}  // namespace
}  // namespace tavrill
