#include "text/ToggleComment.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(ToggleCommentTest, CommentsAtTheSmallestIndentUnlessEveryCodeLineIsCommented) {
    const std::pair<std::string, std::string> cases[] = {
        {"  a := 1;\r\n    b;\r\n", "  //a := 1;\r\n  //  b;\r\n"},
        {"  //a := 1;\r\n  //  b;\r\n", "  a := 1;\r\n    b;\r\n"},
        {"x;\r\n\r\n  \t\r\n  y", "//x;\r\n\r\n  \t\r\n//  y"},  // blank lines stay blank
        {"\tif a then\r\n  b", "\t//if a then\r\n // b"},        // indents count in bytes
        {"// a\r\nb", "//// a\r\n//b"},                          // one line is code: comment all
        {"    // a\r\n//b\r\n", "     a\r\nb\r\n"},              // only the two slashes go
        {"s := '//';", "//s := '//';"},
        {"  /a\r\n  //b", "  ///a\r\n  ////b"},  // one slash is no comment
        {"a\rb", "//a\rb"},
        {"  \r\n", "  \r\n"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ToggleComment(in), out) << in;
}

}  // namespace
}  // namespace tavrill
