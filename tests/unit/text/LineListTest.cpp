#include "text/LineList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "ErrorOf.h"
#include "TempFolder.h"
#include "base/Files.h"

namespace tavrill {
namespace {

using namespace std::string_literals;

std::string CrLf(const std::string& text) {
    return std::regex_replace(text, std::regex("\\|"), "\r\n");
}

TEST(LineListTest, LinesAreCutOnlyAtCrLf) {
    const std::tuple<std::string, std::ptrdiff_t, std::string> cases[] = {
        {"", 0, "|"},   {"a\rb\nc", 1, "a\rb\nc|"}, {"a\r\n\r\n", 2, "a|||"},      {"a\r\n", 1, "a||"},
        {"a", 1, "a|"}, {"\r\n", 1, "||"},          {"a\r\n\nb\n", 2, "a|\nb\n|"}, {"a\r\r\nb", 2, "a\r|b|"},
    };
    for (const auto& [text, lines, rows] : cases) {
        LineList list(text);
        std::string seen;
        for (std::ptrdiff_t i = -1; i <= list.RowCount(); ++i) seen += list.GetLine(i) + "|";
        EXPECT_EQ(list.LineCount(), lines) << text;
        EXPECT_EQ(CountLines(text), lines) << text;
        EXPECT_EQ(seen, "|" + rows + "|") << text;  // nothing outside the rows
        EXPECT_EQ(list.GetText(), text);
    }
}

TEST(LineListTest, EditsFollowTheEdgeRulesAndKeepEveryOtherBreak) {
    // Put: only an existing row, the empty one after a final break too. Insert: in front of row i,
    // else behind a non-empty row i - 1, else nowhere. Add: at the line count. Delete: the last
    // row loses only its bytes, the break in front of it stays. "|" stands for CR LF.
    const std::tuple<char, std::string, std::ptrdiff_t, std::string, std::string> cases[] = {
        {'P', "a||b|", 3, "x", "a||b|x"},
        {'P', "a|", 2, "x", "a|"},
        {'P', "a", -1, "x", "a"},
        {'P', "a|b", 0, "p|q", "p|q|b"},
        {'I', "a|b", 0, "x", "x|a|b"},
        {'I', "a|b", 2, "x", "a|b|x"},
        {'I', "a|", 1, "x", "a|x|"},
        {'I', "a|", 2, "x", "a|"},
        {'I', "a", -1, "x", "a"},
        {'I', "", 0, "x", "x|"},
        {'I', "", 1, "x", ""},
        {'I', "a|b|", 0, "|", "||a|b|"},
        {'A', "", 0, "", "|"},
        {'A', "a", 0, "", "a|"},
        {'A', "a|", 0, "x", "a|x|"},
        {'D', "x|y", 0, "", "y"},
        {'D', "x", 0, "", ""},
        {'D', "x|y", 1, "", "x|"},
        {'D', "x|", 1, "", "x|"},
        {'D', "x|y", 2, "", "x|y"},
        {'D', "x|y", -1, "", "x|y"},
        {'M', "a|b|c|", 0, "2", "b|c|a|"},
        {'M', "a|b|c|", 2, "0", "c|a|b|"},
        {'M', "a|b", 1, "0", "b|a|"},
        {'M', "a|b|", 1, "1", "a|b|"},
    };
    for (const auto& [op, text, at, s, expected] : cases) {
        LineList list(CrLf(text));
        if (op == 'P') list.PutLine(at, CrLf(s));
        if (op == 'I') list.InsertLine(at, CrLf(s));
        if (op == 'A') list.AddLine(s);
        if (op == 'D') list.DeleteLine(at);
        if (op == 'M') list.MoveLine(at, std::stoi(s));
        EXPECT_EQ(list.GetText(), CrLf(expected)) << op << " " << text << " at " << at;
    }
}

TEST(LineListTest, LoadFileNormalizesLoneCrAndLfSaveWritesBytesAndFailuresNameThePath) {
    const testing::TempFolder dir;
    const std::string in = dir.Folder() + "in.pas", out = dir.Folder() + "out.pas";
    ASSERT_TRUE(WriteFileBytes(in, "a\nb\rc\r\n\n\r\r\n\0\r"s));
    ASSERT_TRUE(WriteFileBytes(out, "a much longer earlier content"));
    LineList list;
    list.LoadFile(in);
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\n\r\n\r\n\r\n\0\r\n"s);
    list.SetText("x\ry");  // saved as is: only loading normalises
    list.SaveFile(out);
    EXPECT_EQ(ReadFileBytes(out), "x\ry");

    const std::string missing = dir.Folder() + "missing.pas";
    EXPECT_EQ(testing::ErrorOf([&] { list.LoadFile(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(list.GetText(), "x\ry");
    const std::string unwritable = dir.Folder() + "no-such-folder/out.pas";
    EXPECT_EQ(testing::ErrorOf([&] { list.SaveFile(unwritable); }), "Cannot create file " + unwritable);
}

}  // namespace
}  // namespace tavrill
