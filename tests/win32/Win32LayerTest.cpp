// The Windows wrappers against the real system (under Wine on Linux) where the
// end-to-end tests cannot look: byte-exact files, a failed replace, NUL bytes on
// the clipboard, missing and empty profile values.

#include <windows.h>

#include <gtest/gtest.h>

#include "../unit/TempFolder.h"
#include "base/Files.h"
#include "win32/Clipboard.h"
#include "win32/Profile.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

using testing::TempFolder;

TEST(FilesWin32Test, BytesRoundTripWithoutAnyTranslation) {
    TempFolder t;
    const std::string bytes("a\r\nb\nc\rd\0e\x1a\xff", 12);
    ASSERT_TRUE(WriteFileBytes(t.Folder() + "x.pas", bytes));
    EXPECT_EQ(ReadFileBytes(t.Folder() + "x.pas"), bytes);
    EXPECT_FALSE(ReadFileBytes(t.Folder() + "missing.pas").has_value());
    EXPECT_FALSE(ReadFileBytes(t.Folder()).has_value()) << "a folder is not a file";
}

TEST(FilesWin32Test, ReplaceKeepsTheOldFileWhenTheNewOneCannotBeWritten) {
    TempFolder t;
    const std::string file = t.Folder() + "keep.pas";
    ASSERT_TRUE(WriteFileBytes(file, "old"));
    ASSERT_TRUE(ReplaceFileBytes(file, "new"));
    EXPECT_EQ(ReadFileBytes(file), "new");

    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ReplaceFileBytes(file, "newer"));
    EXPECT_EQ(ReadFileBytes(file), "new");
    EXPECT_EQ(ListFolder(t.Folder()).size(), 1u) << "no temporary file is left behind";
    EXPECT_FALSE(ReplaceFileBytes(t.Folder() + "no-such-folder\\x.pas", "x"));
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
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

TEST(ClipboardTest, AnyCharacterGoesAsUnicodeAndAnOlderEditorsPlainTextIsReadInItsCodePage) {
    ClipboardSession cb{nullptr};
    ASSERT_TRUE(cb);
    const std::string text = "Počet := 'Ω ✓ \xF0\x9F\x98\x80';";
    ASSERT_TRUE(cb.SetText(text));
    EXPECT_EQ(cb.Text(), text);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));

    cb.Clear();
    const char ansi[] = "caf\xE9";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof ansi);
    ASSERT_TRUE(memory);
    memcpy(GlobalLock(memory), ansi, sizeof ansi);
    GlobalUnlock(memory);
    ASSERT_TRUE(SetClipboardData(CF_TEXT, memory));
    EXPECT_EQ(cb.Text(), AnsiToUtf8(ansi));
    EXPECT_TRUE(ClipboardHasText());
}

TEST(ProfileTest, MissingEmptyAndWrittenValuesAreTold) {
    TempFolder t;
    IniFile ini(t.Folder() + "tavrill.ini");
    EXPECT_FALSE(ini.Read("Main", "WindowX").has_value());
    ASSERT_TRUE(ini.Write("Main", "WindowX", "-12"));
    ASSERT_TRUE(ini.Write("Main", "WindowY", ""));
    EXPECT_EQ(ini.Read("Main", "WindowX"), "-12");
    EXPECT_EQ(ini.Read("Main", "WindowY"), "");
    const auto file = ReadFileBytes(ini.Path());
    ASSERT_TRUE(file.has_value());
    EXPECT_NE(file->find("[Main]"), std::string::npos);
}

}  // namespace
}  // namespace tavrill
