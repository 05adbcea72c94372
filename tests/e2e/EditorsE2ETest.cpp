// The editors of today through the tool bar: the editor docked in the IDE's main window, a control
// that answers only keystrokes, another program's editor with "Any editor", and text beyond the
// ANSI code page from the editor through the commands and the stash and back.

#include <gtest/gtest.h>

#include "Harness.h"
#include "win32/Utf.h"

namespace tavrill::e2e {
namespace {

constexpr char kNotAnEditor[] = "Source window was not a Delphi TEditWindow.";

// "&Case" shares its key with "&Comment out", so it is reached with the arrow keys.
void UpperCase(Session& s) {
    s.Editor().SelectAll();
    s.WaitForTarget();
    s.ChooseFromMenu(kFormatButton, {VK_HOME, VK_RIGHT, 'U'});
}

bool EditorShows(Session& s, const std::string& utf8) {
    return WaitFor([&] { return s.Editor().Utf8Text() == utf8; });
}

TEST(DockedE2ETest, TheDockedEditorIsFoundAndAnsweredWithTwoFilesOpen) {
    Session s({.editor = {.text = "my_var := 1;", .modes = "--docked --second"}});
    SampleEditor& e = s.Editor();
    EXPECT_EQ(ClassOf(e.Window()), "TAppBuilder");
    EXPECT_EQ(ClassOf(GetParent(GetParent(GetParent(e.Control())))), "TEditWindow");
    UpperCase(s);
    EXPECT_TRUE(EditorShows(s, "MY_VAR := 1;")) << e.Text();
    EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); }));
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(EditorShows(s, "my_var := 1;")) << e.Text();
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));
}

TEST(KeysOnlyE2ETest, AnEditorThatIgnoresOtherProgramsGetsCopyPasteAndUndoAsKeys) {
    Session s({.editor = {.text = "my_var := some_func(x);", .modes = "--keys-only"}});
    SampleEditor& e = s.Editor();
    e.SelectAll();
    SendMessageA(e.Control(), WM_COPY, 0, 0);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT))
        << "the sample editor took WM_COPY from the harness";

    UpperCase(s);
    EXPECT_TRUE(EditorShows(s, "MY_VAR := SOME_FUNC(X);")) << e.Text();
    // Undo types Ctrl+Z into the editor, which comes to the front for it.
    ForeignWindow notes;
    notes.Activate();
    s.WaitForTarget();
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(EditorShows(s, "my_var := some_func(x);")) << e.Text();
    EXPECT_TRUE(IsForeground(e.Window()));
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));
}

TEST(AnyEditorE2ETest, AnotherEditorIsRefusedUntilAnyEditorIsOnAndAgainWhenItIsOff) {
    Session s({.editor = {.text = "x := 1;", .modes = "--other"}});
    auto refused = [&] {
        auto box = s.WaitForMessageBox();
        if (!box) return false;
        AnswerMessageBox(*box, VK_RETURN);
        return box->text == kNotAnEditor && box->caption == "Could not copy";
    };
    UpperCase(s);
    EXPECT_TRUE(refused());
    EXPECT_EQ(s.Editor().Text(), "x := 1;");

    s.ChooseFromMenu(kMainButton, {'A'});
    EXPECT_TRUE(WaitFor([&] {
        return s.ReadProgramFile("tavrill.ini").value_or("").find("AnyEditor=1") != std::string::npos;
    }));
    UpperCase(s);
    EXPECT_TRUE(EditorShows(s, "X := 1;")) << s.Editor().Text();
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(EditorShows(s, "x := 1;")) << s.Editor().Text();

    s.ChooseFromMenu(kMainButton, {'A'});
    UpperCase(s);
    EXPECT_TRUE(refused());
    EXPECT_EQ(s.Editor().Text(), "x := 1;");
}

// A dialog of the tool bar and its edit boxes, top first.
struct Dialog {
    HWND window = nullptr;
    std::vector<HWND> edits;
    void Click(std::string_view text) const { ClickWindow(FindDescendantByText(window, text)); }
    bool Closes() const {
        return WaitFor([&] { return !IsWindowVisible(window); });
    }
};

Dialog Await(Session& s, std::string_view caption) {
    Dialog d{s.WaitForDialog(caption)};
    if (!d.window) throw HarnessError("no dialog \"" + std::string(caption) + "\"");
    for (HWND c : Children(d.window))
        if (lstrcmpiA(ClassOf(c).c_str(), "edit") == 0) d.edits.push_back(c);
    return d;
}

Dialog OpenFromMenu(Session& s, std::string_view button, std::initializer_list<WORD> keys,
                    std::string_view caption) {
    s.Editor().SelectAll();
    s.WaitForTarget();
    s.ChooseFromMenu(button, keys);
    return Await(s, caption);
}

Dialog OpenStash(Session& s, std::string_view button, std::string_view caption) {
    s.Editor().SelectAll();
    s.WaitForTarget();
    s.ClickButton(button);
    return Await(s, caption);
}

void CopyFromStash(Session& s, int item, const std::string& text) {
    Dialog b = OpenStash(s, kLoadButton, "Your code stash");
    HWND list = nullptr, preview = b.edits.empty() ? nullptr : b.edits.back();
    for (HWND c : Children(b.window)) {
        if (lstrcmpiA(ClassOf(c).c_str(), "listbox") == 0) list = c;
        if (ClassOf(c).starts_with("RichEdit") || ClassOf(c).starts_with("RICHEDIT")) preview = c;
    }
    ASSERT_TRUE(list && preview);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, item, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    ClickAt({r.left + 40, (r.top + r.bottom) / 2});
    EXPECT_TRUE(WaitFor([&] { return Utf8WindowText(preview) == text; })) << Utf8WindowText(preview);
    b.Click("C&OPY");
    EXPECT_TRUE(b.Closes());
}

// Greek, Czech, a check mark and a character beyond the basic plane go through the case and
// comment commands, the indent dialog, a generated block, a stash save and the copy back; and a
// snippet file of an earlier version, in the ANSI code page, comes back as it was written.
TEST(UnicodeE2ETest, TextBeyondTheAnsiCodePageSurvivesEveryStep) {
    const std::string line = "Počet := 'Ωμέγα ✓ \xF0\x9F\x98\x80';";
    const std::string ansiSnippet = "s := 'caf\xE9';";
    Session s({.editor = {.text = line, .modes = "--unicode"},
               .files = {{"stash\\old.pas", "//TAVRILL:old\r\n" + ansiSnippet + "\r\n"}}});
    UpperCase(s);
    std::string text = "POčET := 'Ωμέγα ✓ \xF0\x9F\x98\x80';";
    ASSERT_TRUE(EditorShows(s, text)) << s.Editor().Utf8Text();

    s.Editor().SelectAll();
    s.ChooseFromMenu(kFormatButton,
                     {VK_HOME, VK_DOWN, VK_DOWN, VK_RIGHT, 'U'});  // "&Comment out" > "&use //"
    text = "//" + text;
    ASSERT_TRUE(EditorShows(s, text)) << s.Editor().Utf8Text();

    Dialog indent = OpenFromMenu(s, kFormatButton, {'I'}, "Indent");
    EXPECT_EQ(Utf8WindowText(indent.edits[0]), text);
    indent.Click("OK");
    text = "  " + text;
    ASSERT_TRUE(EditorShows(s, text)) << s.Editor().Utf8Text();

    Dialog with = OpenFromMenu(s, kBlocksButton, {'W'}, "Insert Repeat / While / With");
    ClickWindow(FindDescendantByText(with.window, "&with...end"));
    HWND surround = FindDescendantByText(with.window, "&surround existing code");
    if (SendMessageA(surround, BM_GETCHECK, 0, 0) != BST_CHECKED) ClickWindow(surround);
    ClickWindow(with.edits[0]);
    PressChord({VK_CONTROL, 'A'});
    TypeText("Ωμέγα");
    PressKeys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] {
        const std::string now = s.Editor().Utf8Text();
        return now.find("with Ωμέγα do") != std::string::npos && now.find(text) != std::string::npos;
    })) << s.Editor().Utf8Text();
    text = s.Editor().Utf8Text();

    Dialog save = OpenStash(s, kStashButton, "Save code to stash");
    EXPECT_EQ(Utf8WindowText(save.edits[2]), text);
    TypeText("uni");
    ClickWindow(save.edits[1]);
    TypeText("Ωμέγα ✓");
    save.Click("OK");
    ASSERT_TRUE(save.Closes());
    const std::string stored =
        "\xEF\xBB\xBF//TAVRILL:Ωμέγα ✓\r\n" + text + (text.ends_with("\r\n") ? "" : "\r\n");
    EXPECT_EQ(s.ReadProgramFile("stash\\uni.pas"), stored);

    s.Editor().SelectAll();
    PressKeys({VK_DELETE});
    CopyFromStash(s, 1, stored.substr(3));
    EXPECT_TRUE(EditorShows(s, stored.substr(stored.find("\r\n") + 2))) << s.Editor().Utf8Text();

    const std::string ansiText = AnsiToUtf8(ansiSnippet);  // "café" in code page 1252
    CopyFromStash(s, 0, "//TAVRILL:old\r\n" + ansiText + "\r\n");
    EXPECT_TRUE(EditorShows(s, ansiText + "\r\n")) << s.Editor().Utf8Text();
    EXPECT_EQ(s.ReadProgramFile("stash\\old.pas"), "//TAVRILL:old\r\n" + ansiSnippet + "\r\n")
        << "left alone";
}

}  // namespace
}  // namespace tavrill::e2e
