#include "stash/StashFile.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/resource.h>

#include <csignal>
#endif

#include "StashTempFolder.h"
#include "base/Files.h"

namespace tavrill {
namespace {

using testing::StashTempFolder;
using Names = std::vector<std::string>;

TEST(StashFilePathTest, LastDotBackslashOrColonDecidesAndOnlyNamesInsideTheFolderAreAllowed) {
    const std::string folder = "c:\\tools\\tav.v1\\stash\\";
    const struct {
        const char* typed;
        const char* file;
        bool outside;
    } cases[] = {
        {"util", "util.pas", false},
        {"util.txt", "util.pas", false},
        {"util.PAS", "util.pas", false},
        {"my.unit.tools", "my.unit.pas", false},
        {"util.", "util.pas", false},
        {".x", ".pas", false},
        {"Sort Routines", "Sort Routines.pas", false},
        {"sub.d\\util", "sub.d\\util.pas", false},  // a dot before the last backslash is no extension
        {"..", "..pas", false},                     // an odd name, but a file in the stash
        {"sub\\..", "sub\\..pas", false},
        {"a..b\\.\\x", "a..b\\.\\x.pas", false},
        {"c:\\windows\\win", "c:\\windows\\win.pas", true},
        {"d:util", "d:util.pas", true},
        {"util:stream", "util:stream.pas", true},
        {"\\autoexec", "\\autoexec.pas", true},
        {"\\\\server\\share\\x", "\\\\server\\share\\x.pas", true},
        {"..\\tavrill", "..\\tavrill.pas", true},
        {"sub\\..\\..\\x", "sub\\..\\..\\x.pas", true},
        {"../sub\\x", "../sub\\x.pas", true},
        {".. \\x", ".. \\x.pas", true},  // Windows drops the blank and reads ".."
        {"...\\x", "...\\x.pas", true},
    };
    for (const auto& c : cases) {
        const StashPath p = StashFilePath(folder, c.typed);
        EXPECT_EQ(p.path, folder + c.file) << c.typed;
        EXPECT_EQ(p.outside, c.outside) << c.typed;
    }
}

TEST(StashFileContentTest, MarkerLineThenSnippetEndingWithExactlyOneLineBreak) {
    const struct {
        const char* desc;
        const char* snippet;
        const char* file;
    } cases[] = {
        {"Fast sort", "a := 1;", "//TAVRILL:Fast sort\r\na := 1;\r\n"},
        {"Fast sort", "a := 1;\r\n", "//TAVRILL:Fast sort\r\na := 1;\r\n"},
        {"d", "a\r\n\r\n", "//TAVRILL:d\r\na\r\n\r\n"},
        {"", "x", "//TAVRILL:\r\nx\r\n"},
        {"d", "", "//TAVRILL:d\r\n"},
        {" d ", "a\r", "//TAVRILL: d \r\na\r\r\n"},  // a lone CR or LF ends no line
        {"d", "a\n", "//TAVRILL:d\r\na\n\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(StashFileContent(c.desc, c.snippet), c.file) << c.snippet;
    const std::string longDesc(5000, 'd');
    EXPECT_EQ(StashFileContent(longDesc, "x"), "//TAVRILL:" + longDesc + "\r\nx\r\n");
}

TEST(SaveStashFileTest, ReplacesWithoutAskingWritesIntoExistingSubfoldersOnlyAndNeverOutside) {
    StashTempFolder dir;
    ASSERT_TRUE(CreateFolder(dir.Folder() + "stash"));
    ASSERT_TRUE(CreateFolder(dir.Folder() + "stash\\sub"));
    const std::string stash = dir.Folder() + "stash\\";
    EXPECT_TRUE(SaveStashFile(StashFilePath(stash, "util.txt"), "first"));
    EXPECT_TRUE(SaveStashFile(StashFilePath(stash, "util"), "second"));
    EXPECT_TRUE(SaveStashFile(StashFilePath(stash, "sub\\util"), "x"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "none\\util"), "x"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "..\\escaped"), "x"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "sub/../../escaped"), "x"));
    EXPECT_EQ(ReadFileBytes(stash + "util.pas"), "second");
    EXPECT_EQ(dir.AllNames(), (Names{"stash", "stash/sub", "stash/sub/util.pas", "stash/util.pas"}));
}

#if !defined(_WIN32)
// A write that fails half way (the file-size limit stands in for a full disk)
// must leave the old snippet as it was. Windows has no such limit; a read-only
// snippet that cannot be replaced stands in for it in the end-to-end tests.
TEST(SaveStashFileTest, FailedReplaceKeepsTheOldSnippetAndLeavesNoStrayFile) {
    StashTempFolder dir;
    const StashPath target = StashFilePath(dir.Folder(), "keep");
    ASSERT_TRUE(SaveStashFile(target, "old snippet"));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = SaveStashFile(target, std::string(100000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(target.path), "old snippet");
    EXPECT_EQ(dir.AllNames(), Names{"keep.pas"});
}
#endif

}  // namespace
}  // namespace tavrill
