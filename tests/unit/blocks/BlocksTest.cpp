#include "blocks/Blocks.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tavrill {
namespace {

TEST(IfThenTest, TemplateLinesCarryTheIndentButTheSurroundedCodeDoesNot) {
    const std::tuple<IfThenOptions, std::string_view, std::string_view> cases[] = {
        {{"x > 0", 2, true, true},
         "y := 1;",
         "  if x > 0 then begin\r\ny := 1;\r\n  end else begin\r\n  end;  {if x > 0}\r\n"},
        // W's own final CR LF stays, and the template adds another: one empty line.
        {{"Ok", 2, false, true}, "a;\r\nb;\r\n", "  if Ok then begin\r\na;\r\nb;\r\n\r\n  end;  {if Ok}\r\n"},
        {{"", 1, false, false}, "ignored", " if  then begin\r\n end;  {if }\r\n"},
        {{"a}b", -5, true, true}, "", "if a}b then begin\r\n\r\nend else begin\r\nend;  {if a}b}\r\n"},
    };
    for (const auto& [options, w, expected] : cases) EXPECT_EQ(IfThenBlock(options, w), expected) << w;
}

TEST(LoopHeadTailTest, EmptyFieldsLeaveNothingBetweenTheFixedPieces) {
    const std::pair<std::string, std::string_view> cases[] = {
        {ForHeadTail("", "", "", false).head, "for  :=  to  do begin"},
        {ForHeadTail("k", "", "", true).tail, "end; {next k}"},
        {WhileHeadTail(WhileKind::Repeat, "").tail, "until ;"},
        {WhileHeadTail(WhileKind::While, "").head, "while  do begin"},
        {WhileHeadTail(WhileKind::With, "").tail, "end; {with}"},
        // A call opens its parenthesis only when the name has none.
        {WrapCall("Trim", "s"), "Trim(s)"},
        {WrapCall("FormatDateTime('m/d/yyyy',", "Now"), "FormatDateTime('m/d/yyyy', Now)"},
        {WrapCall("", "s"), "(s)"},
        {WrapCall("Foo(", ""), "Foo( )"},
    };
    for (const auto& [made, expected] : cases) EXPECT_EQ(made, expected);
}

TEST(LoopBlockTest, SurroundShiftsEveryLineAndAlignsOnTheFirstLine) {
    const HeadTail forK = ForHeadTail("k", "Count", "1", true);
    const HeadTail repeatLoop = WhileHeadTail(WhileKind::Repeat, "Done");
    const std::tuple<const HeadTail&, std::string_view, std::string_view> cases[] = {
        {forK, "  x;\r\n  y;",
         "  for k := Count downto 1 do begin\r\n    x;\r\n    y;\r\n  end; {next k}\r\n"},
        {repeatLoop, "  Step;\r\n", "  repeat\r\n    Step;\r\n  until Done;\r\n"},
        {repeatLoop, "", "repeat\r\nuntil Done;\r\n"},
        {repeatLoop, "\r\n   a", "repeat\r\n  \r\n     a\r\nuntil Done;\r\n"},  // first line empty
        {repeatLoop, "\tx", "repeat\r\n  \tx\r\nuntil Done;\r\n"},              // a tab is not a blank
        {repeatLoop, " \tx", " repeat\r\n   \tx\r\n until Done;\r\n"},
        {repeatLoop, "   ", "   repeat\r\n     \r\n   until Done;\r\n"},      // all blanks count
        {repeatLoop, "a\r\n\r\n", "repeat\r\n  a\r\n  \r\nuntil Done;\r\n"},  // empty line before CR LF
        {repeatLoop, "a\rb\nc", "repeat\r\n  a\rb\nc\r\nuntil Done;\r\n"},    // lone CR and LF are bytes
    };
    for (const auto& [ht, w, expected] : cases) EXPECT_EQ(LoopBlock(ht, true, 10, w), expected) << w;
}

TEST(CaseLabelsTest, EveryLineOfTheTextIsOneLabel) {
    using V = std::vector<std::string>;
    EXPECT_EQ(CaseLabels(""), V{});
    EXPECT_EQ(CaseLabels("2, 3\r\n\r\n x :\r\n"), (V{"2, 3", "", " x :"}));  // no label after the last CR LF
    const std::string longLabel(300, 'w');  // however narrow the box, one line of its text
    EXPECT_EQ(CaseLabels(longLabel + "\r\nz"), (V{longLabel, "z"}));
}

TEST(CaseBlockTest, LabelsBeginPairsAndElse) {
    EXPECT_EQ(CaseBlock({"Key", {"1", "2, 3"}, true, true, 2}),
              "  case Key of\r\n    1:\r\n      begin\r\n      end;\r\n"
              "    2, 3:\r\n      begin\r\n      end;\r\n    else \r\n  end; {case of}\r\n");
    EXPECT_EQ(CaseBlock({"Color", {"clRed", "clBlue"}, false, false, 1}),
              " case Color of\r\n   clRed:\r\n   clBlue:\r\n end; {case of}\r\n");
    EXPECT_EQ(CaseBlock({"", {}, true, true, 0}), "case  of\r\n  else \r\nend; {case of}\r\n");
    EXPECT_EQ(CaseBlock({"v", {"", "a:"}, false, false, 0}),
              "case v of\r\n  :\r\n  a::\r\nend; {case of}\r\n");
}

TEST(ProcSkeletonTest, HeaderLineVarBlockCommentAndWhatEachKindSetsInTheDialog) {
    const std::string body = "begin\r\n\r\nend;\r\n";
    const std::string head = "{ Purpose: }\r\n{ Author: }\r\n";
    const std::tuple<ProcOptions, std::string_view, std::string> cases[] = {
        {{.name = "DoIt"}, "", "procedure DoIt;\r\n" + body},
        {{ProcKind::Function, "Calc", "a, b: integer", "integer", true},
         "",
         "function Calc(a, b: integer):integer;\r\nvar i: integer;\r\n" + body},
        {{ProcKind::Constructor, "Create", "AOwner: TComponent"},
         "",
         "constructor Create(AOwner: TComponent);\r\n" + body},
        {{ProcKind::Destructor, "Destroy"}, "", "destructor Destroy;\r\n" + body},
        {{ProcKind::Function, "F", "", ""}, "", "function F:;\r\n" + body},
        {{}, "", "procedure ;\r\n" + body},
        {{.name = "P", .params = "   "}, "", "procedure P(   );\r\n" + body},
        {{.name = "P"}, head, head + "procedure P;\r\n" + body},
        {{.name = "P"}, "{x}\r", "{x}\r\r\nprocedure P;\r\n" + body},  // a lone CR does not end the line
    };
    for (const auto& [options, comment, expected] : cases)
        EXPECT_EQ(ProcSkeleton(options, comment), expected);
    // Choosing a kind in the dialog: only a function has a result type; the others keep the typed
    // parameters, but for a constructor's owner and a destructor's none.
    const std::tuple<ProcKind, bool, std::optional<std::string>> kinds[] = {
        {ProcKind::Procedure, false, std::nullopt},
        {ProcKind::Function, true, std::nullopt},
        {ProcKind::Constructor, false, "AOwner: TComponent"},
        {ProcKind::Destructor, false, ""},
    };
    for (const auto& [kind, result, params] : kinds) {
        EXPECT_EQ(SelectProcKind(kind).resultTypeEnabled, result) << static_cast<int>(kind);
        EXPECT_EQ(SelectProcKind(kind).params, params) << static_cast<int>(kind);
    }
}

}  // namespace
}  // namespace tavrill
