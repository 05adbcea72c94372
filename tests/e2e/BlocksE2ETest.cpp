// The code generators as a user meets them: the text menu, fresh and kept dialogs, templates, function list.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

using Keys = std::initializer_list<WORD>;
using Texts = std::vector<std::string>;

constexpr Millis kSettle{500};
// The text menu's items that share an access key or have none, counted from its top (the newer
// items follow them at the end).
constexpr Keys kCaseOf = {VK_HOME, VK_DOWN, VK_RETURN};
constexpr Keys kFnCall = {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};
constexpr Keys kUnitHead = {VK_HOME, VK_DOWN, VK_DOWN, VK_DOWN,  VK_DOWN,
                            VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};  // past the separator

// Selects the whole editor text, chooses the menu item and waits for the dialog.
Dialog Choose(Session& s, Keys keys, std::string_view caption) {
    s.Command(kBlocksButton, keys);
    return s.AwaitDialog(caption);
}

Texts EditTexts(const Dialog& d) {
    Texts texts;
    for (HWND edit : d.Controls("Edit")) texts.push_back(WindowText(edit));
    return texts;
}

// Cancels the dialog; true when it has gone and nothing arrives in the editor.
bool Cancel(Session& s, const Dialog& d, const std::string& editorText) {
    if (!d.Close(VK_ESCAPE)) return false;
    Pause(kSettle);
    return s.Editor().Text() == editorText;
}

TEST(BlocksE2ETest, FreshDialogsAndTheCommandsWithoutDialogs) {
    Session s({.editor = {.text = "y := 1;"}, .files = {{"UnitHead.txt", "{ Unit: }\n{ Date: }\n"}}});
    Dialog d = Choose(s, {'I'}, "Insert IF...THEN...");
    TypeText("x > 0");  // the condition has the keyboard
    d.Click("create &ELSE");
    d.Click("&surround existing code");
    d.Click("&OK");
    ASSERT_TRUE(d.Closes());
    const std::string block =
        "  if x > 0 then begin\r\ny := 1;\r\n  end else begin\r\n  end;  {if x > 0}\r\n";
    EXPECT_TRUE(s.Editor().Shows(block));
    d = Choose(s, {'I'}, "Insert IF...THEN...");
    EXPECT_EQ(EditTexts(d), (Texts{"", "2"}));
    EXPECT_FALSE(d.Checked("create &ELSE") || d.Checked("&surround existing code"));
    EXPECT_TRUE(Cancel(s, d, block));

    // A case label too long for the box wraps on screen but stays one label.
    d = Choose(s, kCaseOf, "Case statement");
    TypeText("Key");
    const std::vector<HWND> edits = d.Controls("Edit");
    ASSERT_EQ(edits.size(), 3u);
    ClickWindow(edits[2]);
    const std::string longLabel = "csFirstVeryLongLabel, csSecondVeryLongLabel, csThirdVeryLongLabel";
    TypeText(longLabel + "\r\n2\r\n");  // Enter in the box starts a line
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(edits[2], EM_GETLINECOUNT, 0, 0) > 3; }));
    // A huge number padded with zeros, confirmed with Enter: the box keeps two digits, "00" reads as 1.
    ClickWindow(edits[1]);
    PressKeys({VK_HOME});
    PressChord({VK_SHIFT, VK_END});
    TypeText("0000000100000000\r");
    ASSERT_TRUE(d.Closes());
    const std::string caseBlock = " case Key of\r\n   " + longLabel + ":\r\n   2:\r\n end; {case of}\r\n";
    EXPECT_TRUE(s.Editor().Shows(caseBlock));
    d = Choose(s, kCaseOf, "Case statement");
    EXPECT_EQ(EditTexts(d), (Texts{"", "2", ""}));
    EXPECT_TRUE(Cancel(s, d, caseBlock));
    s.Command(kBlocksButton, kUnitHead);
    EXPECT_TRUE(s.Editor().Shows("{ Unit: }\r\n{ Date: }\r\n"));

    // Each command reads its template afresh: missing at first, then there.
    s.Command(kBlocksButton, {'P'});
    std::string folder = s.Folder();
    CharLowerBuffA(folder.data(), static_cast<DWORD>(folder.size()));  // as the program sees it
    EXPECT_EQ(s.AnswerBox(), "Delphi Tavrill|Cannot open file " + folder + "ProcHead.txt.");
    Pause(kSettle);
    EXPECT_EQ(s.Editor().Text(), "{ Unit: }\r\n{ Date: }\r\n");
    s.WriteProgramFile("ProcHead.txt", "{ Purpose: }\n{ Author: }\n");
    s.Command(kBlocksButton, {'P'});
    EXPECT_TRUE(s.Editor().Shows("{ Purpose: }\r\n{ Author: }\r\n"));
}

TEST(BlocksE2ETest, KeptDialogsShowTheLastEntriesAndTheFunctionListIsWrittenAtExit) {
    Session s({.editor = {.text = "    Sum := Sum + k;\r\n    Show(Sum);"}});
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));  // no fnlist.dat yet is the normal first run
    Dialog d = Choose(s, {'F'}, "Insert FOR...NEXT");
    TypeText("k");  // the from and to boxes stay empty
    d.Click("&downto");
    d.Click("&surround existing code");
    ASSERT_TRUE(d.Close(VK_RETURN));
    const std::string loop =
        "    for k :=  downto  do begin\r\n      Sum := Sum + k;\r\n      Show(Sum);\r\n    end; {next "
        "k}\r\n";
    EXPECT_TRUE(s.Editor().Shows(loop));
    d = Choose(s, {'F'}, "Insert FOR...NEXT");
    EXPECT_EQ(EditTexts(d), (Texts{"k", "", "", "2"}));
    EXPECT_TRUE(d.Checked("&downto") && d.Checked("&surround existing code"));
    EXPECT_TRUE(Cancel(s, d, loop));  // pastes nothing
    d = Choose(s, {'W'}, "Insert Repeat / While / With");
    d.Click("&with...end");
    ClickWindow(d.Controls("Edit")[0]);
    TypeText("Canvas");
    ASSERT_TRUE(d.Close(VK_RETURN));
    EXPECT_TRUE(s.Editor().Shows("  with Canvas do begin\r\n  end; {with}\r\n"));
    d = Choose(s, {'W'}, "Insert Repeat / While / With");
    EXPECT_TRUE(d.Checked("&with...end"));
    EXPECT_EQ(EditTexts(d), (Texts{"Canvas", "2"}));
    EXPECT_TRUE(Cancel(s, d, "  with Canvas do begin\r\n  end; {with}\r\n"));

    // A constructor takes the owner parameter and has no result type.
    d = Choose(s, {'O'}, "Add Procedure/Function");
    HWND result = d.Controls("ComboBox")[0];
    d.Click("&constructor");
    const std::vector<HWND> edits = d.Controls("Edit");
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(WindowText(edits[1]), "AOwner: TComponent");
    EXPECT_FALSE(IsWindowEnabled(result));
    ClickWindow(edits[0]);
    TypeText("Create");
    d.Click("OK");
    ASSERT_TRUE(d.Closes());
    const std::string proc = "constructor Create(AOwner: TComponent);\r\nbegin\r\n\r\nend;\r\n";
    EXPECT_TRUE(s.Editor().Shows(proc));
    d = Choose(s, {'O'}, "Add Procedure/Function");
    EXPECT_TRUE(d.Checked("&constructor"));
    EXPECT_EQ(EditTexts(d), (Texts{"Create", "AOwner: TComponent"}));
    EXPECT_TRUE(Cancel(s, d, proc));
    s.Editor().SelectAll();
    TypeText("s");
    d = Choose(s, kFnCall, "Function call");
    HWND combo = d.Controls("ComboBox")[0];
    EXPECT_EQ(WindowText(combo), "trim");
    ClickWindow(combo);
    PressChord({VK_CONTROL, 'A'});
    TypeText("FormatDateTime('yyyy',");
    ASSERT_TRUE(d.Close(VK_RETURN));
    EXPECT_TRUE(s.Editor().Shows("FormatDateTime('yyyy', s)"));
    d = Choose(s, kFnCall, "Function call");
    EXPECT_EQ(WindowText(combo), "FormatDateTime('yyyy',");
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 8);
    EXPECT_TRUE(Cancel(s, d, "FormatDateTime('yyyy', s)"));
    s.Exit();
    EXPECT_EQ(
        s.ReadProgramFile("fnlist.dat"),
        "FileExists\r\nFormatDateTime('m/d/yyyy',\r\nFormatDateTime('yyyy',\r\nIntToStr\r\nLowercase\r\n"
        "StrToInt\r\nTrim\r\nUppercase\r\n");
}

}  // namespace
}  // namespace tavrill::e2e
