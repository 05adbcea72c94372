// The stash from the user's side: saving a selection with the save dialog, and browsing,
// previewing, copying back and deleting snippets in the stash browser.

#include <gtest/gtest.h>

#include <algorithm>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr Millis kSettle{400};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& cls) {
    std::vector<HWND> found;
    for (HWND c : Children(parent))
        if (Lower(ClassOf(c)) == cls) found.push_back(c);
    return found;
}

// Opens the dialog behind a speed button; the children are its edit boxes and list boxes.
struct Dialog {
    HWND window = nullptr;
    std::vector<HWND> edits, lists;
    void Click(std::string_view text) const { ClickWindow(FindDescendantByText(window, text)); }
    bool Closes() const {
        return WaitFor([&] { return !IsWindowVisible(window); });
    }
};

Dialog Open(Session& s, std::string_view button, std::string_view caption) {
    s.Editor().SelectAll();
    s.WaitForTarget();
    s.ClickButton(button);
    Dialog d;
    d.window = s.WaitForDialog(caption);
    if (!d.window) throw HarnessError(std::string(caption) + " did not open");
    d.edits = ChildrenOfClass(d.window, "edit");
    d.lists = ChildrenOfClass(d.window, "listbox");
    return d;
}
Dialog OpenSave(Session& s) {
    return Open(s, kStashButton, "Save code to stash");
}
Dialog OpenBrowser(Session& s) {
    return Open(s, kLoadButton, "Your code stash");
}

// Asked in the wide form: Wine hands list box texts to other processes as UTF-16.
std::vector<std::string> Listed(const Dialog& b) {
    std::vector<std::string> names;
    for (LRESULT i = 0, n = SendMessageW(b.lists[0], LB_GETCOUNT, 0, 0); i < n; ++i) {
        wchar_t wide[MAX_PATH] = L"";
        SendMessageW(b.lists[0], LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        char name[MAX_PATH * 2] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof name, nullptr, nullptr);
        names.push_back(name);
    }
    return names;
}

RECT ItemOnScreen(const Dialog& b, int index) {
    RECT r{};
    SendMessageA(b.lists[0], LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(b.lists[0], nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Clicks (or double-clicks) an item and, for a click, waits until the preview shows `text`.
void Pick(const Dialog& b, int index, const std::string& text, bool twice = false) {
    const RECT r = ItemOnScreen(b, index);
    ClickAt({r.left + 40, (r.top + r.bottom) / 2});
    if (twice) return ClickAt({r.left + 40, (r.top + r.bottom) / 2});
    if (!WaitFor([&] { return WindowText(b.edits[0]) == text; }))
        throw HarnessError("the preview shows \"" + WindowText(b.edits[0]) + "\"");
}

// The 16 x 16 picture before a list item on the screen, and one of the program's bitmaps.
std::vector<COLORREF> Glyph(const Dialog& b, int index) {
    const RECT r = ItemOnScreen(b, index);
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(screen, r.left + 2 + x, r.top + 1 + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}
std::vector<COLORREF> ProgramBitmap(const char* name) {
    HMODULE exe = LoadLibraryExA(TavrillExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    auto bitmap = static_cast<HBITMAP>(LoadImageA(exe, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    FreeLibrary(exe);
    return pixels;
}

TEST(StashE2ETest, SavedSelectionComesBackIntoTheEditor) {
    Session s({.editor = {.text = "a := 1;"}});
    Dialog d = OpenSave(s);
    EXPECT_EQ(WindowText(d.edits[2]), "a := 1;");
    TypeText("util.txt");  // the name box has the keyboard when the dialog first opens
    ClickWindow(d.edits[1]);
    TypeText("Fast sort");
    ClickWindow(d.edits[2]);
    PressChord({VK_CONTROL, VK_END});
    TypeText("\r\nb := 2;");  // Enter in the code box starts a line instead of pressing OK
    d.Click("OK");
    ASSERT_TRUE(d.Closes());
    const std::string saved = "//TAVRILL:Fast sort\r\na := 1;\r\nb := 2;\r\n";
    EXPECT_TRUE(WaitFor([&] { return s.ReadProgramFile("stash\\util.pas") == saved; }));
    EXPECT_EQ(s.Editor().Text(), "a := 1;");  // nothing delivered

    Dialog b = OpenBrowser(s);
    EXPECT_EQ(Listed(b), std::vector<std::string>{"util.pas"});
    Pick(b, 0, saved);
    b.Click("C&OPY");
    ASSERT_TRUE(b.Closes());
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "a := 1;\r\nb := 2;\r\n"; })) << s.Editor().Text();

    // Name and description stay; OK at once replaces the file without a question.
    s.Editor().SelectAll();
    TypeText("c := 3;");
    d = OpenSave(s);
    EXPECT_EQ(WindowText(d.edits[0]) + "|" + WindowText(d.edits[1]), "util.txt|Fast sort");
    d.Click("OK");
    EXPECT_TRUE(WaitFor(
        [&] { return s.ReadProgramFile("stash\\util.pas") == "//TAVRILL:Fast sort\r\nc := 3;\r\n"; }));
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));
}

// An empty name is told; names that cannot be written or lead out of the stash folder give the
// error box with the full path, and an old snippet of that name stays as it was.
TEST(StashE2ETest, FailedSavesAreToldAndWriteNothing) {
    Session s({.editor = {.text = "new"}, .files = {{"stash\\ro.pas", "old"}}});
    const std::string readOnly = s.Folder() + "stash\\ro.pas";
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string stash = Lower(s.Folder()) + "stash\\";
    const std::string cannot = "Cannot create file " + stash;
    const struct {
        const char* name;
        std::string caption, text;
    } cases[] = {
        {"", "Can't save", "You need to enter a filename to save this piece of code."},
        {"ro", "Delphi Tavrill", cannot + "ro.pas."},
        {"nofolder\\x", "Delphi Tavrill", cannot + "nofolder\\x.pas."},
        {"..\\outside", "Delphi Tavrill", cannot + "..\\outside.pas."},
        {"x", "Delphi Tavrill", cannot + "x.pas."},  // with the stash folder removed
    };
    for (const auto& c : cases) {
        if (c.name == std::string("x")) {
            EXPECT_EQ(s.ReadProgramFile("stash\\ro.pas"), "old");
            SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(readOnly.c_str());
            ASSERT_TRUE(RemoveDirectoryA((s.Folder() + "stash").c_str()));
        }
        Dialog d = OpenSave(s);
        ClickWindow(d.edits[0]);
        PressChord({VK_CONTROL, 'A'});
        PressKeys({VK_BACK});
        TypeText(c.name);
        PressKeys({VK_RETURN});
        const auto box = s.WaitForMessageBox();
        ASSERT_TRUE(box) << c.name;
        EXPECT_EQ(box->caption, c.caption);
        EXPECT_EQ(Lower(box->text), Lower(c.text));
        AnswerMessageBox(*box, VK_RETURN);
        EXPECT_TRUE(d.Closes()) << c.name;
    }
    EXPECT_FALSE(s.ReadProgramFile("outside.pas"));
    // COPY in a browser without a stash replaces the selection with nothing.
    Dialog b = OpenBrowser(s);
    EXPECT_TRUE(Listed(b).empty());
    PressKeys({VK_RETURN});
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text().empty(); })) << s.Editor().Text();
}

TEST(StashE2ETest, ListsOrdinaryFilesSortedWithGlyphsAndCopiesLoneLineFeedsAsCrLf) {
    Session s({.editor = {.text = "old"},
               .files = {{"stash\\b.pas", "//TAVRILL:unix\na\nb\n"},
                         {"stash\\Tool.EXE", "MZ"},
                         {"stash\\a.txt", "a"},
                         {"stash\\hidden.pas", "h"},
                         {"stash\\system.pas", "s"},
                         {"stash\\sub\\inner.pas", "i"}}});
    SetFileAttributesA((s.Folder() + "stash\\hidden.pas").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((s.Folder() + "stash\\system.pas").c_str(), FILE_ATTRIBUTE_SYSTEM);
    Dialog b = OpenBrowser(s);
    ASSERT_EQ(Listed(b), (std::vector<std::string>{"a.txt", "b.pas", "Tool.EXE"}));
    Pause(kSettle);
    ASSERT_NE(ProgramBitmap("EXECUTABLE"), ProgramBitmap("UNKNOWNFILE"));
    EXPECT_EQ(Glyph(b, 2), ProgramBitmap("EXECUTABLE"));
    EXPECT_EQ(Glyph(b, 0), ProgramBitmap("UNKNOWNFILE"));
    Pick(b, 1, "//TAVRILL:unix\r\na\r\nb\r\n");
    PressKeys({VK_RETURN});  // Enter in the list presses COPY
    ASSERT_TRUE(b.Closes());
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "a\r\nb\r\n"; })) << s.Editor().Text();

    s.WriteProgramFile("stash\\c.pas", "c");  // each showing reads the folder again
    b = OpenBrowser(s);
    EXPECT_EQ(Listed(b), (std::vector<std::string>{"a.txt", "b.pas", "c.pas", "Tool.EXE"}));
    PressKeys({VK_ESCAPE});
    SetFileAttributesA((s.Folder() + "stash\\hidden.pas").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((s.Folder() + "stash\\system.pas").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StashE2ETest, DeleteAsksAndRemovesOnlyOnYes) {
    Session s({.files = {{"stash\\a.pas", "//TAVRILL:\r\na\r\n"}, {"stash\\b.pas", "//TAVRILL:\r\nb\r\n"}}});
    Dialog b = OpenBrowser(s);
    for (WORD answer : {'N', 'Y'}) {
        Pick(b, 1, "//TAVRILL:\r\nb\r\n");
        PressKeys({VK_DELETE});
        const auto box = s.WaitForMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, "Delete item");
        EXPECT_EQ(box->text, "Are you sure you wish to remove this item from your stash?");
        AnswerMessageBox(*box, answer);
        Pause(kSettle);
        EXPECT_TRUE(
            WaitFor([&] { return s.ReadProgramFile("stash\\b.pas").has_value() == (answer == 'N'); }));
        EXPECT_EQ(Listed(b).size(), answer == 'N' ? 2u : 1u);
    }
    EXPECT_EQ(SendMessageA(b.lists[0], LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(WindowText(b.edits[0]), "");

    // Delete inside the preview edits the text and removes no file.
    Pick(b, 0, "//TAVRILL:\r\na\r\n");
    ClickWindow(b.edits[0]);
    PressChord({VK_CONTROL, VK_HOME});
    PressKeys({VK_DELETE});
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));
    EXPECT_EQ(WindowText(b.edits[0]), "/TAVRILL:\r\na\r\n");
    EXPECT_TRUE(s.ReadProgramFile("stash\\a.pas"));
}

TEST(StashE2ETest, OnlyCopyDeliversAndADoubleClickReloadsTheFile) {
    Session s({.editor = {.text = "untouched"}, .files = {{"stash\\a.pas", "//TAVRILL:\r\noriginal\r\n"}}});
    for (int way = 0; way < 3; ++way) {  // Esc, Cancel, the close box
        Dialog b = OpenBrowser(s);
        EXPECT_EQ(WindowText(b.edits[0]), "") << way;
        Pick(b, 0, "//TAVRILL:\r\noriginal\r\n");
        if (way == 0) PressKeys({VK_ESCAPE});
        if (way == 1) b.Click("&Cancel");
        if (way == 2) PressChord({VK_MENU, VK_F4});
        ASSERT_TRUE(b.Closes()) << way;
        Pause(kSettle);
        EXPECT_EQ(s.Editor().Text(), "untouched") << way;
    }

    // A double-click on the empty part of the list, with nothing selected, does nothing.
    Dialog b = OpenBrowser(s);
    const RECT list = WindowRect(b.lists[0]);
    ClickAt({(list.left + list.right) / 2, list.bottom - 10});
    ClickAt({(list.left + list.right) / 2, list.bottom - 10});
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));
    EXPECT_EQ(SendMessageA(b.lists[0], LB_GETCURSEL, 0, 0), LB_ERR);

    Pick(b, 0, "//TAVRILL:\r\noriginal\r\n");
    ClickWindow(b.edits[0]);
    PressChord({VK_CONTROL, VK_END});
    TypeText("edited");
    b.Click("C&OPY");
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "original\r\nedited"; })) << s.Editor().Text();

    b = OpenBrowser(s);
    Pick(b, 0, "//TAVRILL:\r\noriginal\r\n");
    ClickWindow(b.edits[0]);
    TypeText("lost");
    Pick(b, 0, "", true);
    ASSERT_TRUE(b.Closes());
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "original\r\n"; })) << s.Editor().Text();
}

}  // namespace
}  // namespace tavrill::e2e
