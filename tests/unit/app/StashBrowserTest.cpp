#include "app/StashBrowser.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "base/Error.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

// What the worker thread does, here on the test's own thread.
void ReadAll(StashCatalog& catalog, StashBrowserModel& browser) {
    const std::atomic<bool> stop = false;
    if (auto job = catalog.TakeJob())
        ReadStashFiles(*job, 1, stop, [&](StashTexts t) { ASSERT_TRUE(catalog.Accept(std::move(t))); });
    browser.IndexGrew();
}

TEST(StashBrowserModelTest, CopyGivesTheFileLessItsFirstLineOnlyWithASnippetChosen) {
    testing::FakeHost host;
    testing::TempFolder dir;
    StashCatalog catalog{dir.Folder()};
    StashBrowserModel browser{host, catalog};
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
    StashCatalog catalog{dir.Folder()};
    StashBrowserModel browser{host, catalog};
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
    StashCatalog catalog{dir.Folder()};
    StashBrowserModel browser{host, catalog};
    browser.Show();
    ReadAll(catalog, browser);
    EXPECT_EQ(browser.Rows(), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(browser.Description(1), "Date range");
    browser.Select(1);
    browser.SetPreview("edited");
    browser.Search("RANGE");
    EXPECT_EQ(browser.Rows(), std::vector<std::size_t>{1});
    EXPECT_EQ(browser.Preview(), "edited");  // still shown, still selected
    browser.Search("sort");
    EXPECT_EQ(browser.Rows(), std::vector<std::size_t>{0});
    EXPECT_EQ(browser.Selected(), 0u);  // the chosen row went: the best match takes its place
    EXPECT_EQ(browser.Preview(), "//TAVRILL:Sort\r\ny\r\n");
    browser.Search("nowhere");
    EXPECT_EQ(browser.Selected(), std::nullopt);
    EXPECT_EQ(browser.Preview(), "");
    browser.SetOrder(StashOrder::NewestFirst);
    browser.Show();  // the search starts empty, the order stays
    EXPECT_EQ(browser.Query(), "");
    EXPECT_EQ(browser.Order(), StashOrder::NewestFirst);
    EXPECT_EQ(browser.Rows().size(), 2u);
}

TEST(StashBrowserModelTest, ImportNeverOverwritesAndNamesTheFilesThatAreNoTemplateFiles) {
    testing::FakeHost host;
    testing::TempFolder dir;
    const std::string f = dir.Folder(),
                      xml = "<codetemplate><template name='x'><code>|end|</code></template>";
    ASSERT_TRUE(WriteFileBytes(f + "x.pas", "mine") && WriteFileBytes(f + "a.xml", xml) &&
                WriteFileBytes(f + "b.xml", xml + "</codetemplate>"));
    StashCatalog catalog{f};
    StashBrowserModel browser{host, catalog};
    browser.ImportTemplates({f + "a.xml", f + "b.xml", f + "c.xml"});
    EXPECT_EQ(ReadFileBytes(f + "x.pas"), "mine");
    EXPECT_EQ(ReadFileBytes(f + "x (2).pas"), "//TAVRILL:\r\n%|%\r\n");
    EXPECT_TRUE(host.boxes.at(0).text.starts_with("Cannot open file " + f + "c.xml.\r\na.xml is not"));
}

TEST(StashBrowserModelTest, TypingSelectsTheBestMatchUnlessTheUserChoseARowStillShown) {
    testing::FakeHost host;
    testing::TempFolder dir;
    for (const auto& [name, text] : {std::pair{"Loop over rows.pas", "//TAVRILL:walk a dataset\r\n"},
                                     {"loopback.pas", "x"},
                                     {"Sort lines.pas", "//TAVRILL:s\r\n"},
                                     {"Tools.pas", "while not Eof do LOOP"}})
        ASSERT_TRUE(WriteFileBytes(dir.Folder() + name, text));
    StashCatalog catalog{dir.Folder()};
    StashBrowserModel browser{host, catalog};
    browser.Show();
    const std::pair<const char*, std::optional<std::size_t>> cases[] = {
        {"LOOP", 0},         // a word's start, and first of those
        {"s", 2},            // not the first row: the first whose word starts with it
        {"ools", 3},         // inside a name only
        {"", std::nullopt},  // typing nothing selects nothing
    };
    for (const auto& [query, selected] : cases) {
        browser.Search(query);
        EXPECT_EQ(browser.Selected(), selected) << query;
    }
    browser.Search("dataset");  // only the description holds it, read once the files are
    EXPECT_EQ(browser.Selected(), std::nullopt);
    ReadAll(catalog, browser);
    EXPECT_EQ(browser.Selected(), 0u);
    browser.Search("loop");
    browser.Select(1);  // the user's choice outlives typing while it is shown
    browser.Search("loopb");
    EXPECT_EQ(browser.Selected(), 1u);
    browser.Search("rows");
    EXPECT_EQ(browser.Selected(), 0u);
}

}  // namespace
}  // namespace tavrill
