#include <gtest/gtest.h>

#include <algorithm>

#include "bridge/Bridge.h"
#include "bridge/EditorFixture.h"

namespace tavrill {
namespace {

// The user copied something, then selects code in the editor and runs a command.
struct KeepClipboardTest : testing::EditorFixture {
    void SetUp() override {
        Select("my_var");
        Start();
        host.SetClipboardText("the user's text");
        bridge.SetKeepClipboard(true);
    }
    void Convert() {
        CommandScope command(bridge);
        bridge.FetchText(true);
        bridge.DeliverText("MY_VAR");
        EXPECT_EQ(host.Window(control).text, "MY_VAR") << "pasted before the clipboard is put back";
    }
};

TEST_F(KeepClipboardTest, TextOrPictureComesBackAfterThePasteOnlyWhenOn) {
    Convert();
    EXPECT_EQ(host.Clipboard(), "the user's text");

    host.SetClipboardPicture();
    Convert();
    EXPECT_TRUE(host.ClipboardHasPicture());

    bridge.SetKeepClipboard(false);
    Convert();
    EXPECT_EQ(host.Clipboard(), "MY_VAR") << "the classic behaviour: the result stays";
    EXPECT_EQ(host.restores, 2);
}

TEST_F(KeepClipboardTest, PutBackAfterCommandsThatDeliverNothingButNeverOverAnotherCopy) {
    {
        CommandScope copyOnly(bridge);  // a dialog cancelled after the fetch
        bridge.FetchText(false);
    }
    EXPECT_EQ(host.Clipboard(), "the user's text");
    {
        CommandScope undo(bridge);  // never touches the clipboard: nothing to put back
        bridge.Undo();
    }
    EXPECT_EQ(host.restores, 1);
    {
        CommandScope command(bridge);
        bridge.FetchText(true);
        host.SetClipboardText("copied in another program while a dialog was open");
    }
    EXPECT_EQ(host.Clipboard(), "copied in another program while a dialog was open");
    EXPECT_EQ(host.restores, 1);
}

TEST_F(KeepClipboardTest, OnTheKeystrokePathTheTypedPasteIsAwaitedFirst) {
    host.Window(control).answersMessages = false;  // takes copy and paste only from the keyboard
    host.Window(host.editorWindow).focus = control;
    Convert();
    EXPECT_EQ(host.Clipboard(), "the user's text");
    const auto keys =
        std::find(host.sent.begin(), host.sent.end(), "keys shift+insert " + std::to_string(control));
    ASSERT_NE(keys, host.sent.end());
    EXPECT_EQ(*std::next(keys), "await " + std::to_string(control));
}

}  // namespace
}  // namespace tavrill
