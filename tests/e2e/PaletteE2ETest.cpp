// The command palette, reached only by its shortcut over the editor.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

Dialog OpenPalette(Session& s) {
    s.Editor().SelectAll();
    PressShortcut(VK_SPACE);
    return s.AwaitDialog("Find a command");
}

TEST(PaletteE2ETest, EnterRunsTheBestMatchAndEscLeavesEverythingAsItWas) {
    Session s({.editor = {.text = "zebra\r\napple"},
               .files = {{"stash\\loop.pas", "//TAVRILL:counting\r\nfor i := 0 to 9 do\r\n"}}});
    SampleEditor& e = s.Editor();

    Dialog palette = OpenPalette(s);
    TypeText("sl");
    PressKeys({VK_RETURN});
    EXPECT_TRUE(palette.Closes());
    EXPECT_TRUE(e.Shows("apple\r\nzebra")) << e.Text();
    EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); }))
        << "the editor did not get the keyboard back";

    palette = OpenPalette(s);
    TypeText("sl");
    PressKeys({VK_DOWN, VK_ESCAPE});
    EXPECT_TRUE(palette.Closes());
    EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); }));
    Pause(Millis{300});
    EXPECT_EQ(e.Text(), "apple\r\nzebra");
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));

    palette = OpenPalette(s);  // a snippet, found by its description: read since the first opening
    TypeText("counting");
    PressKeys({VK_RETURN});
    EXPECT_TRUE(e.Shows("for i := 0 to 9 do\r\n")) << e.Text();
}

}  // namespace
}  // namespace tavrill::e2e
