#include "text/Assignments.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(AlignTest, PadsBeforeTheMarkOutsideStringsAndCommentsToTheRightMostColumn) {
    const std::pair<std::string, std::string> cases[] = {
        {"  a := 1;\r\n  Count := 2; // x := 3\r\nFoo;\r\n  s:= 'x := y';",
         "  a     := 1;\r\n  Count := 2; // x := 3\r\nFoo;\r\n  s     := 'x := y';"},
        {"s := 'it''s';\r\nlonger{:=} := 1", "s          := 'it''s';\r\nlonger{:=} := 1"},
        {"\ta := 1;\r\n  bb := 2;", "\ta := 1;\r\n  bb      := 2;"},  // the tab stops at 8
        {"\303\251t\303\251 := 1;\r\netat := 2;", "\303\251t\303\251  := 1;\r\netat := 2;"},  // 3 code points
        {"const\r\n  kA = 1;\r\n  kLonger = 2;\r\n", "const\r\n  kA      = 1;\r\n  kLonger = 2;\r\n"},
        {"const // typed\r\n  k: Integer = 1;\r\n  kLonger: Integer = 2;",
         "const // typed\r\n  k: Integer       = 1;\r\n  kLonger: Integer = 2;"},  // the keyword beats the
                                                                                   // first mark
        {"var\r\n  i: Integer;\r\n  Name: string = 'a:b';",
         "var\r\n  i   : Integer;\r\n  Name: string = 'a:b';"},
        {"  kA = 1;\r\n  kLonger = 2;", "  kA      = 1;\r\n  kLonger = 2;"},  // no keyword: the first mark
        {"if a <= b then x\r\n", "if a <= b then x\r\n"},
        {"const\r\n  k = 1;\r\n  kMore >= 2;", "const\r\n  k = 1;\r\n  kMore >= 2;"},  // >= is no mark
        {"", ""},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(AlignAssignments(in), out) << in;
        EXPECT_EQ(AlignAssignments(out), out) << in;
    }
}

TEST(ReverseTest, TargetAndValueChangePlacesKeepingEverythingAround) {
    const std::pair<std::string, std::string> cases[] = {
        {"  Edit1.Text := s;  // show it\r\n", "  s := Edit1.Text;  // show it\r\n"},
        {"a[i + 1]:=  F(x, ';') ;", "F(x, ';'):=  a[i + 1] ;"},
        {"x := y { no semicolon }", "y := x { no semicolon }"},
        {"if x then a := b;\r\nbegin", "if x then a := b;\r\nbegin"},  // not one designator
        {"x := ;\r\n:= 1;\r\ns := 'a := b'", "x := ;\r\n:= 1;\r\n'a := b' := s"},
        {"Inc(i);j := 0;", "Inc(i);j := 0;"},  // the statement before stays in front
        {"  for i := 0 to n - 1 do // all\r\n", "  for i := n - 1 downto 0 do // all\r\n"},
        {"FOR i:=Low(a)  DownTo 1 do begin", "FOR i:=1  to Low(a) do begin"},
        {"for i := 0 to do\r\nfor s in l do", "for i := 0 to do\r\nfor s in l do"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ReverseAssignments(in), out) << in;
}

TEST(AlignOnTest, TheFirstTokenInCodeOfEachLineStandsInOneColumn) {
    const struct {
        std::string token, in, out;
    } cases[] = {
        {"=", "a = 1;\r\nif b >= c then Long = 2; // =\r\n's=' = 3;",
         "a                   = 1;\r\nif b >= c then Long = 2; // =\r\n's='                = 3;"},
        {"var", "x: VarCount; Var y\r\n{ var } var z", "x: VarCount; Var y\r\n{ var }      var z"},
        {"in", "if x in s\r\n\tif y in t",
         "if x         in s\r\n\tif y in t"},  // a tab counts to the next stop
        {"then", "{ if a\r\n then } if b then", "{ if a\r\n then } if b then"},  // a comment across lines
        {"", "a = 1;\r\nbb = 2;", "a = 1;\r\nbb = 2;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AlignOn(c.in, c.token), c.out) << c.in;
        EXPECT_EQ(AlignOn(c.out, c.token), c.out) << c.in;
    }
}

}  // namespace
}  // namespace tavrill
