// The stash from the user's side: saving with the save dialog, then the stash browser.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr Millis kSettle{400};
using Names = std::vector<std::wstring>;

// A stash dialog; its edit boxes are the save dialog's name, description and code, or the browser's
// search box; the browser's preview is a rich edit control.
struct StashDialog : Dialog {
    HWND list = nullptr, preview = nullptr;
    std::vector<HWND> edits;
};

StashDialog Open(Session& s, std::string_view button) {
    s.Command(button);
    StashDialog d{s.AwaitDialog(button == kStashButton ? "Save code to stash" : "Your code stash")};
    d.edits = d.Controls("edit");
    for (HWND c : d.Controls("listbox")) d.list = c;
    for (HWND c : d.Controls("richedit")) d.preview = c;
    return d;
}

// Asked in the wide form: Wine hands list box texts to other processes as UTF-16.
Names Listed(const StashDialog& b) {
    Names names;
    for (LRESULT i = 0, n = SendMessageW(b.list, LB_GETCOUNT, 0, 0); i < n; ++i) {
        wchar_t name[MAX_PATH] = L"";
        SendMessageW(b.list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
        names.emplace_back(name);
    }
    return names;
}

RECT ItemOnScreen(const StashDialog& b, int index) {
    RECT r{};
    SendMessageA(b.list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(b.list, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Clicks (or double-clicks) an item and, for a click, waits until the preview shows `text`.
void Pick(const StashDialog& b, int index, const std::string& text, bool twice = false) {
    const RECT r = ItemOnScreen(b, index);
    ClickAt({r.left + 40, (r.top + r.bottom) / 2});
    if (twice) return ClickAt({r.left + 40, (r.top + r.bottom) / 2});
    if (!WaitFor([&] { return WindowText(b.preview) == text; }))
        throw HarnessError("the preview shows \"" + WindowText(b.preview) + "\"");
}

// The 16 x 16 picture before a list item on the screen, and one of the program's bitmaps.
std::vector<COLORREF> Glyph(const StashDialog& b, int index) {
    const RECT r = ItemOnScreen(b, index);
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < 256; ++i) pixels.push_back(GetPixel(screen, r.left + 2 + i % 16, r.top + 1 + i / 16));
    ReleaseDC(nullptr, screen);
    return pixels;
}
std::vector<COLORREF> ProgramBitmap(const char* name) {
    HMODULE exe = LoadLibraryExA(TavrillExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, LoadImageA(exe, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    std::vector<COLORREF> pixels;
    for (int i = 0; i < 256; ++i) pixels.push_back(GetPixel(dc, i % 16, i / 16));
    DeleteObject(SelectObject(dc, old));
    DeleteDC(dc);
    FreeLibrary(exe);
    return pixels;
}

TEST(StashE2ETest, SaveBrowseCopyBackAndDelete) {
    Session s({.editor = {.text = "a := 1;"},
               .files = {{"stash\\b.pas", "//TAVRILL:unix\na\nb\n"},
                         {"stash\\Zap.EXE", "MZ"},
                         {"stash\\hidden.pas", "h"},
                         {"stash\\system.pas", "s"},
                         {"stash\\sub\\inner.pas", "i"}}});
    const std::string stash = s.Folder() + "stash\\";
    SetFileAttributesA((stash + "hidden.pas").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((stash + "system.pas").c_str(), FILE_ATTRIBUTE_SYSTEM);

    // An empty name is told, and the dialog closes.
    StashDialog d = Open(s, kStashButton);
    PressKeys({VK_RETURN});  // the name box has the keyboard when the dialog first opens
    EXPECT_EQ(s.AnswerBox(), "Can't save|You need to enter a filename to save this piece of code.");
    ASSERT_TRUE(d.Closes());

    d = Open(s, kStashButton);
    EXPECT_EQ(WindowText(d.edits[2]), "a := 1;");
    ClickWindow(d.edits[0]);
    TypeText("util.txt");
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

    StashDialog b = Open(s, kLoadButton);  // Esc delivers nothing
    Pick(b, 1, saved);
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(b.Closes());
    EXPECT_FALSE(WaitFor([&] { return s.Editor().Text() != "a := 1;"; }, kSettle));

    b = Open(s, kLoadButton);
    ASSERT_EQ(Listed(b), (Names{L"b.pas", L"util.pas", L"Zap.EXE"}));
    EXPECT_EQ(WindowText(b.preview), "");
    const auto program = ProgramBitmap("EXECUTABLE"), plain = ProgramBitmap("UNKNOWNFILE");
    ASSERT_NE(program, plain);
    EXPECT_TRUE(WaitFor([&] { return Glyph(b, 2) == program && Glyph(b, 1) == plain; }));
    Pick(b, 2, "MZ");
    PressKeys({VK_DELETE});
    EXPECT_EQ(s.AnswerBox('Y'), "Delete item|Are you sure you wish to remove this item from your stash?");
    EXPECT_TRUE(WaitFor([&] { return !s.ReadProgramFile("stash\\Zap.EXE").has_value(); }));
    EXPECT_EQ(Listed(b).size(), 2u);
    EXPECT_EQ(WindowText(b.preview), "");

    // COPY delivers the preview as edited, less its first line.
    Pick(b, 1, saved);
    ClickWindow(b.preview);
    PressChord({VK_CONTROL, VK_END});
    TypeText("edited");
    b.Click("C&OPY");
    EXPECT_TRUE(s.Editor().Shows("a := 1;\r\nb := 2;\r\nedited")) << s.Editor().Text();

    // A double-click loads the file afresh, dropping the edits; lone line feeds come back as CR LF.
    b = Open(s, kLoadButton);
    Pick(b, 0, "//TAVRILL:unix\r\na\r\nb\r\n");
    ClickWindow(b.preview);
    TypeText("lost");
    Pick(b, 0, "", true);
    ASSERT_TRUE(b.Closes());
    EXPECT_TRUE(s.Editor().Shows("a\r\nb\r\n")) << s.Editor().Text();
}

TEST(StashE2ETest, SearchPickWithTheKeyboardAndCopyBackFromAChosenFolder) {
    Session s({.editor = {.text = "x"},
               .files = {{"tavrill.ini", "[Main]\r\nStashFolder=my stash\r\n"},
                         {"my stash\\dates.pas",
                          "//TAVRILL:Query with the date range\r\nWHERE d BETWEEN :a AND :b\r\n"},
                         {"my stash\\sort.pas", "//TAVRILL:Quick sort\r\nQuickSort(A);\r\n"},
                         {"stash\\range.pas", "//TAVRILL:date range, in the folder not chosen\r\n"}}});
    StashDialog b = Open(s, kLoadButton);
    ASSERT_EQ(Listed(b), (Names{L"dates.pas", L"sort.pas"}));
    TypeText("RANGE date");  // the search box has the keyboard when the browser opens
    EXPECT_TRUE(WaitFor([&] { return Listed(b) == Names{L"dates.pas"}; }));
    PressKeys({VK_ESCAPE});  // empties the box; the browser stays open
    EXPECT_TRUE(WaitFor([&] { return Listed(b).size() == 2; }));
    EXPECT_TRUE(IsWindowVisible(b.window));

    TypeText("sort");
    EXPECT_TRUE(WaitFor([&] { return Listed(b) == Names{L"sort.pas"}; }));
    PressKeys({VK_DOWN});  // into the list, on the first match
    EXPECT_TRUE(
        WaitFor([&] { return WindowText(b.preview) == "//TAVRILL:Quick sort\r\nQuickSort(A);\r\n"; }));
    PressKeys({VK_RETURN});
    ASSERT_TRUE(b.Closes());
    EXPECT_TRUE(s.Editor().Shows("QuickSort(A);\r\n")) << s.Editor().Text();

    // Enter in the search box takes the best match: both match, the name that starts with it wins.
    b = Open(s, kLoadButton);
    TypeText("s");
    EXPECT_TRUE(WaitFor([&] { return WindowText(b.preview).starts_with("//TAVRILL:Quick sort"); }));
    PressKeys({VK_RETURN});
    ASSERT_TRUE(b.Closes());
    EXPECT_TRUE(s.Editor().Shows("QuickSort(A);\r\n")) << s.Editor().Text();
}

}  // namespace
}  // namespace tavrill::e2e
