#include "app/StashCommands.h"

#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"
#include "stash/StashTempFolder.h"

namespace tavrill {
namespace {

// The save dialog as a user who types a name and description, maybe edits the
// code, and presses OK (or Cancel).
struct FakeSaveDialog : SaveDialog {
    std::optional<SaveValues> typed;  // nothing: Cancel
    std::vector<std::string> shown;
    std::optional<SaveValues> Run(std::string_view code) override {
        shown.emplace_back(code);
        if (typed && typed->code.empty()) typed->code = code;
        return typed;
    }
};

struct FakeBrowser : StashBrowser {
    std::optional<std::string> copied;
    std::optional<std::string> Run() override { return copied; }
};

struct StashCommandTest : ::testing::Test {
    testing::FakeHost host;
    Bridge bridge{host};
    WindowHandle control = host.AddEditor("a := 1;");
    testing::StashTempFolder dir;

    void SetUp() override {
        host.foreground = host.editorWindow;
        bridge.Tick();
    }
    bool Pasted() const { return host.sent.back() == "front " + std::to_string(control); }
};

TEST_F(StashCommandTest, SaveWritesWhatTheDialogShowedOrItsEditsAndDeliversNothing) {
    FakeSaveDialog dialog;
    dialog.typed = SaveValues{"util.txt", "Fast sort", ""};
    SaveToStashCommand(bridge, dialog, dir.Folder());
    EXPECT_EQ(ReadFileBytes(dir.Folder() + "util.pas"), "//TAVRILL:Fast sort\r\na := 1;\r\n");

    host.Window(control).copiesNothing = true;  // the dialog shows the text left from before
    host.SetClipboardPicture();
    dialog.typed = SaveValues{"util", "", "edited"};
    SaveToStashCommand(bridge, dialog, dir.Folder());
    EXPECT_EQ(dialog.shown, (std::vector<std::string>{"a := 1;", "a := 1;"}));
    EXPECT_EQ(ReadFileBytes(dir.Folder() + "util.pas"), "//TAVRILL:\r\nedited\r\n");
    EXPECT_FALSE(Pasted());
    EXPECT_EQ(bridge.WorkingText(), "a := 1;");
}

TEST_F(StashCommandTest, EmptyNameIsToldAndCancelIsSilentBothWriteNothing) {
    FakeSaveDialog dialog;
    dialog.typed = SaveValues{"", "desc", ""};
    SaveToStashCommand(bridge, dialog, dir.Folder());
    dialog.typed.reset();
    SaveToStashCommand(bridge, dialog, dir.Folder());
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, kNeedFileName);
    EXPECT_EQ(host.boxes[0].caption, kCantSave);
    EXPECT_TRUE(dir.AllNames().empty());
}

TEST_F(StashCommandTest, NameLeadingOutsideRaisesTheErrorWithTheFullPath) {
    FakeSaveDialog dialog;
    dialog.typed = SaveValues{"..\\escaped.txt", "d", ""};
    try {
        SaveToStashCommand(bridge, dialog, dir.Folder());
        ADD_FAILURE() << "saved";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + dir.Folder() + "..\\escaped.pas");
    }
}

TEST_F(StashCommandTest, LoadFetchesCopyOnlyAndDeliversOnlyAfterCopy) {
    bridge.WorkingText() = "kept";
    FakeBrowser browser;
    LoadFromStashCommand(bridge, browser);
    EXPECT_EQ(host.sent, std::vector<std::string>{"copy " + std::to_string(control)});
    EXPECT_EQ(bridge.WorkingText(), "kept");

    browser.copied = "";  // COPY from an empty stash still replaces the selection
    LoadFromStashCommand(bridge, browser);
    EXPECT_TRUE(Pasted());
    EXPECT_EQ(host.Window(control).text, "");
}

TEST(StashBrowserModelTest, CopyGivesTheFileLessItsFirstLineWithLineBreaksMadeWhole) {
    testing::FakeHost host;
    testing::StashTempFolder dir;
    StashBrowserModel browser{host, dir.Folder()};
    const struct {
        const char* file;
        const char* copied;
    } cases[] = {
        {"//TAVRILL:d\r\na\r\nb\r\n", "a\r\nb\r\n"},
        {"//TAVRILL:d\r\n", ""},
        {"one line without a break", ""},
        {"unit x;\r\ninterface", "interface"},  // no marker: the first line goes all the same
        {"//TAVRILL:cr\ra\r\nb\n", "a\r\nb\r\n"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteFileBytes(dir.Folder() + "x.pas", c.file));
        browser.Show();
        EXPECT_EQ(browser.Activate(), std::nullopt);  // a double-click with nothing selected
        browser.Select(0);
        EXPECT_EQ(browser.Copy(), c.copied) << c.file;
    }
    ASSERT_TRUE(DeleteFileAt(dir.Folder() + "x.pas"));
    EXPECT_THROW(browser.Select(0), Error);  // gone since the list was read
}

}  // namespace
}  // namespace tavrill
