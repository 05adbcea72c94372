#include "blocks/FunctionList.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

#include "ErrorOf.h"
#include "TempFolder.h"
#include "base/Files.h"

namespace tavrill {
namespace {

using Entries = std::vector<std::string>;

TEST(FunctionListTest, FileLinesEndAtEveryKindOfBreakAndAtNul) {
    const std::pair<std::string_view, Entries> cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"\n", {""}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"x\r\n\r\n", {"x", ""}},
        {std::string_view("a\r\nb\0c\r\nd", 10), {"a", "b"}},
        {" Trim \r\nTrim\r\nTrim", {" Trim ", "Trim", "Trim"}},
    };
    for (const auto& [bytes, expected] : cases) EXPECT_EQ(ParseFunctionList(bytes), expected) << bytes;
    const std::string longEntry(10000, 'x');
    EXPECT_EQ(FunctionListFileContent({longEntry, "", "y"}), longEntry + "\r\n\r\ny\r\n");
}

TEST(FunctionListTest, KeepsItselfSortedWithoutRegardToCaseAndAddsOnlyWhatIsNotExactlyThere) {
    FunctionList list;
    EXPECT_EQ(list.Entries(), DesignFunctionEntries());
    EXPECT_TRUE(list.AddIfMissing("trim"));  // the dialog's default text beside the design entry
    for (const char* name : {"trim", "Trim", "FileExists", "Uppercase"})
        EXPECT_FALSE(list.AddIfMissing(name));
    EXPECT_TRUE(list.AddIfMissing(" Trim"));
    EXPECT_EQ(list.Entries(), (Entries{" Trim", "FileExists", "FormatDateTime('m/d/yyyy',", "IntToStr",
                                       "Lowercase", "StrToInt", "Trim", "trim", "Uppercase"}));
    list.Assign({"b", "A", "", "C", "a"});
    list.Insert("B_");
    list.Insert("aa");
    EXPECT_EQ(list.Entries(), (Entries{"", "A", "a", "aa", "b", "B_", "C"}));
}

struct FunctionListFileTest : ::testing::Test {
    testing::TempFolder folder;
    const std::filesystem::path& dir = folder.path;
    std::string path = folder.Folder() + "fnlist.dat";
    FunctionList list;
};

TEST_F(FunctionListFileTest, WrittenOnlyWhenItDiffersFromTheFileAndNeverAfterAFailedRead) {
    EXPECT_NO_THROW(LoadFunctionList(list, path));  // a missing file is the silent first run
    EXPECT_EQ(list.Entries(), DesignFunctionEntries());
    SaveFunctionList(list, path);
    EXPECT_EQ(ReadFileBytes(path), FunctionListFileContent(DesignFunctionEntries()));

    // Unchanged, a list is not written (a read-only file would refuse it).
    std::filesystem::permissions(dir / "fnlist.dat", std::filesystem::perms::owner_read);
    EXPECT_NO_THROW(SaveFunctionList(list, path));
    FunctionList again;
    LoadFunctionList(again, path);
    EXPECT_NO_THROW(SaveFunctionList(again, path));
    std::filesystem::permissions(dir / "fnlist.dat", std::filesystem::perms::owner_all);

    // A list that could not be read is never written back, however it changed.
    ASSERT_TRUE(WriteFileBytes(path, "Zeta\r\n"));
#ifdef _WIN32  // a file held without sharing (Linux lets a test with full rights read any file)
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(testing::ErrorOf([&] { LoadFunctionList(list, path); }), "Cannot open file " + path);
    CloseHandle(held);
    EXPECT_EQ(list.Entries(), DesignFunctionEntries());
#else
    list.SetStored(std::nullopt);  // what LoadFunctionList records when the read fails
#endif
    EXPECT_TRUE(list.AddIfMissing("Added"));
    SaveFunctionList(list, path);
    EXPECT_EQ(ReadFileBytes(path), "Zeta\r\n");
}

TEST_F(FunctionListFileTest, SavedSortedWithCrLfAndAFailedSaveKeepsThePreviousList) {
    ASSERT_TRUE(WriteFileBytes(path, "zeta\nAlpha\n\nbeta"));
    LoadFunctionList(list, path);
    EXPECT_EQ(list.Entries(), (Entries{"", "Alpha", "beta", "zeta"}));
    SaveFunctionList(list, path);
    EXPECT_EQ(ReadFileBytes(path), "\r\nAlpha\r\nbeta\r\nzeta\r\n");

    std::filesystem::permissions(dir / "fnlist.dat", std::filesystem::perms::owner_read);  // read-only
    list.Insert("new");
    EXPECT_EQ(testing::ErrorOf([&] { SaveFunctionList(list, path); }), "Cannot create file " + path);
    EXPECT_EQ(ReadFileBytes(path), "\r\nAlpha\r\nbeta\r\nzeta\r\n");
    EXPECT_EQ(ListFolder(dir.string()).size(), 1u);  // no temporary file left behind
    std::filesystem::permissions(dir / "fnlist.dat", std::filesystem::perms::owner_all);
}

}  // namespace
}  // namespace tavrill
