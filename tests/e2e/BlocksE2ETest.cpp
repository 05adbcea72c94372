// The code generators from the user's side: the text menu's commands, their dialogs (made
// afresh or kept for the whole run), OK and Cancel, the comment templates and the function list.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr Millis kSettle{500};

// The text menu's items. Two share an access key and one has none; those are reached from the
// first or last item with the arrow keys, since the menu opens under the mouse, which may
// already have put the highlight on any item.
enum class Item { BeginEnd, CaseOf, IfThen, ForNext, While, Proc, FnCall, UnitHead, ProcHead };

void Choose(Session& s, Item item) {
    switch (item) {
        case Item::BeginEnd: return s.ChooseFromMenu(kBlocksButton, {'B'});
        case Item::CaseOf: return s.ChooseFromMenu(kBlocksButton, {VK_HOME, VK_DOWN, VK_RETURN});
        case Item::IfThen: return s.ChooseFromMenu(kBlocksButton, {'I'});
        case Item::ForNext: return s.ChooseFromMenu(kBlocksButton, {'F'});
        case Item::While: return s.ChooseFromMenu(kBlocksButton, {'W'});
        case Item::Proc: return s.ChooseFromMenu(kBlocksButton, {'O'});
        case Item::FnCall: return s.ChooseFromMenu(kBlocksButton, {VK_END, VK_UP, VK_UP, VK_RETURN});
        case Item::UnitHead: return s.ChooseFromMenu(kBlocksButton, {VK_END, VK_UP, VK_RETURN});
        case Item::ProcHead: return s.ChooseFromMenu(kBlocksButton, {'P'});
    }
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<HWND> ChildrenOfClass(HWND parent, std::string_view cls) {
    std::vector<HWND> found;
    for (HWND c : Children(parent))
        if (Lower(ClassOf(c)) == Lower(std::string(cls))) found.push_back(c);
    return found;
}

bool Checked(HWND dialog, std::string_view caption) {
    return SendMessageA(FindDescendantByText(dialog, caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Selects the whole editor text, waits for the tool bar to see it, and opens the dialog.
HWND Open(Session& s, Item item, std::string_view caption) {
    s.Editor().SelectAll();
    s.WaitForTarget();
    Choose(s, item);
    HWND dialog = s.WaitForDialog(caption);
    if (!dialog) throw HarnessError("no dialog \"" + std::string(caption) + "\"");
    return dialog;
}

bool Closed(HWND window) {
    return WaitFor([&] { return !IsWindowVisible(window); });
}

bool EditorShows(Session& s, const std::string& text) {
    return WaitFor([&] { return s.Editor().Text() == text; });
}

TEST(BlocksE2ETest, BeginEndAndAFreshIfDialog) {
    Session s({.editor = {.text = "y := 1;"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    Choose(s, Item::BeginEnd);
    EXPECT_TRUE(EditorShows(s, "begin\r\n\r\nend;")) << s.Editor().Text();

    s.Editor().SelectAll();
    TypeText("y := 1;");
    HWND d = Open(s, Item::IfThen, "Insert IF...THEN...");
    TypeText("x > 0");  // the condition has the keyboard
    ClickWindow(FindDescendantByText(d, "create &ELSE"));
    ClickWindow(FindDescendantByText(d, "&surround existing code"));
    ClickWindow(FindDescendantByText(d, "&OK"));
    ASSERT_TRUE(Closed(d));
    const std::string block = "  if x > 0 then begin\r\ny := 1;\r\n  end else begin\r\n  end;  {if x > 0}\r\n";
    EXPECT_TRUE(EditorShows(s, block)) << s.Editor().Text();

    // A new dialog forgets the last entries; Cancel leaves the editor alone.
    d = Open(s, Item::IfThen, "Insert IF...THEN...");
    const std::vector<HWND> edits = ChildrenOfClass(d, "Edit");
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(WindowText(edits[0]), "");
    EXPECT_EQ(WindowText(edits[1]), "2");
    EXPECT_FALSE(Checked(d, "create &ELSE"));
    EXPECT_FALSE(Checked(d, "&surround existing code"));
    TypeText("z");
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Closed(d));
    Pause(kSettle);
    EXPECT_EQ(s.Editor().Text(), block);
}

TEST(BlocksE2ETest, LoopDialogsKeepTheirEntriesAndCancelPastesTheSelectionBack) {
    Session s({.editor = {.text = "    Sum := Sum + k;\r\n    Show(Sum);"}});
    HWND d = Open(s, Item::ForNext, "Insert FOR...NEXT");
    TypeText("k");
    PressKeys({VK_TAB});
    TypeText("Count");
    PressKeys({VK_TAB});
    TypeText("1");
    ClickWindow(FindDescendantByText(d, "&downto"));
    ClickWindow(FindDescendantByText(d, "&surround existing code"));
    PressKeys({VK_RETURN});
    ASSERT_TRUE(Closed(d));
    const std::string loop =
        "    for k := Count downto 1 do begin\r\n      Sum := Sum + k;\r\n      Show(Sum);\r\n"
        "    end; {next k}\r\n";
    EXPECT_TRUE(EditorShows(s, loop)) << s.Editor().Text();

    d = Open(s, Item::ForNext, "Insert FOR...NEXT");
    const std::vector<HWND> edits = ChildrenOfClass(d, "Edit");
    ASSERT_EQ(edits.size(), 4u);
    EXPECT_EQ(WindowText(edits[0]), "k");
    EXPECT_EQ(WindowText(edits[1]), "Count");
    EXPECT_EQ(WindowText(edits[2]), "1");
    EXPECT_TRUE(Checked(d, "&downto"));
    EXPECT_TRUE(Checked(d, "&surround existing code"));
    SetClipboardText("something else");
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(WaitFor([&] { return ClipboardText() == loop; }));  // delivered back, not just copied
    EXPECT_EQ(s.Editor().Text(), loop);

    d = Open(s, Item::While, "Insert Repeat / While / With");
    EXPECT_TRUE(Checked(d, "&repeat...until"));
    EXPECT_EQ(GetWindowLongA(d, GWL_STYLE) & WS_SYSMENU, 0);  // no close box
    ClickWindow(FindDescendantByText(d, "&with...end"));
    EXPECT_FALSE(Checked(d, "&repeat...until"));
    ClickWindow(ChildrenOfClass(d, "Edit")[0]);
    TypeText("Canvas");
    PressKeys({VK_RETURN});
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(EditorShows(s, "  with Canvas do begin\r\n  end; {with}\r\n")) << s.Editor().Text();

    d = Open(s, Item::While, "Insert Repeat / While / With");
    EXPECT_TRUE(Checked(d, "&with...end"));
    EXPECT_EQ(WindowText(ChildrenOfClass(d, "Edit")[0]), "Canvas");
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Closed(d));
}

TEST(BlocksE2ETest, CaseLabelWrappedInTheBoxStaysOneLabel) {
    Session s({.editor = {.text = "old"}});
    HWND d = Open(s, Item::CaseOf, "Case statement");
    TypeText("Key");
    const std::vector<HWND> edits = ChildrenOfClass(d, "Edit");
    ASSERT_EQ(edits.size(), 3u);
    ClickWindow(edits[2]);
    const std::string longLabel = "csFirstVeryLongLabel, csSecondVeryLongLabel, csThirdVeryLongLabel";
    TypeText(longLabel + "\r\n2\r\n");  // Enter in the box starts a line
    EXPECT_GT(SendMessageA(edits[2], EM_GETLINECOUNT, 0, 0), 3);  // wrapped on screen
    ClickWindow(FindDescendantByText(d, "&OK"));
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(EditorShows(s, "  case Key of\r\n    " + longLabel + ":\r\n    2:\r\n  end; {case of}\r\n"))
        << s.Editor().Text();

    d = Open(s, Item::CaseOf, "Case statement");
    EXPECT_EQ(WindowText(ChildrenOfClass(d, "Edit")[0]), "");
    EXPECT_EQ(WindowText(ChildrenOfClass(d, "Edit")[2]), "");
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Closed(d));
}

TEST(BlocksE2ETest, ProcedureDialogKindsAndComment) {
    Session s({.editor = {.text = "old"}, .files = {{"ProcHead.txt", "{ Purpose: }\n{ Author: }"}}});
    HWND d = Open(s, Item::Proc, "Add Procedure/Function");
    EXPECT_EQ(GetWindowLongA(d, GWL_STYLE) & WS_SYSMENU, 0);
    HWND result = ChildrenOfClass(d, "ComboBox")[0];
    EXPECT_FALSE(IsWindowEnabled(result));
    ClickWindow(FindDescendantByText(d, "&constructor"));
    std::vector<HWND> edits = ChildrenOfClass(d, "Edit");
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(WindowText(edits[1]), "AOwner: TComponent");
    ClickWindow(edits[0]);
    TypeText("Create");
    ClickWindow(FindDescendantByText(d, "OK"));
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(EditorShows(s, "constructor Create(AOwner: TComponent);\r\nbegin\r\n\r\nend;\r\n"));

    // Back to procedure: the parameters stay; the comment comes from the template file.
    d = Open(s, Item::Proc, "Add Procedure/Function");
    EXPECT_TRUE(Checked(d, "&constructor"));
    ClickWindow(FindDescendantByText(d, "&procedure"));
    ClickWindow(FindDescendantByText(d, "use proc &comment"));
    ClickWindow(FindDescendantByText(d, "OK"));
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(EditorShows(
        s, "{ Purpose: }\r\n{ Author: }\r\nprocedure Create(AOwner: TComponent);\r\nbegin\r\n\r\nend;\r\n"))
        << s.Editor().Text();

    // Function with a result type and a var block; then the destructor empties the parameters.
    d = Open(s, Item::Proc, "Add Procedure/Function");
    ClickWindow(FindDescendantByText(d, "use proc &comment"));
    ClickWindow(FindDescendantByText(d, "&function"));
    EXPECT_TRUE(IsWindowEnabled(result));
    ClickWindow(result);
    TypeText("integer");
    ClickWindow(FindDescendantByText(d, "make &var block"));
    ClickWindow(FindDescendantByText(d, "OK"));
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(EditorShows(
        s, "function Create(AOwner: TComponent):integer;\r\nvar i: integer;\r\nbegin\r\n\r\nend;\r\n"))
        << s.Editor().Text();

    d = Open(s, Item::Proc, "Add Procedure/Function");
    ClickWindow(FindDescendantByText(d, "&destructor"));
    EXPECT_EQ(WindowText(edits[1]), "");
    EXPECT_FALSE(IsWindowEnabled(result));
    const std::string before = s.Editor().Text();
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Closed(d));
    Pause(kSettle);
    EXPECT_EQ(s.Editor().Text(), before);
}

TEST(BlocksE2ETest, CommentHeadersComeFromTheirFilesEachTime) {
    Session s({.editor = {.text = "old"}, .files = {{"UnitHead.txt", "{ Unit: }\n{ Date: }\n"}}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    Choose(s, Item::UnitHead);
    EXPECT_TRUE(EditorShows(s, "{ Unit: }\r\n{ Date: }\r\n")) << s.Editor().Text();

    s.Editor().SelectAll();
    s.WaitForTarget();
    Choose(s, Item::ProcHead);
    const auto box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Delphi Tavrill");
    EXPECT_EQ(Lower(box->text), Lower("Cannot open file " + s.Folder() + "ProcHead.txt."));
    AnswerMessageBox(*box, VK_RETURN);
    Pause(kSettle);
    EXPECT_EQ(s.Editor().Text(), "{ Unit: }\r\n{ Date: }\r\n");

    s.WriteProgramFile("ProcHead.txt", "{ Proc }\r");
    s.Editor().SelectAll();
    s.WaitForTarget();
    Choose(s, Item::ProcHead);
    EXPECT_TRUE(EditorShows(s, "{ Proc }\r\n")) << s.Editor().Text();
}

TEST(BlocksE2ETest, FunctionListStartsSilentlyAndIsWrittenBackAtExit) {
    Session s({.editor = {.text = "s"}});
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));  // no list yet is the normal first run
    HWND d = Open(s, Item::FnCall, "Function call");
    EXPECT_TRUE(GetWindowLongA(d, GWL_STYLE) & WS_THICKFRAME);
    PressKeys({VK_RETURN});  // the focus starts on OK
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(EditorShows(s, "trim(s)")) << s.Editor().Text();

    d = Open(s, Item::FnCall, "Function call");
    HWND combo = ChildrenOfClass(d, "ComboBox")[0];
    EXPECT_EQ(WindowText(combo), "trim");
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 8);
    ClickWindow(combo);
    PressChord({VK_CONTROL, 'A'});
    TypeText("FormatDateTime('yyyy',");
    PressKeys({VK_RETURN});
    ASSERT_TRUE(Closed(d));
    EXPECT_TRUE(EditorShows(s, "FormatDateTime('yyyy', trim(s))")) << s.Editor().Text();

    d = Open(s, Item::FnCall, "Function call");
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Closed(d));
    Pause(kSettle);
    EXPECT_EQ(s.Editor().Text(), "FormatDateTime('yyyy', trim(s))");

    s.Exit();
    EXPECT_EQ(s.ReadProgramFile("fnlist.dat"),
              "FileExists\r\nFormatDateTime('m/d/yyyy',\r\nFormatDateTime('yyyy',\r\nIntToStr\r\nLowercase\r\n"
              "StrToInt\r\nTrim\r\ntrim\r\nUppercase\r\n");
}

}  // namespace
}  // namespace tavrill::e2e
