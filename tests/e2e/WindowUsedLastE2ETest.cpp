// The tool bar serves the window the user worked in last, whoever made it, and an empty selection
// is empty: driven with the shortcuts, over the sample editor and Wine's own Notepad and WordPad.

#include <gtest/gtest.h>

#include <string>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

TEST(WindowUsedLastE2ETest, EachShortcutWorksInTheEditorInFrontAndNothingSelectedChangesNothing) {
    Session s({.editor = {.text = "abc"}, .files = {{"tavrill.ini", "[Main]\r\nAnyEditor=1\r\n"}}});
    SampleEditor& e = s.Editor();
    e.SelectAll();
    PressShortcut('U');
    ASSERT_TRUE(e.Shows("ABC")) << e.Text();
    PressKeys({VK_END});  // nothing selected: the earlier result on the clipboard must not come back
    PressShortcut('L');
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{800}));
    EXPECT_EQ(e.Text(), "ABC");

    {
        // WordPad's rich edit answers messages but ignores a typed Ctrl+Insert.
        WineEditor wordpad("C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe", "RichEdit20W");
        wordpad.SelectAllOf("x := 1;");
        wordpad.Activate();
        PressShortcut('U');
        EXPECT_TRUE(WaitFor([&] { return wordpad.Text() == "X := 1;"; })) << wordpad.Text();
        WineEditor notepad("C:\\windows\\system32\\notepad.exe", "Edit");
        notepad.SelectAllOf("Name := 'n';");
        notepad.Activate();
        PressShortcut('U');
        EXPECT_TRUE(WaitFor([&] { return notepad.Text() == "NAME := 'N';"; })) << notepad.Text();
        EXPECT_EQ(wordpad.Text(), "X := 1;");
        EXPECT_EQ(e.Text(), "ABC") << "the editor used before is left alone";
    }  // both closed, so that the sample editor can be clicked again

    e.SelectAll();
    PressShortcut('L');
    EXPECT_TRUE(e.Shows("abc")) << e.Text();
}

}  // namespace
}  // namespace tavrill::e2e
