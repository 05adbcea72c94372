// The format menu's indent dialog and text tools, and the blocks menu's GUID, from the user's side.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

struct IndentDialog : Dialog {
    HWND memo = nullptr, spin = nullptr;
    // What every opening shows: the selection, 2 blanks and the direction last chosen.
    bool Shows(const std::string& text, std::string_view direction) const {
        return WindowText(memo) == text && WindowText(spin) == "2" && Checked(direction) &&
               !Checked(direction == "&Indent" ? "&Unindent" : "&Indent");
    }
};

// Selects the whole editor text and opens "Indent / unindent"; the text box comes first.
IndentDialog OpenIndent(Session& s) {
    s.Command(kFormatButton, {'I'});
    IndentDialog d{s.AwaitDialog("Indent")};
    const std::vector<HWND> edits = d.Controls("Edit");
    if (edits.size() != 2) throw HarnessError("no indent dialog");
    d.memo = edits[0];
    d.spin = edits[1];
    return d;
}

TEST(IndentE2ETest, OkShiftsTheEditedTextTheNextOpeningKeepsOnlyTheDirectionCancelNothing) {
    Session s({.editor = {.text = "a\r\n  b"}});
    IndentDialog d = OpenIndent(s);
    EXPECT_TRUE(d.Shows("a\r\n  b", "&Indent")) << WindowText(d.memo);
    // The keyboard is in the text box, where Enter starts a new line instead of pressing OK.
    PressChord({VK_CONTROL, VK_END});
    TypeText("\r\nc");
    EXPECT_TRUE(WaitFor([&] { return WindowText(d.memo) == "a\r\n  b\r\nc"; })) << WindowText(d.memo);
    d.Click("&Unindent");
    d.Click("OK");
    EXPECT_TRUE(s.Editor().Shows("a\r\nb\r\nc")) << s.Editor().Text();

    // Escape delivers nothing, even after edits.
    d = OpenIndent(s);
    EXPECT_TRUE(d.Shows("a\r\nb\r\nc", "&Unindent")) << WindowText(d.memo);
    TypeText("typed ");
    EXPECT_TRUE(d.Close(VK_ESCAPE));
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{800}));
    EXPECT_EQ(s.Editor().Text(), "a\r\nb\r\nc");
}

// The newest items, each reached from its menu or shortcut: Align on... with its box, Format
// selection and a GUID.
TEST(TextToolsE2ETest, AlignOnFormatAndAGuidFromTheMenus) {
    Session s({.editor = {.text = "x = 1;\r\nabc = 2;"}});
    s.Command(kFormatButton, {VK_END, VK_UP, VK_RETURN});  // "Align on...", above the last item
    const Dialog d = s.AwaitDialog("Align on");
    TypeText("=");
    d.Click("&OK");
    EXPECT_TRUE(s.Editor().Shows("x   = 1;\r\nabc = 2;")) << s.Editor().Text();

    s.Editor().SelectAll();
    TypeText("if x then\r\ny:=1;");
    s.Editor().SelectAll();
    PressShortcut('D');  // Format selection's shortcut
    EXPECT_TRUE(s.Editor().Shows("if x then\r\n  y := 1;")) << s.Editor().Text();

    s.Command(kBlocksButton, {'G'});
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text().size() == 42; })) << s.Editor().Text();
    const std::string guid = s.Editor().Text();
    EXPECT_EQ(guid.substr(0, 3) + guid.substr(39), "['{}']") << guid;
    EXPECT_EQ(guid.find_first_of("abcdef"), std::string::npos) << "upper-case hex";
}

}  // namespace
}  // namespace tavrill::e2e
