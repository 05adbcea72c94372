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

// Every row of the list followed by "|", to compare with a table.
std::string Rows(const LineList& list) {
    std::string rows;
    for (std::ptrdiff_t i = 0; i < list.RowCount(); ++i) rows += list.GetLine(i) + "|";
    return rows;
}

TEST(LineListTest, LinesAreCutOnlyAtCrLf) {
    const std::tuple<std::string, std::ptrdiff_t, std::string> cases[] = {
        {"", 0, "|"},   {"a\rb\nc", 1, "a\rb\nc|"}, {"a\r\n\r\n", 2, "a|||"},      {"a\r\n", 1, "a||"},
        {"a", 1, "a|"}, {"\r\n", 1, "||"},          {"a\r\n\nb\n", 2, "a|\nb\n|"}, {"a\r\r\nb", 2, "a\r|b|"},
    };
    for (const auto& [text, lines, rows] : cases) {
        LineList list(text);
        EXPECT_EQ(list.LineCount(), lines) << text;
        EXPECT_EQ(CountLines(text), lines) << text;
        EXPECT_EQ(Rows(list), rows) << text;
        EXPECT_EQ(list.GetLine(-1) + list.GetLine(list.RowCount()), "");
        EXPECT_EQ(list.GetText(), text);
    }
}

TEST(LineListTest, PutLineRewritesInPlaceAndKeepsEveryBreak) {
    LineList list("a\r\n\r\nb\r\n");
    for (std::ptrdiff_t i = 0; i < list.LineCount(); ++i) list.PutLine(i, "//" + list.GetLine(i));
    EXPECT_EQ(list.GetText(), "//a\r\n//\r\n//b\r\n");
    list.PutLine(3, "x");  // the empty row after the final break is a row
    list.PutLine(4, "y");
    list.PutLine(-1, "y");
    EXPECT_EQ(list.GetText(), "//a\r\n//\r\n//b\r\nx");
    list.PutLine(0, "p\r\nq");  // a line given with CR LF inside becomes several rows
    EXPECT_EQ(Rows(list), "p|q|//|//b|x|");
}

TEST(LineListTest, InsertAddDeleteAndMoveFollowTheEdgeRules) {
    const auto crlf = [](const std::string& text) {
        return std::regex_replace(text, std::regex("\\|"), "\r\n");
    };
    // Insert: in front of row i, else behind a non-empty row i - 1, else nowhere. Add: at the line
    // count. Delete: the last row loses only its bytes, the break in front of it stays.
    const std::tuple<char, std::string, std::ptrdiff_t, std::string> cases[] = {
        {'I', "a|b", 0, "x|a|b"}, {'I', "a|b", 1, "a|x|b"}, {'I', "a|b", 2, "a|b|x"}, {'I', "a|", 1, "a|x|"},
        {'I', "a|", 2, "a|"},     {'I', "a", 3, "a"},       {'I', "a", -1, "a"},      {'I', "", 0, "x|"},
        {'I', "", 1, ""},         {'A', "", 0, "x|"},       {'A', "a", 0, "a|x"},     {'A', "a|", 0, "a|x|"},
        {'D', "x|y", 0, "y"},     {'D', "x", 0, ""},        {'D', "x|y", 1, "x|"},    {'D', "x|", 1, "x|"},
        {'D', "x|y", 2, "x|y"},   {'D', "x|y", -1, "x|y"},
    };
    for (const auto& [op, text, at, expected] : cases) {
        LineList list(crlf(text));
        if (op == 'I') list.InsertLine(at, "x");
        if (op == 'A') list.AddLine("x");
        if (op == 'D') list.DeleteLine(at);
        EXPECT_EQ(list.GetText(), crlf(expected)) << op << " " << text << " at " << at;
    }

    LineList list;
    list.AddLine("");
    EXPECT_EQ(list.GetText(), "\r\n");
    list.SetText("a");
    list.AddLine("");
    list.AddLine("b");
    EXPECT_EQ(list.GetText(), "a\r\nb\r\n");  // the empty string left no line between them
    list.InsertLine(0, "\r\n");
    EXPECT_EQ(Rows(list), "||a|b||");

    list.SetText("a\r\nb\r\nc\r\n");
    list.MoveLine(0, 2);
    EXPECT_EQ(list.GetText(), "b\r\nc\r\na\r\n");
    list.MoveLine(2, 0);
    list.MoveLine(1, 1);
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\n");
    list.SetText("a\r\nb");
    list.MoveLine(1, 0);
    EXPECT_EQ(list.GetText(), "b\r\na\r\n");
}

TEST(LineListTest, LoadFileNormalizesLoneCrAndLfSaveWritesBytesAndFailuresNameThePath) {
    const testing::TempFolder dir;
    const std::filesystem::path& folder = dir.path;
    const std::string in = (folder / "in.pas").string();
    const std::string out = (folder / "out.pas").string();
    ASSERT_TRUE(WriteFileBytes(in, "a\nb\rc\r\n\n\r\r\n\0\r"s));
    ASSERT_TRUE(WriteFileBytes(out, "a much longer earlier content"));
    LineList list;
    list.LoadFile(in);
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\n\r\n\r\n\r\n\0\r\n"s);
    list.SetText("x\ry");  // saved as is: only loading normalises
    list.SaveFile(out);
    EXPECT_EQ(ReadFileBytes(out), "x\ry");

    const std::string missing = (folder / "missing.pas").string();
    EXPECT_EQ(testing::ErrorOf([&] { list.LoadFile(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(list.GetText(), "x\ry");
    const std::string unwritable = (folder / "no-such-folder" / "out.pas").string();
    EXPECT_EQ(testing::ErrorOf([&] { list.SaveFile(unwritable); }), "Cannot create file " + unwritable);
}

}  // namespace
}  // namespace tavrill
