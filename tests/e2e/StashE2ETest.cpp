// The stash from the user's side: saving a selection with the save dialog, and browsing,
// previewing, copying back and deleting snippets in the stash browser.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr std::string_view kSaveCaption = "Save code to stash";
constexpr std::string_view kBrowserCaption = "Your code stash";
constexpr Millis kSettle{400};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<HWND> ChildrenOfClass(HWND parent, std::string_view cls) {
    std::vector<HWND> found;
    for (HWND c : Children(parent))
        if (Lower(ClassOf(c)) == Lower(std::string(cls))) found.push_back(c);
    return found;
}

struct SaveDialog {
    HWND window = nullptr;
    HWND txtName = nullptr, txtDesc = nullptr, memo = nullptr;
};

SaveDialog OpenSaveDialog(Session& s) {
    s.ClickButton(kStashButton);
    SaveDialog d;
    d.window = s.WaitForDialog(kSaveCaption);
    if (!d.window) throw HarnessError("the save dialog did not open");
    const std::vector<HWND> edits = ChildrenOfClass(d.window, "Edit");
    if (edits.size() != 3) throw HarnessError("the save dialog has no name, description and code boxes");
    d.txtName = edits[0];
    d.txtDesc = edits[1];
    d.memo = edits[2];
    return d;
}

struct Browser {
    HWND window = nullptr;
    HWND list = nullptr;
    HWND preview = nullptr;
};

Browser OpenBrowser(Session& s) {
    s.ClickButton(kLoadButton);
    Browser b;
    b.window = s.WaitForDialog(kBrowserCaption);
    if (!b.window) throw HarnessError("the stash browser did not open");
    const std::vector<HWND> lists = ChildrenOfClass(b.window, "ListBox");
    const std::vector<HWND> edits = ChildrenOfClass(b.window, "Edit");
    if (lists.size() != 1 || edits.size() != 1) throw HarnessError("the browser has no list and preview");
    b.list = lists[0];
    b.preview = edits[0];
    return b;
}

bool Closed(HWND window) {
    return WaitFor([&] { return !IsWindowVisible(window); });
}

// Asked in the wide form: Wine hands list box texts across processes as UTF-16 whatever
// form the asker used.
std::vector<std::string> Listed(HWND list) {
    std::vector<std::string> names;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring wide(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        const LRESULT n = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()));
        wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
        std::string name(wide.size() * 2 + 1, '\0');
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                              name.data(), static_cast<int>(name.size()), nullptr, nullptr);
        name.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
        names.push_back(name);
    }
    return names;
}

RECT ItemOnScreen(HWND list, int index) {
    RECT r{};
    if (SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        throw HarnessError("no list item " + std::to_string(index));
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ClickItem(HWND list, int index) {
    const RECT r = ItemOnScreen(list, index);
    ClickAt({r.left + 40, (r.top + r.bottom) / 2});
}

void DoubleClickAt(POINT p) {
    ClickAt(p);
    ClickAt(p);
}

// Clicks an item and waits until the preview shows `text`.
void Preview(const Browser& b, int index, const std::string& text) {
    ClickItem(b.list, index);
    if (!WaitFor([&] { return WindowText(b.preview) == text; }))
        throw HarnessError("the preview shows \"" + WindowText(b.preview) + "\"");
}

// The 16 x 16 glyph before a list item as the screen shows it, and one of the program's
// bitmaps, as rows of colours.
std::vector<COLORREF> GlyphOnScreen(HWND list, int index) {
    const RECT r = ItemOnScreen(list, index);
    const int top = r.top + (r.bottom - r.top - 16) / 2;
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(screen, r.left + 2 + x, top + y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<COLORREF> ProgramBitmap(const char* name) {
    HMODULE exe = LoadLibraryExA(TavrillExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) throw HarnessError("cannot open tavrill.exe for its bitmaps");
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(exe, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap) throw HarnessError(std::string("no bitmap ") + name);
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
    s.Editor().SelectAll();
    s.WaitForTarget();
    SaveDialog d = OpenSaveDialog(s);
    EXPECT_EQ(WindowText(d.memo), "a := 1;");
    TypeText("util.txt");  // the name box has the keyboard when the dialog first opens
    ClickWindow(d.txtDesc);
    TypeText("Fast sort");
    ClickWindow(d.memo);
    PressChord({VK_CONTROL, VK_END});
    TypeText("\r\nb := 2;");  // Enter in the code box starts a line instead of pressing OK
    EXPECT_TRUE(IsWindowVisible(d.window));
    ClickWindow(FindDescendantByText(d.window, "OK"));
    ASSERT_TRUE(Closed(d.window));
    const std::string saved = "//TAVRILL:Fast sort\r\na := 1;\r\nb := 2;\r\n";
    EXPECT_TRUE(WaitFor([&] { return s.ReadProgramFile("stash\\util.pas") == saved; }));
    EXPECT_EQ(s.Editor().Text(), "a := 1;");  // nothing delivered
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));

    s.Editor().SelectAll();
    s.WaitForTarget();
    Browser b = OpenBrowser(s);
    EXPECT_EQ(Listed(b.list), std::vector<std::string>{"util.pas"});
    EXPECT_EQ(WindowText(b.preview), "");
    Preview(b, 0, saved);
    ClickWindow(FindDescendantByText(b.window, "C&OPY"));
    ASSERT_TRUE(Closed(b.window));
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "a := 1;\r\nb := 2;\r\n"; })) << s.Editor().Text();

    // The name and description stay; OK at once replaces the file without a question.
    s.Editor().SelectAll();
    TypeText("c := 3;");
    s.Editor().SelectAll();
    s.WaitForTarget();
    d = OpenSaveDialog(s);
    EXPECT_EQ(WindowText(d.txtName), "util.txt");
    EXPECT_EQ(WindowText(d.txtDesc), "Fast sort");
    ClickWindow(FindDescendantByText(d.window, "OK"));
    ASSERT_TRUE(Closed(d.window));
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));
    EXPECT_TRUE(WaitFor(
        [&] { return s.ReadProgramFile("stash\\util.pas") == "//TAVRILL:Fast sort\r\nc := 3;\r\n"; }));
}

TEST(StashE2ETest, EmptyNameIsToldAndWritesNothing) {
    Session s({.editor = {.text = "x"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    SaveDialog d = OpenSaveDialog(s);
    PressKeys({VK_RETURN});
    const auto box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Can't save");
    EXPECT_EQ(box->text, "You need to enter a filename to save this piece of code.");
    AnswerMessageBox(*box, VK_RETURN);
    EXPECT_TRUE(Closed(d.window));
    Browser b = OpenBrowser(s);
    EXPECT_TRUE(Listed(b.list).empty());
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(Closed(b.window));
}

// Names that cannot be written, or would be written outside the stash folder, give the error
// box with the full path; an old snippet of that name stays as it was, and nothing else appears.
TEST(StashE2ETest, FailedSaveIsReportedAndKeepsTheOldSnippet) {
    Session s({.editor = {.text = "new text"}, .files = {{"stash\\ro.pas", "old"}}});
    const std::string readOnly = s.Folder() + "stash\\ro.pas";
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string stash = Lower(s.Folder()) + "stash\\";
    const struct {
        const char* name;
        std::string reported;
    } cases[] = {
        {"ro", stash + "ro.pas"},
        {"nofolder\\x", stash + "nofolder\\x.pas"},
        {"..\\outside", stash + "..\\outside.pas"},
    };
    for (const auto& c : cases) {
        s.Editor().SelectAll();
        s.WaitForTarget();
        SaveDialog d = OpenSaveDialog(s);
        ClickWindow(d.txtName);
        PressChord({VK_CONTROL, 'A'});
        TypeText(c.name);
        PressKeys({VK_RETURN});
        const auto box = s.WaitForMessageBox();
        ASSERT_TRUE(box) << c.name;
        EXPECT_EQ(box->caption, "Delphi Tavrill");
        EXPECT_EQ(Lower(box->text), Lower("Cannot create file " + c.reported + ".")) << c.name;
        AnswerMessageBox(*box, VK_RETURN);
        EXPECT_TRUE(Closed(d.window)) << c.name;
    }
    EXPECT_EQ(s.ReadProgramFile("stash\\ro.pas"), "old");
    EXPECT_FALSE(s.ReadProgramFile("outside.pas"));
    Browser b = OpenBrowser(s);
    EXPECT_EQ(Listed(b.list), std::vector<std::string>{"ro.pas"});
    PressKeys({VK_ESCAPE});
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StashE2ETest, RemovedStashFolderFailsToSaveAndBrowsesEmpty) {
    Session s({.editor = {.text = "kept"}});
    ASSERT_TRUE(RemoveDirectoryA((s.Folder() + "stash").c_str()));
    s.Editor().SelectAll();
    s.WaitForTarget();
    SaveDialog d = OpenSaveDialog(s);
    TypeText("x");
    PressKeys({VK_RETURN});
    const auto box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(Lower(box->text), Lower("Cannot create file " + s.Folder() + "stash\\x.pas."));
    AnswerMessageBox(*box, VK_RETURN);
    ASSERT_TRUE(Closed(d.window));

    // COPY in an empty browser replaces the selection with nothing.
    s.Editor().SelectAll();
    s.WaitForTarget();
    Browser b = OpenBrowser(s);
    EXPECT_TRUE(Listed(b.list).empty());
    PressKeys({VK_RETURN});
    ASSERT_TRUE(Closed(b.window));
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text().empty(); })) << s.Editor().Text();
}

TEST(StashE2ETest, ListShowsOrdinaryFilesSortedWithTheirGlyphs) {
    Session s({.files = {{"stash\\b.pas", "//TAVRILL:\r\nb\r\n"},
                         {"stash\\Tool.EXE", "MZ"},
                         {"stash\\a.txt", "a"},
                         {"stash\\hidden.pas", "h"},
                         {"stash\\system.pas", "s"},
                         {"stash\\sub\\inner.pas", "i"}}});
    SetFileAttributesA((s.Folder() + "stash\\hidden.pas").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((s.Folder() + "stash\\system.pas").c_str(), FILE_ATTRIBUTE_SYSTEM);
    s.Editor().Focus();
    s.WaitForTarget();
    Browser b = OpenBrowser(s);
    ASSERT_EQ(Listed(b.list), (std::vector<std::string>{"a.txt", "b.pas", "Tool.EXE"}));
    Pause(kSettle);
    ASSERT_NE(ProgramBitmap("EXECUTABLE"), ProgramBitmap("UNKNOWNFILE"));
    EXPECT_EQ(GlyphOnScreen(b.list, 2), ProgramBitmap("EXECUTABLE"));
    EXPECT_EQ(GlyphOnScreen(b.list, 0), ProgramBitmap("UNKNOWNFILE"));
    EXPECT_EQ(GlyphOnScreen(b.list, 1), ProgramBitmap("UNKNOWNFILE"));
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(Closed(b.window));

    // Each showing reads the folder again.
    s.WriteProgramFile("stash\\c.pas", "c");
    b = OpenBrowser(s);
    EXPECT_EQ(Listed(b.list), (std::vector<std::string>{"a.txt", "b.pas", "c.pas", "Tool.EXE"}));
    PressKeys({VK_ESCAPE});
    SetFileAttributesA((s.Folder() + "stash\\hidden.pas").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((s.Folder() + "stash\\system.pas").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(StashE2ETest, LoneLineFeedsComeBackAsCrLf) {
    Session s({.editor = {.text = "old"}, .files = {{"stash\\lf.pas", "//TAVRILL:unix\na\nb\n"}}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    Browser b = OpenBrowser(s);
    Preview(b, 0, "//TAVRILL:unix\r\na\r\nb\r\n");
    PressKeys({VK_RETURN});  // Enter in the list presses COPY
    ASSERT_TRUE(Closed(b.window));
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "a\r\nb\r\n"; })) << s.Editor().Text();
}

TEST(StashE2ETest, DeleteAsksAndRemovesOnlyOnYes) {
    Session s({.files = {{"stash\\a.pas", "//TAVRILL:\r\na\r\n"}, {"stash\\b.pas", "//TAVRILL:\r\nb\r\n"}}});
    s.Editor().Focus();
    s.WaitForTarget();
    Browser b = OpenBrowser(s);
    Preview(b, 1, "//TAVRILL:\r\nb\r\n");
    PressKeys({VK_DELETE});
    auto box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Delete item");
    EXPECT_EQ(box->text, "Are you sure you wish to remove this item from your stash?");
    AnswerMessageBox(*box, 'N');
    EXPECT_TRUE(s.ReadProgramFile("stash\\b.pas"));
    EXPECT_EQ(Listed(b.list).size(), 2u);

    ClickWindow(b.list);
    Preview(b, 1, "//TAVRILL:\r\nb\r\n");
    PressKeys({VK_DELETE});
    box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    AnswerMessageBox(*box, 'Y');
    EXPECT_TRUE(WaitFor([&] { return !s.ReadProgramFile("stash\\b.pas"); }));
    EXPECT_EQ(Listed(b.list), std::vector<std::string>{"a.pas"});
    EXPECT_EQ(SendMessageA(b.list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(WindowText(b.preview), "");
    EXPECT_TRUE(IsWindowVisible(b.window));

    // Delete inside the preview edits the text and removes no file.
    Preview(b, 0, "//TAVRILL:\r\na\r\n");
    ClickWindow(b.preview);
    PressChord({VK_CONTROL, VK_HOME});
    PressKeys({VK_DELETE});
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));
    EXPECT_EQ(WindowText(b.preview), "/TAVRILL:\r\na\r\n");
    EXPECT_TRUE(s.ReadProgramFile("stash\\a.pas"));
    PressKeys({VK_ESCAPE});
}

TEST(StashE2ETest, EscCancelAndCloseBoxDeliverNothing) {
    Session s({.editor = {.text = "untouched"}, .files = {{"stash\\a.pas", "//TAVRILL:\r\nsnippet\r\n"}}});
    for (int way = 0; way < 3; ++way) {
        s.Editor().SelectAll();
        s.WaitForTarget();
        Browser b = OpenBrowser(s);
        EXPECT_EQ(SendMessageA(b.list, LB_GETCURSEL, 0, 0), LB_ERR) << way;
        EXPECT_EQ(WindowText(b.preview), "") << way;
        Preview(b, 0, "//TAVRILL:\r\nsnippet\r\n");
        if (way == 0) PressKeys({VK_ESCAPE});
        if (way == 1) ClickWindow(FindDescendantByText(b.window, "&Cancel"));
        if (way == 2) PressChord({VK_MENU, VK_F4});
        ASSERT_TRUE(Closed(b.window)) << way;
        Pause(kSettle);
        EXPECT_EQ(s.Editor().Text(), "untouched") << way;
    }
}

TEST(StashE2ETest, PreviewEditsAreCopiedButADoubleClickReloads) {
    Session s({.editor = {.text = "untouched"}, .files = {{"stash\\a.pas", "//TAVRILL:\r\noriginal\r\n"}}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    Browser b = OpenBrowser(s);

    // A double-click on the empty part of the list, with nothing selected, does nothing.
    const RECT list = WindowRect(b.list);
    DoubleClickAt({(list.left + list.right) / 2, list.bottom - 10});
    EXPECT_TRUE(s.NoMessageBoxFor(kSettle));
    EXPECT_TRUE(IsWindowVisible(b.window));

    Preview(b, 0, "//TAVRILL:\r\noriginal\r\n");
    ClickWindow(b.preview);
    PressChord({VK_CONTROL, VK_END});
    TypeText("edited");
    ClickWindow(FindDescendantByText(b.window, "C&OPY"));
    ASSERT_TRUE(Closed(b.window));
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "original\r\nedited"; })) << s.Editor().Text();

    s.Editor().SelectAll();
    s.WaitForTarget();
    b = OpenBrowser(s);
    Preview(b, 0, "//TAVRILL:\r\noriginal\r\n");
    ClickWindow(b.preview);
    TypeText("lost");
    const RECT item = ItemOnScreen(b.list, 0);
    DoubleClickAt({item.left + 40, (item.top + item.bottom) / 2});
    ASSERT_TRUE(Closed(b.window));
    EXPECT_TRUE(WaitFor([&] { return s.Editor().Text() == "original\r\n"; })) << s.Editor().Text();
}

}  // namespace
}  // namespace tavrill::e2e
