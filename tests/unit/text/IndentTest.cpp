#include "text/Indent.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(IndentTest, IndentPadsEveryCountedLine) {
    struct Case {
        std::string in;
        int n;
        std::string out;
    };
    const Case cases[] = {
        {"a\r\n  b\r\n", 2, "  a\r\n    b\r\n"},
        {"a\r\n\r\nb", 2, "  a\r\n  \r\n  b"},
        {"\r\n", 2, "  \r\n"},
        {"a", 2, "  a"},
        {"a\r\nb", 16, std::string(16, ' ') + "a\r\n" + std::string(16, ' ') + "b"},
        {"a\r\nb", 0, "a\r\nb"},
        {"a\r\nb", -3, "a\r\nb"},
        {"", 2, ""},
        {"\ta", 1, " \ta"},
    };
    for (const Case& c : cases) EXPECT_EQ(IndentLines(c.in, c.n), c.out) << c.in << " by " << c.n;
}

TEST(IndentTest, UnindentTakesUpToNBlanksFromEachLine) {
    struct Case {
        std::string in;
        int n;
        std::string out;
    };
    const Case cases[] = {
        {"    a\r\n b\r\nc", 2, "  a\r\nb\r\nc"},
        {" \r\n\r\n", 2, "\r\n\r\n"},
        {"  \tb", 4, "\tb"},
        {"\t  b", 4, "\t  b"},
        {"\r\n", 2, "\r\n"},
        {"   a", 0, "   a"},
        {"   a", -1, "   a"},
        {"      ", 4, "  "},
    };
    for (const Case& c : cases) EXPECT_EQ(UnindentLines(c.in, c.n), c.out) << c.in << " by " << c.n;
}

TEST(IndentTest, OkReadsTheNumberBoxWithoutClamping) {
    EXPECT_EQ(IndentDialogRewrite("a", true, "3"), "   a");
    EXPECT_EQ(IndentDialogRewrite("a", true, "+3"), "   a");
    EXPECT_EQ(IndentDialogRewrite("a", true, "20"), std::string(20, ' ') + "a");
    EXPECT_EQ(IndentDialogRewrite("a", true, "x"), "a");
    EXPECT_EQ(IndentDialogRewrite("a", true, ""), "a");
    EXPECT_EQ(IndentDialogRewrite("a", true, " 2"), "a");
    EXPECT_EQ(IndentDialogRewrite("a", true, "-2"), "a");
    EXPECT_EQ(IndentDialogRewrite("   a", false, "2"), " a");
}

}  // namespace
}  // namespace tavrill
