// The Windows wrappers against the real system (under Wine on Linux): files,
// the clipboard, the profile functions and the bridge's window calls.

#include <windows.h>

#include <gtest/gtest.h>

#include "base/Files.h"
#include "win32/Clipboard.h"
#include "win32/Profile.h"
#include "win32/WindowsHost.h"

namespace tavrill {
namespace {

struct TempFolder {
    std::string path;
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        path = std::string(base) + "tavrill-win32-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount64());
        CreateDirectoryA(path.c_str(), nullptr);
        path += "\\";
    }
    ~TempFolder() {
        for (const FolderEntry& e : ListFolder(path)) {
            SetFileAttributesA((path + e.name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA((path + e.name).c_str());
        }
        RemoveDirectoryA(path.c_str());
    }
};

TEST(FilesWin32Test, BytesRoundTripWithoutAnyTranslation) {
    TempFolder t;
    const std::string bytes("a\r\nb\nc\rd\0e\x1a\xff", 12);
    ASSERT_TRUE(WriteFileBytes(t.path + "x.pas", bytes));
    EXPECT_EQ(ReadFileBytes(t.path + "x.pas"), bytes);
    EXPECT_FALSE(ReadFileBytes(t.path + "missing.pas").has_value());
    EXPECT_FALSE(ReadFileBytes(t.path).has_value()) << "a folder is not a file";
}

TEST(FilesWin32Test, ReplaceKeepsTheOldFileWhenTheNewOneCannotBeWritten) {
    TempFolder t;
    const std::string file = t.path + "keep.pas";
    ASSERT_TRUE(WriteFileBytes(file, "old"));
    ASSERT_TRUE(ReplaceFileBytes(file, "new"));
    EXPECT_EQ(ReadFileBytes(file), "new");

    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ReplaceFileBytes(file, "newer"));
    EXPECT_EQ(ReadFileBytes(file), "new");
    EXPECT_EQ(ListFolder(t.path).size(), 1u) << "no temporary file is left behind";
    EXPECT_FALSE(ReplaceFileBytes(t.path + "no-such-folder\\x.pas", "x"));
}

TEST(FilesWin32Test, ListingTellsFoldersHiddenAndSystemFilesApart) {
    TempFolder t;
    WriteFileBytes(t.path + "plain.pas", "");
    WriteFileBytes(t.path + "hidden.pas", "");
    SetFileAttributesA((t.path + "hidden.pas").c_str(), FILE_ATTRIBUTE_HIDDEN);
    CreateFolder(t.path + "sub");
    int plain = 0, hidden = 0, folders = 0;
    for (const FolderEntry& e : ListFolder(t.path)) {
        if (e.isFolder) ++folders;
        else if (e.isHidden) ++hidden;
        else ++plain;
    }
    EXPECT_EQ(plain, 1);
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(folders, 1);
    RemoveDirectoryA((t.path + "sub").c_str());
}

TEST(ClipboardTest, TextRoundTripsAndStopsAtTheFirstNul) {
    ClipboardSession cb{nullptr};
    ASSERT_TRUE(cb);
    ASSERT_TRUE(cb.SetText("one\r\ntwo"));
    EXPECT_EQ(cb.Text(), "one\r\ntwo");
    ASSERT_TRUE(cb.SetText(std::string("ab\0cd", 5)));
    EXPECT_EQ(cb.Text(), "ab");
    ASSERT_TRUE(cb.SetText(""));
    EXPECT_EQ(cb.Text(), "");
    cb.Clear();
    EXPECT_EQ(cb.Text(), "");
}

TEST(ProfileTest, MissingEmptyAndWrittenValuesAreTold) {
    TempFolder t;
    IniFile ini(t.path + "tavrill.ini");
    EXPECT_FALSE(ini.Read("Main", "WindowX").has_value());
    ASSERT_TRUE(ini.Write("Main", "WindowX", "-12"));
    ASSERT_TRUE(ini.Write("Main", "WindowY", ""));
    EXPECT_EQ(ini.Read("Main", "WindowX"), "-12");
    EXPECT_EQ(ini.Read("Main", "WindowY"), "");
    const auto file = ReadFileBytes(ini.Path());
    ASSERT_TRUE(file.has_value());
    EXPECT_NE(file->find("[Main]"), std::string::npos);
}

TEST(WindowsHostTest, FindsClassesChildrenAndTitlesOfRealWindows) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TEditWindow";
    RegisterClassA(&wc);
    HWND top = CreateWindowExA(0, "TEditWindow", "Unit1.pas", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, wc.hInstance, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(top && child);
    WindowsHost host([] { return HWND{}; }, nullptr);
    const auto t = reinterpret_cast<WindowHandle>(top);
    EXPECT_EQ(host.ClassName(t), "TEditWindow");
    EXPECT_EQ(host.WindowTitle(t), "Unit1.pas");
    EXPECT_EQ(host.FirstChild(t), reinterpret_cast<WindowHandle>(child));
    EXPECT_EQ(host.NextSibling(host.FirstChild(t)), kNoWindow);
    EXPECT_EQ(host.ClassName(kNoWindow), "");
    EXPECT_EQ(host.WindowTitle(kNoWindow), "");
    DestroyWindow(top);
    EXPECT_FALSE(host.WindowExists(t));
    host.SendCopy(t);  // a dead handle does nothing
}

}  // namespace
}  // namespace tavrill
