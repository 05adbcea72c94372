#include "stash/StashFile.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/resource.h>

#include <csignal>
#endif

#include "TempFolder.h"
#include "base/Files.h"

namespace tavrill {
namespace {

TEST(StashFilePathTest, LastDotSlashOrColonDecidesAndOnlyNamesInsideTheFolderAreAllowed) {
    const std::string folder = "c:\\tools\\tav.v1\\stash\\";
    const auto expect = [&](const std::string& typed, const std::string& file, bool outside) {
        EXPECT_EQ(StashFilePath(folder, typed).path, folder + file) << typed;
        EXPECT_EQ(StashFilePath(folder, typed).outside, outside) << typed;
    };
    for (const char* typed : {"util", "util.txt", "util.PAS", "util."}) expect(typed, "util.pas", false);
    expect("my.unit.tools", "my.unit.pas", false);
    expect(".x", ".pas", false);
    expect("..", "..pas", false);  // an odd name, but a file in the stash
    // A dot before the last backslash is no extension; "a..b" and "." steps stay inside.
    // A slash is a folder separator as well: "v1.2/notes" is notes.pas in v1.2, never v1.pas.
    for (const char* typed : {"sub.d\\util", "a..b\\.\\x", "v1.2/notes", "a.b/c.d\\e"})
        expect(typed, typed + std::string(".pas"), false);
    // A drive, a stream, a leading backslash or a ".." step, also as Windows reads ".. " and "...".
    for (const char* typed :
         {"c:\\windows\\win", "d:util", "util:stream", "\\autoexec", "/autoexec", "\\\\server\\share\\x",
          "..\\tavrill", "sub\\..\\..\\x", "../sub\\x", ".. \\x", "...\\x"})
        expect(typed, typed + std::string(".pas"), true);
}

TEST(StashFileContentTest, MarkerLineThenSnippetEndingWithExactlyOneLineBreak) {
    for (const char* snippet : {"a := 1;", "a := 1;\r\n"})
        EXPECT_EQ(StashFileContent("Fast sort", snippet), "//TAVRILL:Fast sort\r\na := 1;\r\n");
    EXPECT_EQ(StashFileContent("d", "a\r\n\r\n"), "//TAVRILL:d\r\na\r\n\r\n");
    EXPECT_EQ(StashFileContent("d", ""), "//TAVRILL:d\r\n");
    EXPECT_EQ(StashFileContent("", "x"), "//TAVRILL:\r\nx\r\n");
    EXPECT_EQ(StashFileContent(" d ", "a\r"), "//TAVRILL: d \r\na\r\r\n");  // a lone CR or LF ends no line
    EXPECT_EQ(StashFileContent("d", "a\n"), "//TAVRILL:d\r\na\n\r\n");
    EXPECT_EQ(StashFileContent("Ωμέγα", "Počet ✓"), "\xEF\xBB\xBF//TAVRILL:Ωμέγα\r\nPočet ✓\r\n");
    const std::string longDesc(5000, 'd');
    EXPECT_EQ(StashFileContent(longDesc, "x"), "//TAVRILL:" + longDesc + "\r\nx\r\n");
}

TEST(SaveStashFileTest, ReplacesWithoutAskingWritesIntoExistingSubfoldersOnlyAndNeverOutside) {
    testing::TempFolder dir;
    ASSERT_TRUE(CreateFolder(dir.Folder() + "stash"));
    ASSERT_TRUE(CreateFolder(dir.Folder() + "stash\\sub"));
    const std::string stash = dir.Folder() + "stash\\";
    EXPECT_TRUE(SaveStashFile(StashFilePath(stash, "util.txt"), "first"));
    EXPECT_TRUE(SaveStashFile(StashFilePath(stash, "util"), "second"));
    EXPECT_TRUE(SaveStashFile(StashFilePath(stash, "sub\\util"), "x"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "none\\util"), "x"));
    EXPECT_TRUE(SaveStashFile(StashFilePath(stash, "v1"), "v1 snippet"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "v1.2/notes"), "x"));  // no folder v1.2
    EXPECT_EQ(ReadFileBytes(stash + "v1.pas"), "v1 snippet");
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "..\\escaped"), "x"));
    EXPECT_FALSE(SaveStashFile(StashFilePath(stash, "sub/../../escaped"), "x"));
    EXPECT_EQ(ReadFileBytes(stash + "util.pas"), "second");
    EXPECT_EQ(ReadFileBytes(stash + "sub\\util.pas"), "x");
    EXPECT_FALSE(FileExists(dir.Folder() + "escaped.pas"));
}

#if !defined(_WIN32)
// A write that fails half way (the file-size limit stands in for a full disk) must leave the old
// snippet as it was. Windows has no such limit; the end-to-end tests use a read-only snippet there.
TEST(SaveStashFileTest, FailedReplaceKeepsTheOldSnippetAndLeavesNoStrayFile) {
    testing::TempFolder dir;
    const StashPath target = StashFilePath(dir.Folder(), "keep");
    ASSERT_TRUE(SaveStashFile(target, "old snippet"));
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{4096, saved.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = SaveStashFile(target, std::string(100000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadFileBytes(target.path), "old snippet");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path), {}), 1);
}
#endif

}  // namespace
}  // namespace tavrill
