// Snippet templates from the user's side: filled in from the stash browser and from a snippet's
// own shortcut, and Cancel in "Fill in the template".

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr char kCast[] = "//TAVRILL:a cast\r\n%INPUT:Type=TObject%(%SELECTION%%|%)";

// Opens the browser over the selected editor text and copies its first snippet with the keyboard.
void CopyFirstSnippet(Session& s) {
    s.Command(kLoadButton);
    const Dialog browser = s.AwaitDialog("Your code stash");
    PressKeys({VK_DOWN, VK_RETURN});
    ASSERT_TRUE(browser.Closes());
}

TEST(TemplatesE2ETest, ATypedTypeNameSurroundsTheSelectionAndTheCaretStopsAtItsMark) {
    Session s({.editor = {.text = "Items"}, .files = {{"stash\\cast.pas", kCast}}});
    CopyFirstSnippet(s);
    const Dialog fill = s.AwaitDialog("Fill in the template");
    EXPECT_EQ(WindowText(fill.Controls("edit").at(0)), "TObject");
    TypeText("TStrings");  // the starting value is selected: typing replaces it
    PressKeys({VK_RETURN});
    ASSERT_TRUE(fill.Closes());
    EXPECT_TRUE(s.Editor().Shows("TStrings(Items)")) << s.Editor().Text();
    TypeText("!");
    EXPECT_TRUE(s.Editor().Shows("TStrings(Items!)")) << s.Editor().Text();
}

TEST(TemplatesE2ETest, CancelInFillInTheTemplateLeavesTheEditorAsItWas) {
    Session s({.editor = {.text = "Items"}, .files = {{"stash\\cast.pas", kCast}}});
    CopyFirstSnippet(s);
    const Dialog fill = s.AwaitDialog("Fill in the template");
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(fill.Closes());
    EXPECT_FALSE(WaitFor([&] { return s.Editor().Text() != "Items"; }, Millis{800})) << s.Editor().Text();
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));
}

TEST(TemplatesE2ETest, ASnippetsShortcutInsertsItWithoutTheBrowser) {
    // The shortcut of a snippet deleted since is dropped without a word.
    Session s({.editor = {.text = "List"},
               .files = {{"tavrill.ini",
                          "[Shortcuts]\r\nSnippet:free.pas=Ctrl+Alt+Shift+Y\r\n"
                          "Snippet:gone.pas=Ctrl+Alt+Shift+G\r\n"},
                         {"stash\\free.pas", "//TAVRILL:\r\nFreeAndNil(%SELECTION%);"}}});
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));
    s.Editor().SelectAll();
    PressChord({VK_CONTROL, VK_MENU, VK_SHIFT, 'Y'});
    EXPECT_TRUE(s.Editor().Shows("FreeAndNil(List);")) << s.Editor().Text();
    EXPECT_EQ(s.WaitForDialog("Your code stash", Millis{300}), nullptr);
}

}  // namespace
}  // namespace tavrill::e2e
