#include "app/TextCommands.h"

#include <gtest/gtest.h>

#include "bridge/EditorFixture.h"

namespace tavrill {
namespace {

struct TextCommandsTest : testing::EditorFixture {
    LineList memo;
};

TEST_F(TextCommandsTest, CaseCommandsConvertTheSelectionAndNeverAnEarlierText) {
    const std::pair<CaseConversion, std::string> cases[] = {
        {CaseConversion::Upper, "MY_VAR := SOME_FUNC(X);"},
        {CaseConversion::Lower, "my_var := some_func(x);"},
        {CaseConversion::Title, "My_Var := Some_Func(X);"},
        {CaseConversion::Flip, "MY_VAR := SOME_fUNC(X);"},
    };
    bridge.WorkingText() = "earlier result";
    CaseCommand(bridge, CaseConversion::Upper);
    EXPECT_EQ(bridge.WorkingText(), "");
    Start();
    for (const auto& [conversion, expected] : cases) {
        Select("my_var := some_Func(x);");
        CaseCommand(bridge, conversion);
        EXPECT_EQ(host.Window(control).text, expected);
        EXPECT_EQ(bridge.WorkingText(), expected);
    }
    Select("");  // an empty selection is nothing to convert either
    CaseCommand(bridge, CaseConversion::Upper);
    EXPECT_EQ(host.Window(control).undoStack.size(), 4u);  // one undo step for each paste
}

TEST_F(TextCommandsTest, CommentCommandsWorkOnAnEarlierTextWhenTheFetchFindsNone) {
    bridge.WorkingText() = "a\r\n\r\nb";
    CommentSlashCommand(bridge, memo);
    EXPECT_EQ(host.Clipboard(), "//a\r\n//\r\n//b");
    EXPECT_EQ(memo.GetText(), "//a\r\n//\r\n//b");
    EXPECT_EQ(bridge.WorkingText(), "");

    CommentSlashCommand(bridge, memo);  // now the working text is empty, and that is delivered
    EXPECT_EQ(host.Clipboard(), "");
    CommentBraceCommand(bridge);
    EXPECT_EQ(host.Clipboard(), "{  }");
    bridge.WorkingText() = "x := 0;\r\n";
    CommentBraceCommand(bridge);
    EXPECT_EQ(host.Clipboard(), "{ x := 0;\r\n }");
    CommentParenCommand(bridge);
    EXPECT_EQ(host.Clipboard(), "(* x := 0;\r\n *)");
    EXPECT_EQ(bridge.WorkingText(), "x := 0;\r\n");
}

TEST_F(TextCommandsTest, UncommentLeavesTheWorkingTextAsEachCaseSays) {
    // The text to select, what is delivered (nothing: the editor keeps it), the working text after.
    const std::tuple<std::string, std::optional<std::string>, std::string> cases[] = {
        {"  { x := 0; }\r\n", "x := 0;", " x := 0; "}, {"(*\r\nx *)", "x", "\r\nx "},
        {"//a\r\n//  b\r\n", "a\r\n  b", ""},          {"  { a }\r\n// b", std::nullopt, "{ a }\r\n// b"},
        {"(a) // b", std::nullopt, "(a) // b"},        {" \r\n\t", std::nullopt, ""},
    };
    Start();
    for (const auto& [selection, delivered, workingText] : cases) {
        Select(selection);
        UncommentCommand(bridge, memo);
        EXPECT_EQ(host.Window(control).text, delivered.value_or(selection)) << selection;
        EXPECT_EQ(bridge.WorkingText(), workingText) << selection;
    }
    EXPECT_EQ(host.Window(control).undoStack.size(), 3u);
    EXPECT_TRUE(host.boxes.empty());
}

struct FakeIndentDialog : IndentDialog {
    std::optional<std::string> shown, result;  // result: what OK gives back, or nothing on Cancel
    std::optional<std::string> Run(std::string_view text) override {
        shown = std::string(text);
        return result;
    }
};

TEST_F(TextCommandsTest, IndentShowsTheFetchedOrEarlierTextAndDeliversOnlyOnOk) {
    FakeIndentDialog dialog;
    dialog.result = "  earlier";
    bridge.WorkingText() = "earlier";
    IndentCommand(bridge, dialog);
    EXPECT_EQ(dialog.shown, "earlier");
    EXPECT_EQ(host.Clipboard(), "  earlier");

    Start();
    Select("a\r\n  b\r\n");
    dialog.result = "  a\r\n    b\r\n";
    IndentCommand(bridge, dialog);
    EXPECT_EQ(dialog.shown, "a\r\n  b\r\n");
    EXPECT_EQ(host.Window(control).text, "  a\r\n    b\r\n");
    EXPECT_EQ(bridge.WorkingText(), "a\r\n  b\r\n");

    dialog.result.reset();
    Select("  c");
    IndentCommand(bridge, dialog);
    EXPECT_EQ(host.Window(control).text, "  c");
    EXPECT_EQ(host.Window(control).undoStack.size(), 1u);
}

}  // namespace
}  // namespace tavrill
