#include "Filter.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "text/Case.h"
#include "text/Comment.h"
#include "text/Indent.h"

namespace tavrill::filter {
namespace {

// What the filter writes for `text` read in pieces cut at `cuts` (ascending), or nothing for exit
// code 1, before which nothing may have been written.
std::optional<std::string> Streamed(const Request& request, std::string text, std::vector<std::size_t> cuts) {
    PieceRewriter rewriter(request);
    std::string out, scratch;
    std::size_t at = 0;
    cuts.push_back(text.size());
    for (std::size_t cut : cuts) {
        out += rewriter.Feed(std::span<char>(text.data() + at, cut - at), scratch);
        at = cut;
    }
    const std::optional<std::string_view> rest = rewriter.Finish(scratch);
    if (!rest) return out.empty() ? std::nullopt : std::optional<std::string>("written before exit code 1");
    return out + std::string(*rest);
}

TEST(FilterTest, EveryVerbGivesTheWholeTextRewriteWhereverTheTextIsCut) {
    using Whole = std::function<std::optional<std::string>(std::string_view)>;
    const std::pair<Request, Whole> verbs[] = {
        {{Verb::Upper}, &UpperCaseAscii},
        {{Verb::Title}, &TitleCaseAscii},
        {{Verb::CommentSlash}, &CommentSlash},
        {{Verb::Uncomment}, &Uncomment},
        {{Verb::Indent, 3}, [](std::string_view t) { return IndentLines(t, 3); }},
        {{Verb::Unindent, 2}, [](std::string_view t) { return UnindentLines(t, 2); }},
    };
    for (const std::string input :
         {" \t//a := 1;\r\n//  b\r\r\n\n    my_var2x\r\n /\r\n///\r\n//\r\n  \x01\r\n ",
          "x\r\n/\r\n/ \r\n\r\n", "\r\n  { a }\r\n}\t", " (* x\r\n *) \r\n", "(*)", " (a) *)",
          "{ a }\r\n// b", "\r\n \x1F", ""}) {
        for (const auto& [request, whole] : verbs) {
            // Every cut in two, and every cut in three for the shorter texts.
            for (std::size_t i = 0; i <= input.size(); ++i) {
                for (std::size_t j = i; j <= (input.size() < 32 ? input.size() : i); ++j) {
                    const std::vector<std::size_t> cuts{i, j};
                    ASSERT_EQ(Streamed(request, input, cuts), whole(input))
                        << static_cast<int>(request.verb) << " of " << ::testing::PrintToString(input)
                        << " cut at " << i << ", " << j;
                }
            }
        }
    }
}

TEST(FilterTest, ArgumentsNameOneVerbAndOnlyTheValuesItTakes) {
    using Args = std::vector<std::string_view>;
    const std::pair<Args, std::optional<Request>> cases[] = {
        {{"untabify"}, Request{Verb::Untabify, kDefaultTabWidth}},
        {{"untabify", "4"}, Request{Verb::Untabify, 4}},
        {{"quote", "--multiline"}, Request{Verb::QuoteMultiline}},
        {{"align-on", "then"}, Request{Verb::AlignOn, 0, "then"}},
        {{"untabify", "0"}, std::nullopt},
        {{"align-on"}, std::nullopt},
        {{"align-on", "a b"}, std::nullopt},
        {{"trim", "1"}, std::nullopt},
        {{"indent", "101"}, std::nullopt},
        {{"format", "--tab-width", "4", "--indent", "3"},
         Request{Verb::Format, 0, {}, {.indentSize = 3, .tabWidth = 4}}},
        {{"format", "--tab-width", "0"}, std::nullopt},
        {{"format", "--tab-width"}, std::nullopt},
    };
    for (const auto& [args, expected] : cases) {
        const Parsed parsed = ParseArguments(args);
        ASSERT_EQ(parsed.request.has_value(), expected.has_value()) << args[0] << " " << parsed.error;
        if (!expected) continue;
        const Request& got = *parsed.request;
        EXPECT_EQ(std::tie(got.verb, got.n, got.token, got.style.indentSize, got.style.tabWidth),
                  std::tie(expected->verb, expected->n, expected->token, expected->style.indentSize,
                           expected->style.tabWidth));
    }
}

}  // namespace
}  // namespace tavrill::filter
