#include "text/LineStream.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(LineStreamTest, ACrAtTheEndOfAPieceWaitsForTheNextByte) {
    const auto feed = [](LineStreamRewriter rewriter, std::initializer_list<std::string_view> pieces) {
        std::string out;
        for (std::string_view piece : pieces) rewriter.Feed(piece, out);
        rewriter.Finish(out);
        return out;
    };
    EXPECT_EQ(feed(LineStreamRewriter::Prefixing("//"), {"a\r", "\nb\r\n"}), "//a\r\n//b\r\n");
    EXPECT_EQ(feed(LineStreamRewriter::Prefixing("//"), {"\r", "\r", "\n"}), "//\r\r\n");
    EXPECT_EQ(feed(LineStreamRewriter::Prefixing("//"), {"a\r\n\r", ""}), "//a\r\n//\r");
    EXPECT_EQ(feed(LineStreamRewriter::Unindenting(2), {" ", " \r", "\n ", " x"}), "\r\nx");
}

}  // namespace
}  // namespace tavrill
