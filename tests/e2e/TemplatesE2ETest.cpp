#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

TEST(TemplatesE2ETest, ATypedTypeNameSurroundsTheSelectionAndCancelLeavesItAlone) {
    Session s({.editor = {.text = "Items"},
               .files = {{"stash\\cast.pas", "//TAVRILL:\r\n%INPUT:Type=TObject%(%SELECTION%%|%)"}}});
    for (const WORD answer : {VK_ESCAPE, VK_RETURN}) {
        s.Command(kLoadButton);
        const Dialog browser = s.AwaitDialog("Your code stash");
        PressKeys({VK_DOWN});  // the first snippet, chosen with the keyboard
        ASSERT_TRUE(browser.Close(VK_RETURN));
        const Dialog fill = s.AwaitDialog("Fill in the template");
        if (answer == VK_RETURN) TypeText("TStrings");  // over the starting value, which is selected
        ASSERT_TRUE(fill.Close(answer));
        if (answer == VK_ESCAPE)
            EXPECT_FALSE(WaitFor([&] { return s.Editor().Text() != "Items"; }, Millis{800}))
                << s.Editor().Text();
    }
    EXPECT_TRUE(s.Editor().Shows("TStrings(Items)")) << s.Editor().Text();
    TypeText("!");  // at the caret's mark
    EXPECT_TRUE(s.Editor().Shows("TStrings(Items!)")) << s.Editor().Text();
}

TEST(TemplatesE2ETest, ASnippetsShortcutInsertsItWithoutTheBrowserAndAGoneOneIsDroppedQuietly) {
    Session s({.editor = {.text = "List"},
               .files = {{"tavrill.ini",
                          "[Shortcuts]\r\nSnippet:free.pas=Ctrl+Alt+Shift+Y\r\n"
                          "Snippet:gone.pas=Ctrl+Alt+Shift+G\r\n"},
                         {"stash\\free.pas", "//TAVRILL:\r\nFreeAndNil(%SELECTION%);"}}});
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));  // the shortcut of a snippet gone is dropped quietly
    s.Editor().SelectAll();
    PressShortcut('Y');
    EXPECT_TRUE(s.Editor().Shows("FreeAndNil(List);")) << s.Editor().Text();
    EXPECT_EQ(s.WaitForDialog("Your code stash", Millis{300}), nullptr);
}

}  // namespace
}  // namespace tavrill::e2e
