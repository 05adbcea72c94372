// The harness and the sample editor on their own: if these fail, the tool bar's end-to-end tests
// cannot tell anything.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

TEST(SampleEditorE2ETest, EditorControlInATabControlAnswersCopyPasteAndUndo) {
    Session s({.editor = {.text = "begin\nend;", .tab = true}, .startToolBar = false});
    SampleEditor& editor = s.Editor();
    EXPECT_EQ(WindowText(editor.Window()), "Unit1.pas");
    HWND tab = GetWindow(editor.Window(), GW_CHILD);
    EXPECT_EQ(Children(editor.Window()), std::vector<HWND>{tab});
    EXPECT_EQ(ClassOf(tab), "TTabControl");
    EXPECT_EQ(Children(tab), std::vector<HWND>{editor.Control()});
    EXPECT_EQ(editor.Text(), "begin\r\nend;");  // LF alone is shown as a line break

    editor.SelectAll();
    ClearClipboard();
    SendMessageA(editor.Control(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "begin\r\nend;");
    SetClipboardText("Result := 0;");
    SendMessageA(editor.Control(), WM_PASTE, 0, 0);
    EXPECT_EQ(editor.Text(), "Result := 0;");
    SendMessageA(editor.Control(), WM_UNDO, 0, 0);
    EXPECT_EQ(editor.Text(), "begin\r\nend;");
}

}  // namespace
}  // namespace tavrill::e2e
