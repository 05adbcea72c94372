#include "text/LineList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "base/Error.h"
#include "base/Files.h"

namespace tavrill {
namespace {

TEST(LineListTest, LinesAreCutOnlyAtCrLf) {
    struct Case {
        std::string text;
        std::ptrdiff_t lines;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"", 0, {""}},
        {"a", 1, {"a"}},
        {"a\r\n", 1, {"a", ""}},
        {"a\r\n\r\n", 2, {"a", "", ""}},
        {"\r\n", 1, {"", ""}},
        {"a\rb\nc", 1, {"a\rb\nc"}},
        {"a\r\r\nb", 2, {"a\r", "b"}},
        {"a\r\n\nb\n", 2, {"a", "\nb\n"}},
    };
    for (const Case& c : cases) {
        LineList list(c.text);
        EXPECT_EQ(list.LineCount(), c.lines) << c.text;
        EXPECT_EQ(CountLines(c.text), c.lines) << c.text;
        ASSERT_EQ(list.RowCount(), static_cast<std::ptrdiff_t>(c.rows.size())) << c.text;
        for (std::size_t i = 0; i < c.rows.size(); ++i) EXPECT_EQ(list.GetLine(i), c.rows[i]) << c.text;
        EXPECT_EQ(list.GetLine(-1), "");
        EXPECT_EQ(list.GetLine(list.RowCount()), "");
        EXPECT_EQ(list.GetText(), c.text);
    }
}

TEST(LineListTest, PutLineRewritesInPlaceAndKeepsEveryBreak) {
    LineList list("a\r\n\r\nb\r\n");
    for (std::ptrdiff_t i = 0; i < list.LineCount(); ++i) list.PutLine(i, "//" + list.GetLine(i));
    EXPECT_EQ(list.GetText(), "//a\r\n//\r\n//b\r\n");
    list.PutLine(3, "x");  // the empty row after the final break is a row
    EXPECT_EQ(list.GetText(), "//a\r\n//\r\n//b\r\nx");
    list.PutLine(4, "y");
    list.PutLine(-1, "y");
    EXPECT_EQ(list.GetText(), "//a\r\n//\r\n//b\r\nx");
}

TEST(LineListTest, ALineGivenWithCrLfInsideBecomesSeveralRows) {
    LineList list("a\r\nb");
    list.PutLine(0, "x\r\ny");
    EXPECT_EQ(list.LineCount(), 3);
    EXPECT_EQ(list.GetLine(2), "b");
    list.InsertLine(0, "\r\n");
    EXPECT_EQ(list.GetText(), "\r\n\r\nx\r\ny\r\nb");
    EXPECT_EQ(list.GetLine(3), "y");
}

TEST(LineListTest, InsertAndAddFollowTheEdgeRules) {
    struct Case {
        std::string text;
        std::ptrdiff_t at;
        std::string line;
        std::string expected;
    };
    const Case inserts[] = {
        {"a\r\nb", 0, "x", "x\r\na\r\nb"},
        {"a\r\nb", 1, "x", "a\r\nx\r\nb"},
        {"a\r\nb", 2, "x", "a\r\nb\r\nx"},  // after a non-empty last row
        {"a\r\n", 1, "x", "a\r\nx\r\n"},    // in front of the empty last row
        {"a\r\n", 2, "x", "a\r\n"},         // row 1 exists but is empty
        {"a", 3, "x", "a"},
        {"a", -1, "x", "a"},
        {"", 0, "x", "x\r\n"},
        {"", 1, "x", ""},
    };
    for (const Case& c : inserts) {
        LineList list(c.text);
        list.InsertLine(c.at, c.line);
        EXPECT_EQ(list.GetText(), c.expected) << c.text << " at " << c.at;
    }

    const Case adds[] = {
        {"", 0, "b", "b\r\n"}, {"a", 0, "b", "a\r\nb"}, {"a\r\n", 0, "b", "a\r\nb\r\n"},
        {"a", 0, "", "a\r\n"}, {"", 0, "", "\r\n"},
    };
    for (const Case& c : adds) {
        LineList list(c.text);
        list.AddLine(c.line);
        EXPECT_EQ(list.GetText(), c.expected) << c.text << " + " << c.line;
    }

    LineList list("a");
    list.AddLine("");
    list.AddLine("b");
    EXPECT_EQ(list.GetText(), "a\r\nb\r\n");  // the empty string left no line between them
}

TEST(LineListTest, DeleteAndMoveFollowTheEdgeRules) {
    struct Case {
        std::string text;
        std::ptrdiff_t at;
        std::string expected;
    };
    const Case deletes[] = {
        {"x\r\ny", 0, "y"},      {"x", 0, ""},
        {"x\r\ny", 1, "x\r\n"},  {"x\r\n", 1, "x\r\n"},
        {"x\r\ny", 2, "x\r\ny"}, {"x\r\ny", -1, "x\r\ny"},
    };
    for (const Case& c : deletes) {
        LineList list(c.text);
        list.DeleteLine(c.at);
        EXPECT_EQ(list.GetText(), c.expected) << c.text << " at " << c.at;
    }

    LineList list("a\r\nb\r\nc\r\n");
    list.MoveLine(0, 2);
    EXPECT_EQ(list.GetText(), "b\r\nc\r\na\r\n");
    list.MoveLine(2, 0);
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\n");
    list.MoveLine(1, 1);
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\n");

    LineList last("a\r\nb");
    last.MoveLine(1, 0);  // the last row leaves its bytes only; its break stays in front of it
    EXPECT_EQ(last.GetText(), "b\r\na\r\n");
}

TEST(LineListTest, NormalizingTurnsLoneCrAndLfIntoCrLf) {
    EXPECT_EQ(NormalizeLineBreaks("a\rb\nc\r\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(NormalizeLineBreaks("\n\r"), "\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\r"), "\r\n");
    EXPECT_EQ(NormalizeLineBreaks(""), "");
    EXPECT_EQ(NormalizeLineBreaks(std::string("a\0b", 3)), std::string("a\0b", 3));
}

// The message the user would read, or empty when nothing was thrown.
template <class Action>
std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

TEST(LineListFileTest, LoadNormalizesSaveWritesBytesAndFailuresNameThePath) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("tavrill-lines-" + std::to_string(std::random_device()()));
    std::filesystem::create_directories(folder);
    const std::string in = (folder / "in.pas").string();
    const std::string out = (folder / "out.pas").string();
    ASSERT_TRUE(WriteFileBytes(in, "a\nb\rc\r\n"));
    ASSERT_TRUE(WriteFileBytes(out, "a much longer earlier content"));

    LineList list;
    list.LoadFile(in);
    EXPECT_EQ(list.GetText(), "a\r\nb\r\nc\r\n");
    list.SetText("x\ry");  // saved as is: only loading normalises
    list.SaveFile(out);
    EXPECT_EQ(ReadFileBytes(out), "x\ry");

    const std::string missing = (folder / "missing.pas").string();
    EXPECT_EQ(ErrorOf([&] { list.LoadFile(missing); }), "Cannot open file " + missing);
    EXPECT_EQ(list.GetText(), "x\ry");
    const std::string unwritable = (folder / "no-such-folder" / "out.pas").string();
    EXPECT_EQ(ErrorOf([&] { list.SaveFile(unwritable); }), "Cannot create file " + unwritable);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tavrill
