#include "blocks/FunctionList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "base/Error.h"
#include "base/Files.h"

namespace tavrill {
namespace {

using Entries = std::vector<std::string>;

TEST(FunctionListParseTest, LinesEndAtEveryKindOfBreakAndAtNul) {
    const struct {
        std::string_view bytes;
        Entries expected;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},  // a lone CR, then a CR LF
        {"\n", {""}},
        {"x\r\n\r\n", {"x", ""}},
        {std::string_view("a\r\nb\0c\r\nd", 10), {"a", "b"}},
        {" Trim \r\nTrim\r\nTrim\r\n", {" Trim ", "Trim", "Trim"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseFunctionList(c.bytes), c.expected) << c.bytes;
}

TEST(FunctionListTest, KeepsItselfSortedWithoutRegardToCase) {
    FunctionList list;
    EXPECT_EQ(list.Entries(), DesignFunctionEntries());
    list.Assign({"b", "A", "", "C", "a"});
    EXPECT_EQ(list.Entries(), (Entries{"", "A", "a", "b", "C"}));
    list.Insert("B_");
    list.Insert("aa");
    EXPECT_EQ(list.Entries(), (Entries{"", "A", "a", "aa", "b", "B_", "C"}));
}

TEST(FunctionListTest, OnlyAnExactMatchCountsAsKnown) {
    FunctionList list;
    EXPECT_TRUE(list.AddIfMissing("trim"));  // the dialog's default text beside the design entry
    EXPECT_FALSE(list.AddIfMissing("trim"));
    EXPECT_FALSE(list.AddIfMissing("Trim"));
    EXPECT_FALSE(list.AddIfMissing("FileExists"));  // first
    EXPECT_FALSE(list.AddIfMissing("Uppercase"));   // last
    EXPECT_TRUE(list.AddIfMissing(" Trim"));
    EXPECT_TRUE(list.AddIfMissing(""));
    EXPECT_FALSE(list.AddIfMissing(""));
    EXPECT_EQ(list.Entries().size(), DesignFunctionEntries().size() + 3);
    EXPECT_EQ(list.Entries().front(), "");
    const auto lower = [](std::string s) {
        for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return s;
    };
    EXPECT_TRUE(std::is_sorted(list.Entries().begin(), list.Entries().end(),
                               [&](auto& a, auto& b) { return lower(a) < lower(b); }));
}

TEST(FunctionListTest, EntriesOfAnyLengthPassWhole) {
    const std::string longEntry(10000, 'x');
    EXPECT_EQ(ParseFunctionList(FunctionListFileContent({longEntry, "", "y"})), (Entries{longEntry, "", "y"}));
}

class FunctionListFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto dir = std::filesystem::temp_directory_path() /
                         ("fnlist-test-" + std::to_string(std::random_device{}()));
        ASSERT_TRUE(std::filesystem::create_directory(dir));
        folder_ = dir.string();
        path_ = folder_ + "\\fnlist.dat";
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string folder_;
    std::string path_;
};

TEST_F(FunctionListFileTest, MissingFileIsTheFirstRunAndKeepsTheDesignEntries) {
    FunctionList list;
    EXPECT_NO_THROW(LoadFunctionList(list, path_));
    EXPECT_EQ(list.Entries(), DesignFunctionEntries());
}

TEST_F(FunctionListFileTest, UnreadableFileIsReportedAndKeepsTheDesignEntries) {
    // A file that exists but cannot be opened: held without sharing on Windows; on Linux,
    // where a test running with full rights can read any ordinary file, a socket.
#ifdef _WIN32
    ASSERT_TRUE(WriteFileBytes(path_, "Zeta\r\n"));
    HANDLE held = CreateFileA(path_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string native = folder_ + "/fnlist.dat";
    ASSERT_LT(native.size(), sizeof(addr.sun_path));
    native.copy(addr.sun_path, native.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
#endif
    FunctionList list;
    try {
        LoadFunctionList(list, path_);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + path_);
    }
    EXPECT_EQ(list.Entries(), DesignFunctionEntries());
#ifdef _WIN32
    CloseHandle(held);
#else
    ::close(fd);
#endif
}

TEST_F(FunctionListFileTest, RoundTripSortsAndWritesCrLf) {
    ASSERT_TRUE(WriteFileBytes(path_, "zeta\nAlpha\n\nbeta"));
    FunctionList list;
    LoadFunctionList(list, path_);
    EXPECT_EQ(list.Entries(), (Entries{"", "Alpha", "beta", "zeta"}));
    SaveFunctionList(list, path_);
    EXPECT_EQ(ReadFileBytes(path_), "\r\nAlpha\r\nbeta\r\nzeta\r\n");
    EXPECT_EQ(ListFolder(folder_).size(), 1u);  // no temporary file left behind
}

TEST_F(FunctionListFileTest, FailedWriteIsReportedAndLeavesNothingBehind) {
    const std::string blocked = folder_ + "\\sub\\fnlist.dat";  // the folder does not exist
    FunctionList list;
    try {
        SaveFunctionList(list, blocked);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + blocked);
    }
    EXPECT_TRUE(ListFolder(folder_).empty());
}

}  // namespace
}  // namespace tavrill
