#include "app/StashCommands.h"

#include <gtest/gtest.h>

#include "base/Error.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"
#include "stash/StashTempFolder.h"

namespace tavrill {
namespace {

using testing::FakeHost;
using testing::StashTempFolder;

// The save dialog as a user who types a name and description and presses OK
// (or Cancel) and maybe edits the code first.
struct FakeSaveDialog : SaveDialog {
    bool ok = true;
    SaveValues typed;
    std::optional<std::string> editedCode;
    std::vector<std::string> shown;

    std::optional<SaveValues> Run(std::string_view code) override {
        shown.emplace_back(code);
        if (!ok) return std::nullopt;
        SaveValues v = typed;
        v.code = editedCode ? *editedCode : std::string(code);
        return v;
    }
};

struct FakeBrowser : StashBrowser {
    std::optional<std::string> result;
    int runs = 0;
    std::optional<std::string> Run() override {
        ++runs;
        return result;
    }
};

struct StashCommandTest : ::testing::Test {
    FakeHost host;
    Bridge bridge{host};
    WindowHandle control = host.AddEditor("a := 1;");
    StashTempFolder dir;

    void SetUp() override {
        host.foreground = host.editorWindow;
        bridge.Tick();
    }
    bool Pasted() const {
        return std::count(host.sent.begin(), host.sent.end(), "paste " + std::to_string(control));
    }
};

TEST_F(StashCommandTest, SaveWritesTheFetchedSelectionAndDeliversNothing) {
    FakeSaveDialog dialog;
    dialog.typed = {"util.txt", "Fast sort", ""};
    SaveToStashCommand(bridge, dialog, dir.Folder());
    EXPECT_EQ(dialog.shown, std::vector<std::string>{"a := 1;"});
    EXPECT_EQ(ReadFileBytes(dir.Folder() + "util.pas"), "//TAVRILL:Fast sort\r\na := 1;\r\n");
    EXPECT_EQ(bridge.WorkingText(), "a := 1;");
    EXPECT_FALSE(Pasted());
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(StashCommandTest, SaveKeepsEditsAndShowsEarlierTextWhenTheFetchFindsNone) {
    host.Window(control).copiesNothing = true;
    host.SetClipboardPicture();
    bridge.WorkingText() = "from before";
    FakeSaveDialog dialog;
    dialog.typed = {"x", "", ""};
    dialog.editedCode = "edited";
    SaveToStashCommand(bridge, dialog, dir.Folder());
    EXPECT_EQ(dialog.shown, std::vector<std::string>{"from before"});
    EXPECT_EQ(ReadFileBytes(dir.Folder() + "x.pas"), "//TAVRILL:\r\nedited\r\n");
}

TEST_F(StashCommandTest, EmptyNameOrCancelWritesNothing) {
    FakeSaveDialog dialog;
    dialog.typed = {"", "desc", ""};
    SaveToStashCommand(bridge, dialog, dir.Folder());
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, kNeedFileName);
    EXPECT_EQ(host.boxes[0].caption, kCantSave);

    dialog.ok = false;
    dialog.typed.name = "util";
    SaveToStashCommand(bridge, dialog, dir.Folder());
    EXPECT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(dir.AllNames().empty());
    EXPECT_FALSE(Pasted());
}

TEST_F(StashCommandTest, UnwritableOrOutsideNameIsReportedWithTheFullPathAndKeepsTheOldSnippet) {
    ASSERT_TRUE(WriteFileBytes(dir.Folder() + "keep.pas", "old"));
    const struct {
        const char* name;
        const char* reported;
    } cases[] = {
        {"missing\\util", "missing\\util.pas"},
        {"..\\escaped", "..\\escaped.pas"},
        {"c:\\autoexec", "c:\\autoexec.pas"},
        {"keep.pas\\x", "keep.pas\\x.pas"},  // a file where a folder should be
    };
    for (const auto& c : cases) {
        FakeSaveDialog dialog;
        dialog.typed = {c.name, "d", ""};
        try {
            SaveToStashCommand(bridge, dialog, dir.Folder());
            ADD_FAILURE() << c.name << " was saved";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot create file " + dir.Folder() + c.reported);
        }
    }
    EXPECT_EQ(dir.AllNames(), std::vector<std::string>{"keep.pas"});
    EXPECT_EQ(ReadFileBytes(dir.Folder() + "keep.pas"), "old");
}

TEST_F(StashCommandTest, LoadFetchesCopyOnlyAndDeliversOnlyAfterCopy) {
    bridge.WorkingText() = "kept";
    FakeBrowser browser;
    LoadFromStashCommand(bridge, browser);
    EXPECT_EQ(host.sent, std::vector<std::string>{"copy " + std::to_string(control)});
    EXPECT_EQ(bridge.WorkingText(), "kept");

    browser.result = "";  // COPY in an empty stash still replaces the selection
    LoadFromStashCommand(bridge, browser);
    EXPECT_TRUE(Pasted());
    EXPECT_EQ(host.Window(control).text, "");
    EXPECT_EQ(bridge.WorkingText(), "");
}

struct StashBrowserTest : ::testing::Test {
    FakeHost host;
    StashTempFolder dir;
    StashBrowserModel browser{host, dir.Folder()};

    void Put(const std::string& name, std::string_view bytes) {
        ASSERT_TRUE(WriteFileBytes(dir.Folder() + name, bytes));
    }
    std::vector<std::string> Listed() const {
        std::vector<std::string> names;
        for (const StashItem& i : browser.Items()) names.push_back(i.name);
        return names;
    }
};

TEST_F(StashBrowserTest, CopyDeliversTheFileLessItsFirstLineWithLineBreaksMadeWhole) {
    const struct {
        const char* file;
        const char* copied;
    } cases[] = {
        {"//TAVRILL:d\r\na\r\nb\r\n", "a\r\nb\r\n"},
        {"//TAVRILL:d\r\n", ""},
        {"one line without a break", ""},
        {"unit x;\r\ninterface", "interface"},  // no marker: the first line goes all the same
        {"//TAVRILL:lf\na\nb\n", "a\r\nb\r\n"},
        {"//TAVRILL:cr\ra\r\nb\r", "a\r\nb\r\n"},
        {"", ""},
    };
    for (const auto& c : cases) {
        Put("x.pas", c.file);
        browser.Show();
        browser.Select(0);
        EXPECT_EQ(browser.Copy(), c.copied) << c.file;
    }
}

TEST_F(StashBrowserTest, SavedSnippetComesBackWithAFinalLineBreak) {
    FakeHost saveHost;
    Bridge bridge{saveHost};
    SaveSnippet(bridge, dir.Folder(), {"round", "trip", "if a then\r\n  b;"});
    browser.Show();
    browser.Select(0);
    EXPECT_EQ(browser.Preview(), "//TAVRILL:trip\r\nif a then\r\n  b;\r\n");
    EXPECT_EQ(browser.Copy(), "if a then\r\n  b;\r\n");
}

TEST_F(StashBrowserTest, EveryShowingRereadsTheFolderAndStartsEmpty) {
    Put("b.pas", "x");
    browser.Show();
    browser.Select(0);
    Put("A.EXE", "y");
    ASSERT_TRUE(CreateFolder(dir.Folder() + "sub"));
    browser.Show();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"A.EXE", "b.pas"}));
    EXPECT_EQ(browser.Items()[0].glyph, StashGlyph::Program);
    EXPECT_FALSE(browser.Selected());
    EXPECT_EQ(browser.Preview(), "");
    EXPECT_EQ(browser.Copy(), "");  // COPY with nothing selected
}

TEST_F(StashBrowserTest, EditsAreCopiedButADoubleClickReloadsTheFile) {
    Put("x.pas", "//TAVRILL:\r\noriginal\r\n");
    browser.Show();
    EXPECT_EQ(browser.Activate(), std::nullopt);  // double-click on no item
    browser.Select(0);
    browser.SetPreview("first\r\nedited");
    EXPECT_EQ(browser.Copy(), "edited");
    browser.SetPreview("first\r\nedited");
    EXPECT_EQ(browser.Activate(), "original\r\n");
}

TEST_F(StashBrowserTest, FileGoneSinceListingKeepsThePreview) {
    Put("a.pas", "//TAVRILL:\r\na\r\n");
    Put("b.pas", "//TAVRILL:\r\nb\r\n");
    browser.Show();
    browser.Select(0);
    ASSERT_TRUE(DeleteFileAt(dir.Folder() + "b.pas"));
    try {
        browser.Select(1);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + dir.Folder() + "b.pas");
    }
    EXPECT_EQ(browser.Preview(), "//TAVRILL:\r\na\r\n");
}

TEST_F(StashBrowserTest, DeleteAsksAndOnlyYesRemovesTheFile) {
    Put("a.pas", "a");
    Put("b.pas", "b");
    browser.Show();
    EXPECT_FALSE(browser.DeleteSelected());  // nothing selected: no question
    EXPECT_TRUE(host.boxes.empty());

    browser.Select(1);
    host.answers = {Answer::No};
    EXPECT_FALSE(browser.DeleteSelected());
    EXPECT_EQ(Listed(), (std::vector<std::string>{"a.pas", "b.pas"}));
    EXPECT_EQ(browser.Selected(), 1u);

    host.answers = {Answer::Yes};
    EXPECT_TRUE(browser.DeleteSelected());
    EXPECT_EQ(Listed(), std::vector<std::string>{"a.pas"});
    EXPECT_FALSE(browser.Selected());
    EXPECT_EQ(browser.Preview(), "");
    EXPECT_EQ(dir.AllNames(), std::vector<std::string>{"a.pas"});
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].kind, "yesno");
    EXPECT_EQ(host.boxes[1].text, kDeleteQuestion);
    EXPECT_EQ(host.boxes[1].caption, kDeleteCaption);
}

}  // namespace
}  // namespace tavrill
