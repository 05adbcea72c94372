#include "bridge/Bridge.h"

#include <gtest/gtest.h>

#include "bridge/EditorFixture.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

using testing::FakeHost;

// An editor in the foreground that the timer has already seen.
struct BridgeWithEditor : testing::EditorFixture {
    void SetUp() override {
        Select("my_var := some_func(x);");
        Start();
    }
};

TEST(BridgeTargetTest, FirstSecondAfterStartFetchesNothingAndShowsNothing) {
    FakeHost host;
    Bridge bridge{host};
    host.AddEditor("x");
    host.SetClipboardText("left over");
    bridge.WorkingText() = "earlier";
    bridge.FetchText(true);
    bridge.FetchText(false);
    EXPECT_EQ(bridge.WorkingText(), "earlier");
    EXPECT_EQ(host.Clipboard(), "left over");
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(host.sent.empty());
}

TEST(BridgeTargetTest, ToolBarItselfIsNeverTheTargetButOtherWindowsAre) {
    FakeHost host;
    Bridge bridge{host};
    const WindowHandle other = host.AddWindow("Notepad");
    host.foreground = other;
    bridge.Tick();
    host.foreground = host.own;
    bridge.Tick();
    EXPECT_EQ(bridge.Target(), other);
    host.own = 2000;  // Stay on Top re-created the tool bar's window
    host.foreground = 1000;
    bridge.Tick();
    EXPECT_EQ(bridge.Target(), 1000u);
    host.foreground = kNoWindow;
    bridge.Tick();
    EXPECT_EQ(bridge.Target(), kNoWindow);
}

TEST(BridgeFetchTest, NonEditorTargetEmptiesClipboardAndSaysSoInBothModes) {
    for (const bool read : {true, false}) {
        FakeHost host;
        Bridge bridge{host};
        host.foreground = host.AddWindow("Notepad");
        bridge.Tick();
        host.SetClipboardText("keep?");
        bridge.WorkingText() = "earlier";
        bridge.FetchText(read);
        EXPECT_FALSE(host.Clipboard().has_value());
        EXPECT_EQ(bridge.WorkingText(), "earlier");
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, "Source window was not a Delphi TEditWindow.");
        EXPECT_EQ(host.boxes[0].caption, "Could not copy");
    }
}

TEST_F(BridgeWithEditor, CopyOnlyLocatesTheControlReadReadsItDeliverPastesOverIt) {
    bridge.WorkingText() = "earlier";
    bridge.FetchText(false);
    EXPECT_EQ(bridge.WorkingText(), "earlier");
    EXPECT_EQ(bridge.EditControl(), control);
    bridge.FetchText(true);
    EXPECT_EQ(bridge.WorkingText(), "my_var := some_func(x);");
    bridge.DeliverText("a\r\nb");
    EXPECT_EQ(host.Window(control).text, "a\r\nb");  // nothing appended
    EXPECT_EQ(host.Clipboard(), "a\r\nb");
    EXPECT_EQ(host.sent.back(), "front " + std::to_string(control));
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(BridgeWithEditor, KnownControlIsNotPrecededByClearingTheClipboard) {
    bridge.FetchText(true);
    bridge.DeliverText("delivered");
    host.Window(control).copiesNothing = true;    // an empty selection copies nothing
    host.foreground = host.AddWindow("Notepad");  // the user looked elsewhere meanwhile
    bridge.Tick();
    bridge.FetchText(true);
    EXPECT_EQ(bridge.WorkingText(), "delivered");
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_FALSE(bridge.DrivenByKeys()) << "a typed Ctrl+Insert changed nothing either: messages go on";
}

TEST_F(BridgeWithEditor, ClipboardWithoutTextKeepsTheWorkingText) {
    bridge.FetchText(true);
    host.Window(control).copiesNothing = true;
    host.SetClipboardPicture();
    bridge.FetchText(true);
    EXPECT_EQ(bridge.WorkingText(), "my_var := some_func(x);");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "No data found on clipboard.");
    EXPECT_EQ(host.boxes[0].caption, "Empty clipboard?");
    host.boxes.clear();
    bridge.FetchText(false);  // copy-only never complains about the clipboard
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(BridgeWithEditor, AnEmptySelectionIsAnEmptyText) {
    host.Window(control).selection = "";
    bridge.WorkingText() = "earlier";
    bridge.FetchText(true);
    EXPECT_EQ(bridge.WorkingText(), "");
}

TEST_F(BridgeWithEditor, ClosedControlIsSearchedForAgainUnderTheTarget) {
    bridge.FetchText(true);
    host.Close(control);
    const WindowHandle second = host.AddWindow("TEditControl", "", host.editorWindow);
    host.Window(second).selection = "second";
    bridge.FetchText(true);
    EXPECT_EQ(bridge.EditControl(), second);
    EXPECT_EQ(bridge.WorkingText(), "second");
}

TEST(BridgeWithoutTargetTest, DeliverOnlyFillsTheClipboardAndLockAsksWithAnEmptyTitle) {
    FakeHost host;
    Bridge bridge{host};
    bridge.DeliverText("");
    EXPECT_EQ(host.Clipboard(), "");
    EXPECT_EQ(host.sent, (std::vector<std::string>{"front 0"}));
    host.answers = {Answer::Yes};
    EXPECT_EQ(bridge.LockToWindow(), true) << "checked, though nothing is locked";
    EXPECT_EQ(bridge.LockedWindow(), kNoWindow);
    EXPECT_NE(host.boxes.back().text.find("window \"\"?"), std::string::npos);
}

TEST_F(BridgeWithEditor, TextThatCouldNotBeStoredIsNotPastedAndTheUserIsTold) {
    bridge.FetchText(true);
    host.SetClipboardText("older clip");
    host.clipboardRefusesText = true;
    host.sent.clear();
    bridge.DeliverText("block");
    EXPECT_EQ(host.Window(control).text, "my_var := some_func(x);");
    EXPECT_TRUE(host.sent.empty());  // no paste of what the clipboard held before
    EXPECT_EQ(bridge.WorkingText(), "my_var := some_func(x);");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Could not put the text on the clipboard.");
    EXPECT_EQ(host.boxes[0].caption, "Could not paste");
}

TEST_F(BridgeWithEditor, UndoGoesToTheLivingControlOnly) {
    bridge.FetchText(true);
    bridge.DeliverText("changed");
    bridge.Undo();
    EXPECT_EQ(host.Window(control).text, "my_var := some_func(x);");
    host.Close(host.editorWindow);
    host.sent.clear();
    bridge.Undo();
    EXPECT_TRUE(host.sent.empty());
}

TEST_F(BridgeWithEditor, LockAnswersYesNoAndCancel) {
    host.answers = {Answer::Cancel};
    EXPECT_EQ(bridge.LockToWindow(), std::nullopt);
    EXPECT_EQ(host.Clipboard(), "my_var := some_func(x);") << "the selection was copied all the same";
    EXPECT_EQ(host.boxes.back().text,
              "Would you like to lock the Tavrill to the window \"Unit1.pas\"?  Clicking NO will unlock "
              "Tavrill from its current window.");
    EXPECT_EQ(host.boxes.back().caption, "Lock to Window");
    EXPECT_EQ(bridge.LockedWindow(), kNoWindow);

    host.answers = {Answer::Yes};
    EXPECT_EQ(bridge.LockToWindow(), true);
    EXPECT_EQ(bridge.LockedWindow(), control);

    // Locked: the timer keeps the control, whatever is in the foreground.
    host.foreground = host.AddWindow("Notepad", "notes");
    bridge.Tick();
    EXPECT_EQ(bridge.Target(), control);
    host.answers = {Answer::No};
    EXPECT_EQ(bridge.LockToWindow(), false);
    EXPECT_NE(host.boxes.back().text.find("window \"\"?"), std::string::npos)
        << "asking while locked shows the control's own (empty) title";
    EXPECT_EQ(bridge.LockedWindow(), kNoWindow);
}

TEST_F(BridgeWithEditor, ClosedLockedEditorIsReportedUntilUnlocked) {
    host.answers = {Answer::Yes};
    bridge.LockToWindow();
    host.Close(host.editorWindow);
    host.foreground = host.AddWindow("TEditWindow");
    host.AddWindow("TEditControl", "", host.foreground);
    for (int i = 0; i < 2; ++i) {
        bridge.Tick();
        host.boxes.clear();
        bridge.FetchText(true);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, "Source window was not a Delphi TEditWindow.");
    }
    host.answers = {Answer::No};
    bridge.LockToWindow();
    bridge.Tick();
    host.boxes.clear();
    bridge.FetchText(true);
    EXPECT_TRUE(host.boxes.empty());
}

}  // namespace
}  // namespace tavrill
