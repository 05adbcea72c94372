#include "Filter.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "text/Case.h"
#include "text/Comment.h"
#include "text/Indent.h"

namespace tavrill::filter {
namespace {

using Whole = std::function<std::optional<std::string>(std::string_view)>;

// Feeds `text` cut at `cuts` (ascending) and returns what the filter would write, or nothing for
// exit code 1.
std::optional<std::string> Streamed(const Request& request, std::string text,
                                    const std::vector<std::size_t>& cuts) {
    PieceRewriter rewriter(request);
    std::string out;
    std::string scratch;
    std::size_t at = 0;
    for (std::size_t cut : cuts) {
        out += rewriter.Feed(std::span<char>(text.data() + at, cut - at), scratch);
        at = cut;
    }
    out += rewriter.Feed(std::span<char>(text.data() + at, text.size() - at), scratch);
    const std::optional<std::string_view> rest = rewriter.Finish(scratch);
    if (!rest) {
        EXPECT_EQ(out, "") << "written before exit code 1";
        return std::nullopt;
    }
    return out + std::string(*rest);
}

TEST(FilterTest, EveryVerbGivesTheWholeTextRewriteWhereverTheTextIsCut) {
    const struct {
        std::string_view name;
        Request request;
        Whole whole;
    } verbs[] = {
        {"upper", {Verb::Upper}, &UpperCaseAscii},
        {"title", {Verb::Title}, &TitleCaseAscii},
        {"comment-slash", {Verb::CommentSlash}, &CommentSlash},
        {"uncomment", {Verb::Uncomment}, &Uncomment},
        {"indent 3", {Verb::Indent, 3}, [](std::string_view t) { return IndentLines(t, 3); }},
        {"unindent 2", {Verb::Unindent, 2}, [](std::string_view t) { return UnindentLines(t, 2); }},
    };
    const std::string texts[] = {
        " \t//a := 1;\r\n//  b\r\r\n\n    my_var2x\r\n /\r\n///\r\n//\r\n  \x01\r\n ",
        "x\r\n/\r\n/ \r\n\r\n",
        "\r\n  { a }\r\n}\t",
        " (* x\r\n *) \r\n",
        "(*)",
        " (a) *)",
        "{ a }\r\n// b",
        "\r\n \x1F",
        "",
    };
    for (const std::string& input : texts) {
        for (const auto& [name, request, whole] : verbs) {
            const std::optional<std::string> expected = whole(input);
            // Every cut in two, and every cut in three for the shorter texts.
            std::vector<std::vector<std::size_t>> cutSets;
            for (std::size_t i = 0; i <= input.size(); ++i) {
                cutSets.push_back({i});
                for (std::size_t j = i; j <= input.size() && input.size() < 32; ++j)
                    cutSets.push_back({i, j});
            }
            for (const std::vector<std::size_t>& cuts : cutSets) {
                if (Streamed(request, input, cuts) != expected) {
                    ADD_FAILURE() << name << " of " << ::testing::PrintToString(input) << " cut at "
                                  << ::testing::PrintToString(cuts);
                    break;
                }
            }
        }
    }
}

}  // namespace
}  // namespace tavrill::filter
