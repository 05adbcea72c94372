// The harness and the sample editor on their own: if these fail, the tool bar's end-to-end
// tests cannot tell anything.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

TEST(SampleEditorE2ETest, AnswersCopyPasteAndUndoFromAnotherProcess) {
    TempFolder folder;
    SampleEditor editor({}, folder.Path());
    editor.Focus();
    TypeText("begin\r\n  x := 1;\r\nend;");
    ASSERT_TRUE(WaitFor([&] { return editor.Text() == "begin\r\n  x := 1;\r\nend;"; })) << editor.Text();

    editor.SelectAll();
    ClearClipboard();
    SendMessageA(editor.Control(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "begin\r\n  x := 1;\r\nend;");

    SetClipboardText("Result := 0;");
    SendMessageA(editor.Control(), WM_PASTE, 0, 0);
    EXPECT_EQ(editor.Text(), "Result := 0;");

    SendMessageA(editor.Control(), WM_UNDO, 0, 0);
    EXPECT_EQ(editor.Text(), "begin\r\n  x := 1;\r\nend;");
}

TEST(SampleEditorE2ETest, CopiesNothingWithoutASelection) {
    TempFolder folder;
    SampleEditor editor({.text = "x := 1;"}, folder.Path());
    editor.Focus();
    SetClipboardText("earlier");
    SendMessageA(editor.Control(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "earlier");
}

TEST(SampleEditorE2ETest, ArrowKeysSelectARangeAcrossLines) {
    TempFolder folder;
    SampleEditor editor({.text = "my_var := some_func(x);\r\nnext_line;"}, folder.Path());
    editor.SelectRange(10, 9);
    ClearClipboard();
    SendMessageA(editor.Control(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "some_func");

    editor.SelectRange(20, 8);  // the line break counts as one position
    SendMessageA(editor.Control(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "x);\r\nnext");
}

struct Layout {
    const char* name;
    EditorOptions options;
    std::vector<std::string> children;     // classes of the editor window's children, top first
    std::vector<std::string> tabChildren;  // classes of the TTabControl's children
};

class SampleEditorLayoutE2ETest : public ::testing::TestWithParam<Layout> {};

TEST_P(SampleEditorLayoutE2ETest, PutsTheEditorControlWhereAskedAndOpensTheFile) {
    const Layout& layout = GetParam();
    TempFolder folder;
    EditorOptions options = layout.options;
    options.text = "unit Unit1;\r\n\r\nend.";
    SampleEditor editor(options, folder.Path());

    EXPECT_EQ(WindowText(editor.Window()), "Unit1.pas");
    std::vector<std::string> children, tabChildren;
    for (HWND child : Children(editor.Window())) {
        children.push_back(ClassOf(child));
        if (ClassOf(child) != "TTabControl") continue;
        for (HWND inner : Children(child)) tabChildren.push_back(ClassOf(inner));
    }
    EXPECT_EQ(children, layout.children);
    EXPECT_EQ(tabChildren, layout.tabChildren);
    EXPECT_EQ(editor.Text(), "unit Unit1;\r\n\r\nend.");
}

INSTANTIATE_TEST_SUITE_P(
    Options, SampleEditorLayoutE2ETest,
    ::testing::Values(Layout{"plain", {}, {"TEditControl"}, {}},
                      Layout{"second", {.second = true}, {"TEditControl", "TEditControl"}, {}},
                      Layout{"tab", {.tab = true}, {"TTabControl"}, {"TEditControl"}},
                      Layout{"tabSecond",
                             {.tab = true, .tabSecond = true},
                             {"TTabControl"},
                             {"TTabSheet", "TEditControl"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(SampleEditorE2ETest, UnixLineEndsAreShownAsLines) {
    TempFolder folder;
    SampleEditor editor({.text = "begin\nend;\n"}, folder.Path());
    EXPECT_EQ(editor.Text(), "begin\r\nend;\r\n");
}

}  // namespace
}  // namespace tavrill::e2e
