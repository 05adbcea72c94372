#include "text/LineStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavrill {
namespace {

std::string FeedInPieces(LineStreamRewriter rewriter, std::string_view text,
                         const std::vector<std::size_t>& cuts) {
    std::string out;
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
        rewriter.Feed(text.substr(at, cut - at), out);
        at = cut;
    }
    rewriter.Feed(text.substr(at), out);
    rewriter.Finish(out);
    return out;
}

TEST(LineStreamTest, ACrAtTheEndOfAPieceWaitsForTheNextByte) {
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Prefixing("//"), "a\r\nb\r\n", {2}), "//a\r\n//b\r\n");
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Prefixing("//"), "\r\r\n", {1, 2}), "//\r\r\n");
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Prefixing("//"), "a\r\n\r", {4}), "//a\r\n//\r");
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Unindenting(2), "  \r\n  x", {1, 3, 5}), "\r\nx");
}

}  // namespace
}  // namespace tavrill
