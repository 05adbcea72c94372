#include "app/StashBrowser.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "base/Error.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

TEST(StashBrowserModelTest, CopyGivesTheFileLessItsFirstLineOnlyWithASnippetChosen) {
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
        EXPECT_EQ(browser.Copy(), std::nullopt);      // COPY with nothing selected erases nothing
        browser.Select(0);
        EXPECT_EQ(browser.Copy(), copied) << file;
        EXPECT_EQ(browser.Activate(), copied) << file;
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
    host.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(browser.DeleteSelected());
    EXPECT_TRUE(FileExists(dir.Folder() + "b.pas"));
    EXPECT_TRUE(browser.DeleteSelected());
    EXPECT_FALSE(FileExists(dir.Folder() + "b.pas"));
    ASSERT_EQ(browser.Items().size(), 1u);
    EXPECT_EQ(browser.Selected(), std::nullopt);
    EXPECT_EQ(browser.Preview(), "");
    EXPECT_EQ(host.boxes.size(), 2u);  // asked twice, not when nothing was selected
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
