#include "text/LineStream.h"

#include <gtest/gtest.h>

#include <random>

#include "text/Comment.h"
#include "text/Indent.h"

namespace tavrill {
namespace {

std::string FeedInPieces(LineStreamRewriter rewriter, std::string_view text, const std::vector<std::size_t>& cuts) {
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

TEST(LineStreamTest, PiecesGiveTheWholeTextRewriteWhereverTheyAreCut) {
    std::mt19937 rng(5);
    static constexpr char kBytes[] = {'\r', '\n', '\r', ' ', ' ', 'a'};
    for (int round = 0; round < 4000; ++round) {
        std::string text(rng() % 20, ' ');
        for (char& c : text) c = kBytes[rng() % sizeof kBytes];
        std::vector<std::size_t> cuts;
        for (std::size_t i = 1; i <= text.size(); ++i) {
            if (rng() % 3 == 0) cuts.push_back(i);
        }
        const int n = static_cast<int>(rng() % 4);
        ASSERT_EQ(FeedInPieces(LineStreamRewriter::Prefixing("//"), text, cuts), CommentSlash(text)) << text;
        ASSERT_EQ(FeedInPieces(LineStreamRewriter::Prefixing(std::string(n, ' ')), text, cuts),
                  IndentLines(text, n))
            << text;
        ASSERT_EQ(FeedInPieces(LineStreamRewriter::Unindenting(n), text, cuts), UnindentLines(text, n)) << text;
    }
}

TEST(LineStreamTest, ACrAtTheEndOfAPieceWaitsForTheNextByte) {
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Prefixing("//"), "a\r\nb\r\n", {2}), "//a\r\n//b\r\n");
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Prefixing("//"), "\r\r\n", {1, 2}), "//\r\r\n");
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Prefixing("//"), "a\r\n\r", {4}), "//a\r\n//\r");
    EXPECT_EQ(FeedInPieces(LineStreamRewriter::Unindenting(2), "  \r\n  x", {1, 3, 5}), "\r\nx");
}

}  // namespace
}  // namespace tavrill
