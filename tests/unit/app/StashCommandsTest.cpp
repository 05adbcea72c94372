#include "app/StashCommands.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "base/Error.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

struct FakeBrowser : StashBrowser {
    std::optional<std::string> copied;  // nothing: closed without COPY
    std::optional<std::string> Run() override { return copied; }
};

TEST(LoadFromStashCommandTest, FetchesCopyOnlyAndDeliversOnlyAfterCopy) {
    testing::FakeHost host;
    Bridge bridge{host};
    const WindowHandle control = host.AddEditor("a := 1;");
    host.foreground = host.editorWindow;
    bridge.Tick();
    FakeBrowser browser;
    LoadFromStashCommand(bridge, browser);
    EXPECT_EQ(host.sent, std::vector<std::string>{"copy " + std::to_string(control)});
    EXPECT_EQ(bridge.WorkingText(), "");  // the clipboard is not read

    browser.copied = "";  // COPY from an empty stash still replaces the selection
    LoadFromStashCommand(bridge, browser);
    EXPECT_EQ(host.sent.back(), "front " + std::to_string(control));
    EXPECT_EQ(host.Window(control).text, "");
}

TEST(StashBrowserModelTest, CopyGivesTheFileLessItsFirstLineWithLineBreaksMadeWhole) {
    testing::FakeHost host;
    testing::TempFolder dir;
    StashBrowserModel browser{host, dir.Folder()};
    const std::pair<const char*, const char*> cases[] = {
        {"//TAVRILL:d\r\na\r\nb\r\n", "a\r\nb\r\n"},
        {"//TAVRILL:d\r\n", ""},
        {"one line without a break", ""},
        {"unit x;\r\ninterface", "interface"},  // no marker: the first line goes all the same
        {"//TAVRILL:cr\ra\r\nb\n", "a\r\nb\r\n"},
        {"\xEF\xBB\xBF//TAVRILL:\xE2\x9C\x93\r\nx\r\n", "x\r\n"},  // the mark is no part of the first line
        {"//TAVRILL:old\r\nPo\xE8\r\n", "Poè\r\n"},                // ANSI, read as Latin-1 here
    };
    for (const auto& [file, copied] : cases) {
        ASSERT_TRUE(WriteFileBytes(dir.Folder() + "x.pas", file));
        browser.Show();
        EXPECT_EQ(browser.Activate(), std::nullopt);  // a double-click with nothing selected
        browser.Select(0);
        EXPECT_EQ(browser.Copy(), copied) << file;
    }
    ASSERT_TRUE(DeleteFileAt(dir.Folder() + "x.pas"));
    EXPECT_THROW(browser.Select(0), Error);  // gone since the list was read
}

TEST(StashBrowserModelTest, DeleteAsksFirstAndASelectionPastTheEndChangesNothing) {
    testing::FakeHost host;
    testing::TempFolder dir;
    StashBrowserModel browser{host, dir.Folder()};
    for (const char* name : {"a.pas", "b.pas"})
        ASSERT_TRUE(WriteFileBytes(dir.Folder() + name, "//TAVRILL:\r\nx"));
    browser.Show();
    EXPECT_FALSE(browser.DeleteSelected());  // nothing selected: not even asked
    browser.Select(1);
    browser.Select(2);  // one past the end
    EXPECT_EQ(browser.Selected(), 1u);
    EXPECT_EQ(browser.Preview(), "//TAVRILL:\r\nx");

    host.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(browser.DeleteSelected());
    EXPECT_TRUE(FileExists(dir.Folder() + "b.pas"));
    EXPECT_EQ(browser.Selected(), 1u);
    EXPECT_TRUE(browser.DeleteSelected());
    EXPECT_FALSE(FileExists(dir.Folder() + "b.pas"));
    ASSERT_EQ(browser.Items().size(), 1u);
    EXPECT_EQ(browser.Items()[0].name, "a.pas");
    EXPECT_EQ(browser.Selected(), std::nullopt);
    EXPECT_EQ(browser.Preview(), "");
    ASSERT_EQ(host.boxes.size(), 2u);
    for (const testing::Box& box : host.boxes) {
        EXPECT_EQ(box.kind, "yesno");
        EXPECT_EQ(box.text, kDeleteQuestion);
        EXPECT_EQ(box.caption, kDeleteCaption);
    }
    browser.Select(1);  // past the end of the shorter list
    EXPECT_EQ(browser.Selected(), std::nullopt);
}

TEST(StashBrowserModelTest, SearchAndOrderChooseTheRowsAndKeepOnlyAShownSelection) {
    testing::FakeHost host;
    testing::TempFolder dir;
    ASSERT_TRUE(WriteFileBytes(dir.Folder() + "b.pas", "//TAVRILL:Date range\r\nx\r\n"));
    ASSERT_TRUE(WriteFileBytes(dir.Folder() + "a.pas", "//TAVRILL:Sort\r\ny\r\n"));
    StashBrowserModel browser{host, dir.Folder()};
    browser.Show();
    EXPECT_EQ(browser.Rows(), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(browser.Description(1), "Date range");

    browser.Select(1);
    browser.SetPreview("edited");
    browser.Search("RANGE");
    EXPECT_EQ(browser.Rows(), std::vector<std::size_t>{1});
    EXPECT_EQ(browser.Preview(), "edited");  // still shown, still selected
    browser.Search("sort");
    EXPECT_EQ(browser.Rows(), std::vector<std::size_t>{0});
    EXPECT_EQ(browser.Selected(), std::nullopt);
    EXPECT_EQ(browser.Preview(), "");

    browser.SetOrder(StashOrder::NewestFirst);
    browser.Show();  // the search starts empty, the order stays
    EXPECT_EQ(browser.Query(), "");
    EXPECT_EQ(browser.Order(), StashOrder::NewestFirst);
    EXPECT_EQ(browser.Rows().size(), 2u);
}

}  // namespace
}  // namespace tavrill
