#include "app/RewriteCommands.h"

#include <gtest/gtest.h>

#include "bridge/EditorFixture.h"

namespace tavrill {
namespace {

struct FakeNameDialog : BlockNameDialog {
    std::optional<std::string> answer;  // nothing: Cancel
    std::optional<std::string> Run() override { return answer; }
};

struct RewriteCommandsTest : testing::EditorFixture {};

TEST_F(RewriteCommandsTest, FormatRewritesDeliverTheirResultAndNeverAnEarlierText) {
    bridge.WorkingText() = "b := a;";  // no editor yet: the fetch finds nothing, so nothing is rewritten
    FormatRewriteCommand(bridge, FormatRewrite::ReverseAssignments);
    EXPECT_EQ(host.Clipboard(), std::nullopt);
    EXPECT_EQ(bridge.WorkingText(), "");

    Start();
    Select("'it''s'");
    FormatRewriteCommand(bridge, FormatRewrite::UnquoteString);
    EXPECT_EQ(EditorText(), "it's");
    EXPECT_EQ(bridge.WorkingText(), "it's");
    Select("it's");  // not a string expression: the editor keeps the text
    FormatRewriteCommand(bridge, FormatRewrite::UnquoteString);
    EXPECT_EQ(EditorText(), "it's");
    EXPECT_EQ(host.Window(control).undoStack.size(), 1u);
}

TEST_F(RewriteCommandsTest, GuardBlocksGoAroundTheSelectionAndCancelDeliversNothing) {
    Start();
    Select("  Free;");
    TryBlockCommand(bridge, false);
    EXPECT_EQ(EditorText(), "  try\r\n    Free;\r\n  finally\r\n\r\n  end;\r\n");
    EXPECT_EQ(bridge.WorkingText(), EditorText());

    FakeNameDialog dialog;
    Select("Log;");
    IfDefCommand(bridge, dialog);
    EXPECT_EQ(EditorText(), "Log;");
    EXPECT_EQ(host.Window(control).undoStack.size(), 1u);
    dialog.answer = "DEBUG";
    IfDefCommand(bridge, dialog);
    EXPECT_EQ(EditorText(), "{$IFDEF DEBUG}\r\n  Log;\r\n{$ENDIF}\r\n");
    Select("");
    dialog.answer = "Helpers";
    RegionCommand(bridge, dialog);
    EXPECT_EQ(EditorText(), "{$REGION 'Helpers'}\r\n{$ENDREGION}\r\n");
}

}  // namespace
}  // namespace tavrill
