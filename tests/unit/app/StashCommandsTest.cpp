#include "app/StashCommands.h"

#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"
#include "stash/StashTempFolder.h"

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
    testing::StashTempFolder dir;
    StashBrowserModel browser{host, dir.Folder()};
    const std::pair<const char*, const char*> cases[] = {
        {"//TAVRILL:d\r\na\r\nb\r\n", "a\r\nb\r\n"},
        {"//TAVRILL:d\r\n", ""},
        {"one line without a break", ""},
        {"unit x;\r\ninterface", "interface"},  // no marker: the first line goes all the same
        {"//TAVRILL:cr\ra\r\nb\n", "a\r\nb\r\n"},
        {"\xEF\xBB\xBF//TAVRILL:\xE2\x9C\x93\r\nx\r\n", "x\r\n"},  // the mark is no part of the first line
        {"//TAVRILL:old\r\nPo\xE8\r\n", "Poè\r\n"},            // ANSI, read as Latin-1 here
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

}  // namespace
}  // namespace tavrill
