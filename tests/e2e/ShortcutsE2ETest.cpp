// Global shortcuts and Keep my clipboard, driven as a user does: the keys pressed over the editor,
// never a click on the tool bar unless a step says so.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Harness.h"
#include "app/Commands.h"

namespace tavrill::e2e {
namespace {

// Holds a system-wide hot key for as long as it lives, as another program would.
class HeldHotKey {
public:
    HeldHotKey(UINT modifiers, UINT key) : held_(RegisterHotKey(nullptr, kId, modifiers, key) != FALSE) {}
    ~HeldHotKey() {
        if (held_) UnregisterHotKey(nullptr, kId);
    }
    explicit operator bool() const { return held_; }

private:
    static constexpr int kId = 0x7001;
    bool held_;
};

TEST(ShortcutsE2ETest, KeysConvertAtOnceAndDialogsGiveTheEditorBackItsKeyboard) {
    Session s({.editor = {.text = "my_var := some_func(x);"}});
    SampleEditor& e = s.Editor();
    e.SelectAll();
    PressShortcut('U');  // no pause for the tool bar's timer: the key makes the editor the target
    EXPECT_TRUE(e.Shows("MY_VAR := SOME_FUNC(X);")) << e.Text();
    EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); }));

    e.SelectAll();
    PressShortcut('I');  // the indent dialog opens in front of the editor
    const Dialog indent = s.AwaitDialog("Indent");
    EXPECT_TRUE(WaitFor([&] { return IsForeground(indent.window); }));
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); }))
        << "the editor did not get the keyboard back";
    TypeText("!");  // the keyboard really is the editor's: the selection is replaced
    EXPECT_TRUE(e.Shows("!")) << e.Text();
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));
}

// The dialog's row of a command.
int RowOf(std::string_view key) {
    const std::vector<ShortcutSlot> slots = CommandShortcutSlots();
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (slots[i].key == key) return static_cast<int>(i);
    throw HarnessError("no command " + std::string(key));
}

// Opens the shortcuts dialog, selects the command in this row, presses the keys in its hot-key box
// and expects the dialog's note; then OK.
void ChangeShortcut(Session& s, int row, std::initializer_list<WORD> keys, const std::string& note) {
    s.ChooseFromMenu(kMainButton, {'K'});
    const Dialog d = s.AwaitDialog("Keyboard shortcuts");
    PressKeys({VK_HOME});
    for (int i = 0; i < row; ++i) PressKeys({VK_DOWN});
    PressKeys({VK_TAB});
    PressChord(keys);
    EXPECT_TRUE(WaitFor([&] { return FindDescendantByText(d.window, note) != nullptr; })) << note;
    d.Click("OK");
    if (!WaitFor([&] { return !IsWindow(d.window); }))
        throw HarnessError("the shortcuts dialog did not close");
}

TEST(ShortcutsE2ETest, TakenShortcutsAreReportedAndChangesSurviveARestart) {
    HeldHotKey held(MOD_CONTROL | MOD_ALT | MOD_SHIFT, 'F');  // Flip Case's
    ASSERT_TRUE(held) << "the test could not hold Ctrl+Alt+Shift+F itself";
    Session s({.editor = {.text = "MY_VAR"},
               .files = {{"tavrill.ini", "[Shortcuts]\r\nCaseLower=ctrl+shift+F11\r\n"}}});
    EXPECT_EQ(s.AnswerBox(), "Keyboard shortcuts|Ctrl+Alt+Shift+F is taken by another program.");

    SampleEditor& e = s.Editor();
    e.SelectAll();
    PressChord({VK_CONTROL, VK_SHIFT, VK_F11});  // from the file
    EXPECT_TRUE(e.Shows("my_var")) << e.Text();

    // Flip Case (below the blocks, in the dialog's order: the command table's) takes UPPER CASE's shortcut.
    ChangeShortcut(s, RowOf("CaseFlip"), {VK_CONTROL, VK_MENU, VK_SHIFT, 'U'},
                   "Ctrl+Alt+Shift+U moved here from UPPER CASE.");
    const std::string ini = s.ReadProgramFile("tavrill.ini").value_or("");
    EXPECT_NE(ini.find("CaseFlip=Ctrl+Alt+Shift+U"), std::string::npos) << ini;
    EXPECT_NE(ini.find("CaseUpper=None"), std::string::npos) << ini;
    e.SelectAll();
    PressShortcut('U');
    EXPECT_TRUE(e.Shows("MY_VAR")) << e.Text();

    s.Exit();
    s.StartToolBar();  // Flip Case no longer asks for the key the test holds: no message
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{800}));
    e.SelectAll();
    PressShortcut('U');
    EXPECT_TRUE(e.Shows("my_var")) << e.Text();
}

// What a user may have copied: a text and an 8 x 8 picture together.
constexpr char kUserText[] = "the user's text";

void CopyTextAndPicture() {
    ASSERT_TRUE(WaitFor([] { return OpenClipboard(nullptr) != FALSE; }));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, sizeof kUserText);
    memcpy(GlobalLock(text), kUserText, sizeof kUserText);
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    std::vector<std::uint32_t> pixels(64, 0x00FF8000);
    SetClipboardData(CF_BITMAP, CreateBitmap(8, 8, 1, 32, pixels.data()));
    CloseClipboard();
}

// The clipboard's text, and its picture as the width and first pixel ({0, 0} when there is none).
struct Clip {
    std::optional<std::string> text;
    std::pair<LONG, std::uint32_t> picture{0, 0};
};
Clip ReadClipboard() {
    Clip clip;
    if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; })) return clip;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        clip.text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    if (auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
        BITMAP info{};
        GetObject(bitmap, sizeof info, &info);
        std::vector<std::uint32_t> pixels(64);
        if (info.bmBitsPixel == 32) GetBitmapBits(bitmap, 256, pixels.data());
        clip.picture = {info.bmWidth, pixels[0] & 0xFFFFFF};
    }
    CloseClipboard();
    return clip;
}

TEST(KeepClipboardE2ETest, TextAndPictureSurviveMessagesAndTypedKeysAndTheChoiceIsKept) {
    Session s({.editor = {.text = "my_var"}});
    s.ChooseFromMenu(kMainButton, {'L'});  // Keep my clipboard
    // An editor that answers the clipboard messages, then one that takes only typed keys.
    for (const char* modes : {"", "--keys-only"}) {
        SCOPED_TRACE(modes);
        if (*modes) {
            s.Editor().Close();
            s.StartEditor({.text = "my_var", .modes = modes});
        }
        SampleEditor& e = s.Editor();
        CopyTextAndPicture();
        e.SelectAll();
        PressShortcut('U');
        EXPECT_TRUE(e.Shows("MY_VAR")) << e.Text();
        EXPECT_TRUE(WaitFor([] { return ReadClipboard().text == kUserText; }))
            << ReadClipboard().text.value_or("(no text)");
        EXPECT_EQ(ReadClipboard().picture, (std::pair<LONG, std::uint32_t>{8, 0xFF8000}));
    }

    s.Exit();
    EXPECT_NE(s.ReadProgramFile("tavrill.ini").value_or("").find("KeepClipboard=1"), std::string::npos);
    s.StartToolBar();
    s.ChooseFromMenu(kMainButton, {'L'});  // off again: the classic behaviour
    s.Editor().SelectAll();
    PressShortcut('L');
    EXPECT_TRUE(s.Editor().Shows("my_var")) << s.Editor().Text();
    EXPECT_TRUE(WaitFor([] { return ReadClipboard().text == "my_var"; }));
}

}  // namespace
}  // namespace tavrill::e2e
