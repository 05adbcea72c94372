#include "stash/SnippetTemplate.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TemplateValues Values(std::string selection, std::vector<std::string> inputs = {}) {
    TemplateValues v{
        .selection = std::move(selection), .user = "ann", .guid = "{G}", .file = "U.pas", .unit = "U"};
    SetTemplateClock(v, 2026, 3, 7, 9, 5);
    v.inputs = std::move(inputs);
    return v;
}

TEST(ExpandTemplateTest, PlaceholdersAreTheExactUpperCaseFormsOnly) {
    const struct {
        std::string_view code, selection;
        std::vector<std::string> inputs;
        std::string_view text;
        std::optional<std::size_t> caret;
    } cases[] = {
        {"%DATE% %TIME% %YEAR% %USER% %GUID% %FILE% %UNIT%",
         "",
         {},
         "2026-03-07 09:05 2026 ann {G} U.pas U",
         {}},
        {"Format('%d%%', [n]); %selection% %INPUT% %INPUT:% 100% %INPUT:x",
         "",
         {},
         "Format('%d%%', [n]); %selection% %INPUT% %INPUT:% 100% %INPUT:x",
         {}},
        {"%INPUT:x\r\n% %INPUT:=y%", "", {}, "%INPUT:x\r\n% %INPUT:=y%", {}},
        {"a%|%b%|%c", "", {}, "abc", 1},
        {"%%DATE%%", "", {}, "%2026-03-07%", {}},
        {"%PERCENT%DATE%", "", {}, "%DATE%", {}},
        {"%INPUT:v=i% := %INPUT:from=0%; %INPUT:v=j%",
         "",
         {"k"},
         "k := 0; k",
         {}},  // a missing input: its start
        {"%INPUT:a=b=c%", "", {}, "b=c", {}},
        {"x(%SELECTION%);", "", {}, "x();", {}},
        {"  try\r\n    %SELECTION%\r\n  finally",
         "a;\r\n\r\n\tb;\r\n",
         {},
         "  try\r\n    a;\r\n\r\n    \tb;\r\n  finally",
         {}},
        {"\tx := %SELECTION% + 1", "f(\nÄ)", {}, "\tx := f(\n\t     Ä) + 1", {}},  // one blank per character
        {"// %SELECTION%", "y\r\n", {}, "// y\r\n", {}},
    };
    for (const auto& c : cases) {
        const Expanded e = ExpandTemplate(c.code, Values(std::string(c.selection), c.inputs));
        EXPECT_EQ(e.text, c.text) << c.code;
        EXPECT_EQ(e.caret, c.caret) << c.code;
    }
}

TEST(TemplateInputsTest, OneBoxPerCaptionInOrderOfFirstUseWithTheFirstStartingValueGiven) {
    const auto inputs = TemplateInputs("%INPUT:b% %INPUT:a=1% %INPUT:b=2% %INPUT:b=3% %INPUT:B%");
    ASSERT_EQ(inputs.size(), 3u);
    EXPECT_EQ(inputs[0].caption + "=" + inputs[0].initial, "b=2");
    EXPECT_EQ(inputs[1].caption + "=" + inputs[1].initial, "a=1");
    EXPECT_EQ(inputs[2].caption + "=" + inputs[2].initial, "B=");
    EXPECT_TRUE(UsesSelection("a%SELECTION%"));
    EXPECT_FALSE(UsesSelection("%Selection%"));
    EXPECT_EQ(PlaceholderSpans("x%|%%%UNIT%%INPUT:a%"),
              (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {5, 6}, {11, 9}}));
}

TEST(FileNameFromTitleTest, APascalFileAtTheEndOfTheTitleWithoutItsDecorations) {
    const struct {
        std::string_view title, file;
    } cases[] = {
        {"Unit1.pas", "Unit1.pas"},
        {"C:\\src\\v1.2\\Main Form.PAS", "Main Form.PAS"},
        {"Project1 - Unit1.pas", "Unit1.pas"},
        {"Project1 - C:\\a - b\\Unit1.dpr *", "Unit1.dpr"},
        {"*Unit1.pp [modified] (read only)", "Unit1.pp"},
        {"Defs.inc*", "Defs.inc"},
        {"Pkg.dpk", "Pkg.dpk"},
        {"Unit1.pas - Editor", ""},
        {"Readme.txt", ""},
        {".pas", ""},
        {"Project1 - .pas", ""},
        {"(]*", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FileNameFromTitle(c.title), c.file) << c.title;
    EXPECT_EQ(UnitName("My.Unit.pas"), "My.Unit");
}

TEST(LeftPressesToCaretTest, CountsAsAnEditorInUtf16Does) {
    const struct {
        std::string_view text;
        std::size_t caret, presses;
    } cases[] = {
        {"abc", 1, 2},          {"abc", 3, 0},    {"abc", 9, 0},
        {"a\r\nb", 0, 3},       {"a\n\rb", 0, 4}, {"ä€\xF0\x9F\x98\x80x", 0, 5},
        {"\xF0\x9F\x98", 0, 3},  // a cut sequence: one replacement character per byte
    };
    for (const auto& c : cases) EXPECT_EQ(LeftPressesToCaret(c.text, c.caret), c.presses) << c.text;
}

TEST(TemplateCodeBuilderTest, LiteralTextExpandsToItselfWhateverItsPercentSigns) {
    TemplateCodeBuilder b;
    b.Literal("%DATE");
    b.Caret();
    b.Literal("%INPUT:x%%SELECTION");
    b.Selection();
    b.Input("a=b%\r\nc", "x\ny");
    b.Input(" % ", "50%");
    const std::string code = b.Code();
    EXPECT_EQ(code,
              "%PERCENT%DATE%|%%PERCENT%INPUT:x%%PERCENT%SELECTION%SELECTION%%INPUT:a b   c=x y%%INPUT:?%");
    EXPECT_EQ(ExpandTemplate(code, Values("S", {"1", "2"})).text, "%DATE%INPUT:x%%SELECTIONS12");
}

}  // namespace
}  // namespace tavrill
