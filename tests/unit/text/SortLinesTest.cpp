#include "text/SortLines.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(SortLinesTest, StableCaseBlindOrderBothWaysKeepingTheFinalLineBreak) {
    const struct {
        std::string text, ascending, descending;
    } cases[] = {
        {"b\r\nA\r\na\r\nB", "A\r\na\r\nb\r\nB", "b\r\nB\r\nA\r\na"},
        {"SysUtils,\r\n  Classes,\r\nsysutils,\r\n", "  Classes,\r\nSysUtils,\r\nsysutils,\r\n",
         "SysUtils,\r\nsysutils,\r\n  Classes,\r\n"},
        {"abcdefghij\r\nABCDEFGHIK\r\nabcdefgh\r\n\r\n", "\r\nabcdefgh\r\nabcdefghij\r\nABCDEFGHIK\r\n",
         "ABCDEFGHIK\r\nabcdefghij\r\nabcdefgh\r\n\r\n"},  // past the first eight bytes, shorter first
        {"_\r\nZ\r\n\303\251\r\n[", "Z\r\n[\r\n_\r\n\303\251",
         "\303\251\r\n_\r\n[\r\nZ"},  // letters fold to upper case
        {"{\r\n[", "[\r\n{", "{\r\n["},
        {"a\rc\r\na\rb", "a\rb\r\na\rc", "a\rc\r\na\rb"},
        {"\r\n", "\r\n", "\r\n"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SortLines(c.text, false), c.ascending) << c.text;
        EXPECT_EQ(SortLines(c.text, true), c.descending) << c.text;
    }
}

TEST(SortLinesTest, LinesSharingAMegabyteBeforeTheyDifferSortWithoutExhaustingTheStack) {
    const std::string common(1 << 20, 'x');
    const std::string text = common + "b\r\n" + common + "A\r\n" + common;
    EXPECT_EQ(SortLines(text, false), common + "\r\n" + common + "A\r\n" + common + "b");
}

}  // namespace
}  // namespace tavrill
