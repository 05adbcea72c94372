#include "app/Folders.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>

#include "TempFolder.h"

namespace tavrill {
namespace {

TEST(FoldersTest, ProgramFolderIsLowerCasedInAsciiOnlyAndEndsInABackslash) {
    EXPECT_EQ(ProgramFolderOf("C:\\Tools\\Editor\\TAVRILL.EXE"), "c:\\tools\\editor\\");
    EXPECT_EQ(ProgramFolderOf("C:TAVRILL.EXE"), "c:\\");
    EXPECT_EQ(ProgramFolderOf("D:\\\xC9"
                              "cole\\t.exe"),
              "d:\\\xC9"
              "cole\\");  // bytes above 127 keep their case
    EXPECT_EQ(ProgramFolderOf("\\\\Server\\Share\\t.exe"), "\\\\server\\share\\");
}

TEST(FoldersTest, StashFolderSettingIsAbsoluteOrUnderTheProgramFolder) {
    const Folders defaults = FoldersFor("C:\\Tools\\t.exe");
    const struct {
        const char* setting;
        const char* folder;
    } cases[] = {
        {"", "c:\\tools\\stash\\"},
        {"  ", "c:\\tools\\stash\\"},
        {"D:\\Sync\\Snippets", "D:\\Sync\\Snippets\\"},
        {"D:/Sync/Snippets/", "D:\\Sync\\Snippets\\"},
        {"\\\\server\\share\\stash", "\\\\server\\share\\stash\\"},
        {"\\Shared", "\\Shared\\"},
        {"snippets", "c:\\tools\\snippets\\"},
        {"..\\Shared\\stash\\", "c:\\tools\\..\\Shared\\stash\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(StashFolderFromSetting(defaults, c.setting), c.folder) << c.setting;
}

TEST(FoldersTest, ChosenStashFolderIsMadeOrRefusedForTheDefault) {
    testing::TempFolder program;
    const Folders defaults = FoldersFor(program.Folder() + "tavrill.exe");
    std::ofstream(program.path / "blocked") << "a file";

    const StashFolderChoice made = ChooseStashFolder(defaults, "sync/deep/stash");
    EXPECT_EQ(made.folder, defaults.program + "sync\\deep\\stash\\");
    EXPECT_EQ(made.problem, "");
    EXPECT_TRUE(
        std::filesystem::is_empty(program.path / "sync" / "deep" / "stash"));  // the check left nothing
    EXPECT_FALSE(std::filesystem::exists(program.path / "stash"));

    const StashFolderChoice refused = ChooseStashFolder(defaults, program.Folder() + "blocked\\stash");
    EXPECT_EQ(refused.folder, defaults.stash);
    EXPECT_EQ(refused.problem, "Cannot use the stash folder " + program.Folder() +
                                   "blocked\\stash; the stash folder beside the program is used instead");
    EXPECT_TRUE(std::filesystem::is_directory(program.path / "stash"));
    EXPECT_TRUE(std::filesystem::is_regular_file(program.path / "blocked"));

#ifndef _WIN32
    if (::geteuid() != 0) {  // root writes anywhere
        std::filesystem::create_directory(program.path / "locked");
        std::filesystem::permissions(program.path / "locked",
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_EQ(ChooseStashFolder(defaults, "locked").folder, defaults.stash);
        std::filesystem::permissions(program.path / "locked", std::filesystem::perms::owner_all);
    }
#endif
    EXPECT_EQ(ChooseStashFolder(defaults, "").folder, defaults.stash);
}

}  // namespace
}  // namespace tavrill
