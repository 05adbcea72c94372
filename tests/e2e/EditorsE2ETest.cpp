// The editors of today through the tool bar: the editor docked in the IDE's main window, a control
// that answers only keystrokes, another program's editor with "Any editor", and text beyond the
// ANSI code page from the editor through the commands and the stash and back.

#include <gtest/gtest.h>

#include "Harness.h"
#include "win32/Utf.h"

namespace tavrill::e2e {
namespace {

TEST(DockedE2ETest, TheDockedEditorIsFoundAndAnsweredWithTwoFilesOpen) {
    Session s({.editor = {.text = "my_var := 1;", .modes = "--docked --second"}});
    SampleEditor& e = s.Editor();
    EXPECT_EQ(ClassOf(e.Window()), "TAppBuilder");
    EXPECT_EQ(ClassOf(GetParent(GetParent(GetParent(e.Control())))), "TEditWindow");
    s.CaseCommand('U');
    EXPECT_TRUE(s.Editor().Shows("MY_VAR := 1;")) << e.Text();
    EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); }));
}

TEST(KeysOnlyE2ETest, AnEditorThatIgnoresOtherProgramsGetsCopyPasteAndUndoAsKeys) {
    Session s({.editor = {.text = "my_var := some_func(x);", .modes = "--keys-only"}});
    SampleEditor& e = s.Editor();
    e.SelectAll();
    SendMessageA(e.Control(), WM_COPY, 0, 0);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT))
        << "the sample editor took WM_COPY from the harness";

    s.CaseCommand('U');
    EXPECT_TRUE(s.Editor().Shows("MY_VAR := SOME_FUNC(X);")) << e.Text();
    // Undo types Ctrl+Z into the editor, which comes to the front for it.
    ForeignWindow notes;
    notes.Activate();
    s.WaitForTarget();
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(s.Editor().Shows("my_var := some_func(x);")) << e.Text();
    EXPECT_TRUE(IsForeground(e.Window()));
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));
}

TEST(AnyEditorE2ETest, AnotherEditorIsRefusedUntilAnyEditorIsTurnedOn) {
    Session s({.editor = {.text = "x := 1;", .modes = "--other"}});
    s.CaseCommand('U');
    EXPECT_EQ(s.AnswerBox(), kNotAnEditor);
    EXPECT_EQ(s.Editor().Text(), "x := 1;");

    s.ChooseFromMenu(kMainButton, {'A'});
    EXPECT_TRUE(WaitFor([&] {
        return s.ReadProgramFile("tavrill.ini").value_or("").find("AnyEditor=1") != std::string::npos;
    }));
    s.CaseCommand('U');
    EXPECT_TRUE(s.Editor().Shows("X := 1;")) << s.Editor().Text();
}

void CopyFromStash(Session& s, int item, const std::string& shown) {
    s.Command(kLoadButton);
    const Dialog b = s.AwaitDialog("Your code stash");
    const HWND list = b.Controls("listbox").at(0), preview = b.Controls("richedit").at(0);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    ClickAt({r.left + 40, (r.top + r.bottom) / 2});
    EXPECT_TRUE(WaitFor([&] { return WindowText(preview) == shown; })) << WindowText(preview);
    b.Click("C&OPY");
    EXPECT_TRUE(b.Closes());
}

// Greek, Czech, a check mark and a character beyond the basic plane go through a case command,
// the indent dialog, a generated block, a stash save and the copy back; and a
// snippet file of an earlier version, in the ANSI code page, comes back as it was written.
TEST(UnicodeE2ETest, TextBeyondTheAnsiCodePageSurvivesEveryStep) {
    const std::string line = "Počet := 'Ωμέγα ✓ \xF0\x9F\x98\x80';";
    const std::string ansiSnippet = "s := 'caf\xE9';";
    Session s({.editor = {.text = line, .modes = "--unicode"},
               .files = {{"stash\\old.pas", "//TAVRILL:old\r\n" + ansiSnippet + "\r\n"}}});
    s.CaseCommand('U');
    std::string text = "POčET := 'Ωμέγα ✓ \xF0\x9F\x98\x80';";
    ASSERT_TRUE(s.Editor().Shows(text)) << s.Editor().Text();

    s.Command(kFormatButton, {'I'});
    const Dialog indent = s.AwaitDialog("Indent");
    EXPECT_EQ(WindowText(indent.Controls("edit").at(0)), text);
    indent.Click("OK");
    text = "  " + text;
    ASSERT_TRUE(s.Editor().Shows(text)) << s.Editor().Text();

    s.Command(kBlocksButton, {'W'});
    const Dialog with = s.AwaitDialog("Insert Repeat / While / With");
    with.Click("&with...end");
    if (!with.Checked("&surround existing code")) with.Click("&surround existing code");
    ClickWindow(with.Controls("edit").at(0));
    PressChord({VK_CONTROL, 'A'});
    TypeText("Ωμέγα");
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] {
        const std::string now = s.Editor().Text();
        return now.find("with Ωμέγα do") != std::string::npos && now.find(text) != std::string::npos;
    })) << s.Editor().Text();
    text = s.Editor().Text();

    s.Command(kStashButton);
    const Dialog save = s.AwaitDialog("Save code to stash");
    EXPECT_EQ(WindowText(save.Controls("edit").at(2)), text);
    TypeText("uni");
    ClickWindow(save.Controls("edit").at(1));
    TypeText("Ωμέγα ✓");
    save.Click("OK");
    ASSERT_TRUE(save.Closes());
    const std::string stored =
        "\xEF\xBB\xBF//TAVRILL:Ωμέγα ✓\r\n" + text + (text.ends_with("\r\n") ? "" : "\r\n");
    EXPECT_EQ(s.ReadProgramFile("stash\\uni.pas"), stored);

    s.Editor().SelectAll();
    PressKeys({VK_DELETE});
    CopyFromStash(s, 1, stored.substr(3));
    EXPECT_TRUE(s.Editor().Shows(stored.substr(stored.find("\r\n") + 2))) << s.Editor().Text();

    const std::string ansiText = AnsiToUtf8(ansiSnippet);  // "café" in code page 1252
    CopyFromStash(s, 0, "//TAVRILL:old\r\n" + ansiText + "\r\n");
    EXPECT_TRUE(s.Editor().Shows(ansiText + "\r\n")) << s.Editor().Text();
    EXPECT_EQ(s.ReadProgramFile("stash\\old.pas"), "//TAVRILL:old\r\n" + ansiSnippet + "\r\n")
        << "left alone";
}

}  // namespace
}  // namespace tavrill::e2e
