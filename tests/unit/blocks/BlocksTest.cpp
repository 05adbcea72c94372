#include "blocks/Blocks.h"

#include <gtest/gtest.h>

#include <random>

#include "text/LineList.h"

namespace tavrill {
namespace {

TEST(SpinValueTest, OnlyAWholeNumberCountsAndNothingIsClamped) {
    const struct {
        std::string_view text;
        int expected;
    } cases[] = {
        {"2", 2},  {"10", 10}, {"0", 0},  {"-3", -3}, {"+4", 4},   {"42", 42},  // reading does not clamp
        {"", 1},   {"abc", 1}, {"3x", 1}, {" 3", 1},  {"3 ", 1},   {"+", 1},
        {"-", 1},  {"+-2", 1}, {"2.5", 1}, {"99999999999", 1},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadSpinValue(c.text, 1), c.expected) << "'" << c.text << "'";
}

TEST(IfThenTest, TemplateLinesCarryTheIndentButTheSurroundedCodeDoesNot) {
    const struct {
        IfThenOptions options;
        std::string_view w;
        std::string_view expected;
    } cases[] = {
        {{"x > 0", 2, true, true}, "y := 1;",
         "  if x > 0 then begin\r\ny := 1;\r\n  end else begin\r\n  end;  {if x > 0}\r\n"},
        {{"Done", 4, false, false}, "ignored", "    if Done then begin\r\n    end;  {if Done}\r\n"},
        // W's own final CR LF stays, and the template adds another: one empty line.
        {{"Ok", 2, false, true}, "a;\r\nb;\r\n", "  if Ok then begin\r\na;\r\nb;\r\n\r\n  end;  {if Ok}\r\n"},
        {{"", 1, false, false}, "", " if  then begin\r\n end;  {if }\r\n"},
        {{"a}b", 0, true, false}, "", "if a}b then begin\r\nend else begin\r\nend;  {if a}b}\r\n"},
        {{"c", -5, false, true}, "", "if c then begin\r\n\r\nend;  {if c}\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(IfThenBlock(c.options, c.w), c.expected) << c.options.condition;
}

TEST(LoopHeadTailTest, EmptyFieldsLeaveNothingBetweenTheFixedPieces) {
    EXPECT_EQ(ForHeadTail("", "", "", false).head, "for  :=  to  do begin");
    EXPECT_EQ(ForHeadTail("k", "", "", true).tail, "end; {next k}");
    EXPECT_EQ(WhileHeadTail(WhileKind::Repeat, "").tail, "until ;");
    EXPECT_EQ(WhileHeadTail(WhileKind::While, "").head, "while  do begin");
    EXPECT_EQ(WhileHeadTail(WhileKind::With, "").tail, "end; {with}");
}

TEST(LoopBlockTest, SurroundShiftsEveryLineAndAlignsOnTheFirstLine) {
    const HeadTail forK = ForHeadTail("k", "Count", "1", true);
    const HeadTail whileLoop = WhileHeadTail(WhileKind::While, "i < 10");
    const HeadTail repeatLoop = WhileHeadTail(WhileKind::Repeat, "Done");
    const struct {
        const HeadTail& ht;
        std::string_view w;
        std::string_view expected;
    } cases[] = {
        {forK, "    Sum := Sum + k;\r\n    Show(Sum);",
         "    for k := Count downto 1 do begin\r\n      Sum := Sum + k;\r\n      Show(Sum);\r\n"
         "    end; {next k}\r\n"},
        {repeatLoop, "  Step;\r\n", "  repeat\r\n    Step;\r\n  until Done;\r\n"},
        {whileLoop, "x;\r\n\r\ny;", "while i < 10 do begin\r\n  x;\r\n  \r\n  y;\r\nend; {while}\r\n"},
        {repeatLoop, "", "repeat\r\nuntil Done;\r\n"},
        {repeatLoop, "\r\n   a", "repeat\r\n  \r\n     a\r\nuntil Done;\r\n"},      // first line empty
        {repeatLoop, "\tx", "repeat\r\n  \tx\r\nuntil Done;\r\n"},                 // a tab is not a blank
        {repeatLoop, " \tx", " repeat\r\n   \tx\r\n until Done;\r\n"},
        {repeatLoop, "   ", "   repeat\r\n     \r\n   until Done;\r\n"},           // all blanks count
        {repeatLoop, "a\r\n\r\n", "repeat\r\n  a\r\n  \r\nuntil Done;\r\n"},       // empty line before CR LF
        {repeatLoop, "a\rb\nc", "repeat\r\n  a\rb\nc\r\nuntil Done;\r\n"},          // lone CR and LF are bytes
    };
    for (const auto& c : cases) EXPECT_EQ(LoopBlock(c.ht, true, 10, c.w), c.expected) << c.w;
}

TEST(LoopBlockTest, FinalLineBreakOfTheSelectionMakesNoDifference) {
    const HeadTail ht = WhileHeadTail(WhileKind::With, "R");
    EXPECT_EQ(LoopBlock(ht, true, 2, "  a\r\n  b"), LoopBlock(ht, true, 2, "  a\r\n  b\r\n"));
}

// The block is what the line-by-line recipe gives (shift every line, add the head, move it to the
// top, add the tail), built in one pass instead; random texts of blanks and line-break bytes
// reach the corners of that recipe.
TEST(LoopBlockTest, SurroundAgreesWithTheLineByLineRecipe) {
    std::mt19937 random(7);
    const char* pieces[] = {"a", " ", "\r", "\n", "\r\n", "\t"};
    const HeadTail ht = WhileHeadTail(WhileKind::With, "R");
    for (int round = 0; round < 2000; ++round) {
        std::string w;
        for (int n = std::uniform_int_distribution<>(0, 8)(random); n > 0; --n) w += pieces[random() % 6];
        LineList lines(w);
        const std::string indent = IndentString(LeadingSpaceCount(lines.GetLine(0)));
        for (std::ptrdiff_t i = 0, m = lines.LineCount(); i < m; ++i) lines.PutLine(i, "  " + lines.GetLine(i));
        lines.AddLine(indent + ht.head);
        lines.MoveLine(lines.LineCount() - 1, 0);
        lines.AddLine(indent + ht.tail);
        ASSERT_EQ(LoopBlock(ht, true, 5, w), lines.GetText()) << ::testing::PrintToString(w);
    }
}

TEST(LoopBlockTest, WithoutSurroundOnlyTheSpinValueIndentsAndTheSelectionIsDropped) {
    EXPECT_EQ(LoopBlock(ForHeadTail("i", "1", "10", false), false, 2, "    x;\r\n"),
              "  for i := 1 to 10 do begin\r\n  end; {next i}\r\n");
    EXPECT_EQ(LoopBlock(WhileHeadTail(WhileKind::With, "Canvas"), false, 3, ""),
              "   with Canvas do begin\r\n   end; {with}\r\n");
    EXPECT_EQ(LoopBlock(WhileHeadTail(WhileKind::Repeat, "D"), false, 0, "x"), "repeat\r\nuntil D;\r\n");
}

TEST(CaseLabelsTest, EveryLineOfTheTextIsOneLabel) {
    using V = std::vector<std::string>;
    EXPECT_EQ(CaseLabels(""), V{});
    EXPECT_EQ(CaseLabels("1\r\n2, 3\r\n"), (V{"1", "2, 3"}));
    EXPECT_EQ(CaseLabels("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(CaseLabels("a\r\n\r\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(CaseLabels(" x :"), V{" x :"});
    // However narrow the box, a long label is one line of its text.
    const std::string longLabel(300, 'w');
    EXPECT_EQ(CaseLabels(longLabel + "\r\nz"), (V{longLabel, "z"}));
}

TEST(CaseBlockTest, LabelsBeginPairsAndElse) {
    CaseOptions both{"Key", {"1", "2, 3", "4..9"}, true, true, 2};
    EXPECT_EQ(CaseBlock(both),
              "  case Key of\r\n"
              "    1:\r\n      begin\r\n      end;\r\n"
              "    2, 3:\r\n      begin\r\n      end;\r\n"
              "    4..9:\r\n      begin\r\n      end;\r\n"
              "    else \r\n  end; {case of}\r\n");
    EXPECT_EQ(CaseBlock({"Color", {"clRed", "clBlue"}, false, false, 1}),
              " case Color of\r\n   clRed:\r\n   clBlue:\r\n end; {case of}\r\n");
    EXPECT_EQ(CaseBlock({"", {}, true, true, 0}), "case  of\r\n  else \r\nend; {case of}\r\n");
    EXPECT_EQ(CaseBlock({"v", {"", "a:"}, false, false, 0}), "case v of\r\n  :\r\n  a::\r\nend; {case of}\r\n");
}

TEST(ProcSkeletonTest, HeaderLineVarBlockAndComment) {
    const std::string body = "begin\r\n\r\nend;\r\n";
    const struct {
        ProcOptions options;
        std::string_view comment;
        std::string expected;
    } cases[] = {
        {{ProcKind::Procedure, "DoIt", "", std::nullopt, false}, "", "procedure DoIt;\r\n" + body},
        {{ProcKind::Function, "Calc", "a, b: integer", "integer", true}, "",
         "function Calc(a, b: integer):integer;\r\nvar i: integer;\r\n" + body},
        {{ProcKind::Constructor, "Create", "AOwner: TComponent", std::nullopt, false}, "",
         "constructor Create(AOwner: TComponent);\r\n" + body},
        {{ProcKind::Destructor, "Destroy", "", std::nullopt, false}, "", "destructor Destroy;\r\n" + body},
        {{ProcKind::Function, "F", "", "", false}, "", "function F:;\r\n" + body},
        {{ProcKind::Procedure, "", "", std::nullopt, false}, "", "procedure ;\r\n" + body},
        {{ProcKind::Procedure, "P", "   ", std::nullopt, false}, "", "procedure P(   );\r\n" + body},
        {{ProcKind::Procedure, "P", "", std::nullopt, false}, "{ Purpose: }\r\n{ Author: }\r\n",
         "{ Purpose: }\r\n{ Author: }\r\nprocedure P;\r\n" + body},
        {{ProcKind::Procedure, "P", "", std::nullopt, false}, "{ Purpose: }\r\n{ Author: }",
         "{ Purpose: }\r\n{ Author: }\r\nprocedure P;\r\n" + body},
        // A comment ending in a lone CR is not a finished line.
        {{ProcKind::Procedure, "P", "", std::nullopt, false}, "{x}\r", "{x}\r\r\nprocedure P;\r\n" + body},
    };
    for (const auto& c : cases) EXPECT_EQ(ProcSkeleton(c.options, c.comment), c.expected) << c.expected;
}

TEST(WrapCallTest, OpeningParenthesisOnlyWhenTheNameHasNone) {
    EXPECT_EQ(WrapCall("Trim", "s"), "Trim(s)");
    EXPECT_EQ(WrapCall("FormatDateTime('m/d/yyyy',", "Now"), "FormatDateTime('m/d/yyyy', Now)");
    EXPECT_EQ(WrapCall("", "s"), "(s)");
    EXPECT_EQ(WrapCall("Foo", "a\r\nb\r\n"), "Foo(a\r\nb\r\n)");
    EXPECT_EQ(WrapCall("Foo", ""), "Foo()");
    EXPECT_EQ(WrapCall("Foo(", ""), "Foo( )");
}

}  // namespace
}  // namespace tavrill
