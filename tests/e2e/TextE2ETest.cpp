// The format menu's comment, uncomment and indent commands from the user's side: the selection
// in the editor is replaced, the indent dialog keeps the direction but not the number, and
// every way out of it but OK leaves the editor alone.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr Millis kSettle{800};

// The format menu: "&Case", "&Indent / unindent", "&Comment out", "U&ncomment". "&Comment out"
// shares its key with "&Case", so it is reached from the last item with the arrow keys; its
// items are "&use //", "u&se {...}" and "us&e  (*...*)".
void CommentOut(Session& s, WORD item) {
    s.ChooseFromMenu(kFormatButton, {VK_END, VK_UP, VK_RIGHT, item});
}
void Uncomment(Session& s) {
    s.ChooseFromMenu(kFormatButton, {'N'});
}

bool EditorShows(Session& s, const std::string& text) {
    return WaitFor([&] { return s.Editor().Text() == text; });
}

// The editor's text after a command that must not paste anything.
bool EditorStays(Session& s, const std::string& text) {
    Pause(kSettle);
    return s.Editor().Text() == text;
}

struct IndentDialogView {
    HWND window = nullptr;
    HWND memo = nullptr;
    HWND spin = nullptr;
    HWND indent = nullptr;
    HWND unindent = nullptr;
};

// Selects the whole editor text and opens "Indent / unindent".
IndentDialogView OpenIndent(Session& s) {
    s.Editor().SelectAll();
    s.WaitForTarget();
    s.ChooseFromMenu(kFormatButton, {'I'});
    IndentDialogView d;
    d.window = s.WaitForDialog("Indent");
    if (!d.window) throw HarnessError("no dialog \"Indent\"");
    for (HWND c : Children(d.window)) {
        if (ClassOf(c) != "Edit") continue;
        (d.memo ? d.spin : d.memo) = c;  // the text box comes first
    }
    d.indent = FindDescendantByText(d.window, "&Indent");
    d.unindent = FindDescendantByText(d.window, "&Unindent");
    if (!d.memo || !d.spin || !d.indent || !d.unindent) throw HarnessError("indent dialog incomplete");
    return d;
}

bool Checked(HWND button) {
    return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool Closed(HWND window) {
    return WaitFor([&] { return !IsWindowVisible(window); });
}

TEST(IndentE2ETest, TextEditedInTheDialogIsIndentedOnOk) {
    Session s({.editor = {.text = "a\r\n  b"}});
    const IndentDialogView d = OpenIndent(s);
    EXPECT_EQ(WindowText(d.memo), "a\r\n  b");
    EXPECT_EQ(WindowText(d.spin), "2");
    EXPECT_TRUE(Checked(d.indent));
    EXPECT_FALSE(Checked(d.unindent));

    // The keyboard is in the text box, where Enter starts a new line instead of pressing OK.
    PressChord({VK_CONTROL, VK_END});
    TypeText("\r\nc");
    EXPECT_TRUE(WaitFor([&] { return WindowText(d.memo) == "a\r\n  b\r\nc"; })) << WindowText(d.memo);
    EXPECT_TRUE(IsWindowVisible(d.window));
    ClickWindow(FindDescendantByText(d.window, "OK"));
    EXPECT_TRUE(Closed(d.window));
    EXPECT_TRUE(EditorShows(s, "  a\r\n    b\r\n  c")) << s.Editor().Text();
}

TEST(IndentE2ETest, SecondOpeningShowsTwoBlanksAndTheLastDirection) {
    Session s({.editor = {.text = "    a\r\n b\r\nc"}});
    IndentDialogView d = OpenIndent(s);
    ClickWindow(d.unindent);
    ClickWindow(d.spin);
    PressKeys({VK_HOME});
    PressChord({VK_SHIFT, VK_END});
    TypeText("4");
    ClickWindow(FindDescendantByText(d.window, "OK"));
    EXPECT_TRUE(Closed(d.window));
    EXPECT_TRUE(EditorShows(s, "a\r\nb\r\nc")) << s.Editor().Text();

    d = OpenIndent(s);
    EXPECT_EQ(WindowText(d.memo), "a\r\nb\r\nc");
    EXPECT_EQ(WindowText(d.spin), "2");
    EXPECT_TRUE(Checked(d.unindent));
    EXPECT_FALSE(Checked(d.indent));
    ClickWindow(FindDescendantByText(d.window, "OK"));
    EXPECT_TRUE(Closed(d.window));
    EXPECT_TRUE(EditorStays(s, "a\r\nb\r\nc")) << s.Editor().Text();
}

TEST(IndentE2ETest, CancelEscapeAndAltF4DeliverNothingEvenAfterEdits) {
    const std::string text = "a\r\nb";
    Session s({.editor = {.text = text}});
    const auto leave = [&](const char* how, const std::function<void(const IndentDialogView&)>& close) {
        const IndentDialogView d = OpenIndent(s);
        TypeText("typed ");  // into the text box, which has the keyboard
        close(d);
        EXPECT_TRUE(Closed(d.window)) << how;
        EXPECT_TRUE(EditorStays(s, text)) << how << ": " << s.Editor().Text();
        EXPECT_TRUE(s.NoMessageBoxFor(Millis{200})) << how;
    };
    leave("Cancel", [](const IndentDialogView& d) { ClickWindow(FindDescendantByText(d.window, "Cancel")); });
    leave("Escape", [](const IndentDialogView&) { PressKeys({VK_ESCAPE}); });
    leave("Alt+F4", [](const IndentDialogView&) { PressChord({VK_MENU, VK_F4}); });
    EXPECT_TRUE(s.ToolBarRunning());
}

TEST(CommentE2ETest, SlashesGoInFrontOfEveryLineAndUncommentTakesThemAway) {
    Session s({.editor = {.text = "a := 1;\r\n\r\n  b := 2;\r\n"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    CommentOut(s, 'U');
    EXPECT_TRUE(EditorShows(s, "//a := 1;\r\n//\r\n//  b := 2;\r\n")) << s.Editor().Text();

    s.Editor().SelectAll();
    Uncomment(s);
    // Trimmed before the lines are looked at, so the final line break is gone.
    EXPECT_TRUE(EditorShows(s, "a := 1;\r\n\r\n  b := 2;")) << s.Editor().Text();
}

TEST(CommentE2ETest, BracesAndParenthesisStarsWrapTheSelection) {
    Session s({.editor = {.text = "x := 0;"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    CommentOut(s, 'S');
    EXPECT_TRUE(EditorShows(s, "{ x := 0; }")) << s.Editor().Text();
    s.Editor().SelectAll();
    Uncomment(s);
    EXPECT_TRUE(EditorShows(s, "x := 0;")) << s.Editor().Text();

    s.Editor().SelectAll();
    CommentOut(s, 'E');
    EXPECT_TRUE(EditorShows(s, "(* x := 0; *)")) << s.Editor().Text();
    s.Editor().SelectAll();
    Uncomment(s);
    EXPECT_TRUE(EditorShows(s, "x := 0;")) << s.Editor().Text();
}

TEST(CommentE2ETest, UncommentLeavesAnUnclosedCommentAloneAndSaysNothing) {
    const std::string text = "{ a }\r\n// b";
    Session s({.editor = {.text = text}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    Uncomment(s);
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));
    EXPECT_EQ(s.Editor().Text(), text);
}

}  // namespace
}  // namespace tavrill::e2e
