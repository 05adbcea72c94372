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
        {"var\r\n  i: Integer;\r\n  Name: string = 'a:b';",
         "var\r\n  i   : Integer;\r\n  Name: string = 'a:b';"},
        {"  kA = 1;\r\n  kLonger = 2;", "  kA      = 1;\r\n  kLonger = 2;"},  // no keyword: the first mark
        {"if a <= b then x\r\n", "if a <= b then x\r\n"},
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
        {"for i := 0 to 9 do\r\nbegin", "for i := 0 to 9 do\r\nbegin"},  // not one designator
        {"x := ;\r\n:= 1;\r\ns := 'a := b'", "x := ;\r\n:= 1;\r\n'a := b' := s"},
        {"", ""},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(ReverseAssignments(in), out) << in;
}

}  // namespace
}  // namespace tavrill
