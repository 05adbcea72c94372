#include "text/Indent.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(IndentTest, IndentPadsEveryCountedLineAndUnindentTakesUpToNLeadingBlanks) {
    const std::tuple<std::string, int, std::string, std::string> cases[] = {
        {"a\r\n  b\r\n", 2, "  a\r\n    b\r\n", "a\r\nb\r\n"},
        {"    a\r\n b\r\nc", 2, "      a\r\n   b\r\n  c", "  a\r\nb\r\nc"},
        {" \r\n\r\n", 2, "   \r\n  \r\n", "\r\n\r\n"},
        {"  \tb", 4, "      \tb", "\tb"},
        {"\t  b", 1, " \t  b", "\t  b"},
        {"      ", 4, std::string(10, ' '), "  "},
        {"a\r\nb", 16, std::string(16, ' ') + "a\r\n" + std::string(16, ' ') + "b", "a\r\nb"},
        {"  a", 0, "  a", "  a"},
        {"  a", -3, "  a", "  a"},
        {"", 2, "", ""},
    };
    for (const auto& [in, n, indented, unindented] : cases) {
        EXPECT_EQ(IndentLines(in, n), indented) << in << " by " << n;
        EXPECT_EQ(UnindentLines(in, n), unindented) << in << " by " << n;
    }
}

TEST(IndentTest, OkReadsTheNumberBoxInsideItsRange) {
    // The reading rule is NumbersTest's; here only the box's own range, 0 to 16.
    const std::pair<std::string, std::string> cases[] = {
        {"3", "   a"}, {"00000000000000000020", std::string(16, ' ') + "a"}, {"x", "a"}, {"-2", "a"}};
    for (const auto& [spin, out] : cases) EXPECT_EQ(IndentDialogRewrite("a", true, spin), out) << spin;
    EXPECT_EQ(IndentDialogRewrite("   a", false, "2"), " a");
}

}  // namespace
}  // namespace tavrill
