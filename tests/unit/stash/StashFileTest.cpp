#include "stash/StashFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <string>

#include "StashTempFolder.h"
#include "base/Files.h"

namespace tavrill {
namespace {

using testing::StashTempFolder;

const std::string kFolder = "c:\\tools\\tav.v1\\stash\\";

TEST(StashFilePathTest, LastDotBackslashOrColonDecidesTheExtension) {
    const struct {
        const char* typed;
        const char* file;
    } cases[] = {
        {"util", "util.pas"},
        {"util.txt", "util.pas"},
        {"util.PAS", "util.pas"},
        {"my.unit.tools", "my.unit.pas"},
        {"util.", "util.pas"},
        {".x", ".pas"},
        {"", ".pas"},
        {"Sort Routines", "Sort Routines.pas"},  // blanks and case as typed
        {"sub.d\\util", "sub.d\\util.pas"},      // a dot before the last backslash is no extension
        {"sub\\util.inc", "sub\\util.pas"},
        {"..", "..pas"},  // a plain file name in the stash, however odd
    };
    for (const auto& c : cases) {
        const StashPath p = StashFilePath(kFolder, c.typed);
        EXPECT_EQ(p.path, kFolder + c.file) << c.typed;
        EXPECT_FALSE(p.outside) << c.typed;
    }
}

TEST(StashFilePathTest, NamesLeadingOutOfTheFolderAreRefused) {
    const struct {
        const char* typed;
        const char* reported;  // the full path the refusal names
    } cases[] = {
        {"c:\\windows\\win", "c:\\windows\\win.pas"},
        {"d:util", "d:util.pas"},
        {"util:hidden", "util:hidden.pas"},
        {"\\autoexec", "\\autoexec.pas"},
        {"\\\\server\\share\\x", "\\\\server\\share\\x.pas"},
        {"..\\tavrill", "..\\tavrill.pas"},
        {"sub\\..\\..\\x", "sub\\..\\..\\x.pas"},
        {"../sub\\x", "../sub\\x.pas"},
        {"sub/../../up\\x", "sub/../../up\\x.pas"},
        {".. \\x", ".. \\x.pas"},
        {"...\\x", "...\\x.pas"},
        {"..\\..", "..\\..pas"},
    };
    for (const auto& c : cases) {
        const StashPath p = StashFilePath(kFolder, c.typed);
        EXPECT_TRUE(p.outside) << c.typed;
        EXPECT_EQ(p.path, kFolder + c.reported) << c.typed;
    }
    // Steps that stay inside are left alone.
    for (const char* inside : {"sub\\..x", "sub\\.\\x", "a..b", "sub\\..", "x..\\y"})
        EXPECT_FALSE(StashFilePath(kFolder, inside).outside) << inside;
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
        {" padded ", "a\r", "//TAVRILL: padded \r\na\r\r\n"},  // a lone CR is no line break
        {"d", "a\n", "//TAVRILL:d\r\na\n\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(StashFileContent(c.desc, c.snippet), c.file) << c.snippet;
    EXPECT_EQ(StashFileContent("Fast sort", "a := 1;").size(), 30u);
}

TEST(StashFileContentTest, LongDescriptionIsWrittenWhole) {
    const std::string desc(5000, 'd');
    EXPECT_EQ(StashFileContent(desc, "x"), std::string(kStashMarker) + desc + "\r\nx\r\n");
}

TEST(SaveStashFileTest, WritesTheFileAndReplacesAnOldOneWithoutAsking) {
    StashTempFolder dir;
    const StashPath target = StashFilePath(dir.Folder(), "util.txt");
    ASSERT_TRUE(SaveStashFile(target, "first"));
    ASSERT_TRUE(SaveStashFile(target, "second"));
    EXPECT_EQ(ReadFileBytes(target.path), "second");
    EXPECT_EQ(dir.AllNames(), std::vector<std::string>{"util.pas"});
}

TEST(SaveStashFileTest, ExistingSubfolderIsAllowedAndMissingOneFails) {
    StashTempFolder dir;
    ASSERT_TRUE(CreateFolder(dir.Folder() + "sub"));
    EXPECT_TRUE(SaveStashFile(StashFilePath(dir.Folder(), "sub\\util"), "x"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(dir.Folder(), "none\\util"), "x"));
    EXPECT_EQ(dir.AllNames(), (std::vector<std::string>{"sub", "sub/util.pas"}));
}

TEST(SaveStashFileTest, RefusedNameWritesNothingAnywhere) {
    StashTempFolder dir;
    ASSERT_TRUE(CreateFolder(dir.Folder() + "stash"));
    const std::string stash = dir.Folder() + "stash\\";
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "..\\escaped"), "x"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "sub/../../escaped"), "x"));
    EXPECT_EQ(dir.AllNames(), std::vector<std::string>{"stash"});
}

// A write that fails half way (the file-size limit stands in for a full disk)
// must leave the old snippet as it was.
TEST(SaveStashFileTest, FailedReplaceKeepsTheOldSnippetAndLeavesNoStrayFile) {
    StashTempFolder dir;
    const StashPath target = StashFilePath(dir.Folder(), "keep");
    const std::string old = StashFileContent("old", "a := 1;");
    ASSERT_TRUE(SaveStashFile(target, old));

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved2 = SaveStashFile(target, StashFileContent("new", std::string(100000, 'x')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved2);
    EXPECT_EQ(ReadFileBytes(target.path), old);
    EXPECT_EQ(dir.AllNames(), std::vector<std::string>{"keep.pas"});
}

}  // namespace
}  // namespace tavrill
