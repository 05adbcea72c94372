// The tool bar beside an editor, driven as a user drives it: the case commands and the bridge
// under them, Undo, Lock to Window, the saved position and Stay on Top.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr char kNotAnEditor[] = "Source window was not a Delphi TEditWindow.";
constexpr char kCouldNotCopy[] = "Could not copy";
constexpr char kNoData[] = "No data found on clipboard.";
constexpr char kEmptyClipboard[] = "Empty clipboard?";

// "&Case" shares its key with "&Comment out", so it is reached with the arrow keys.
void ChooseCase(Session& s, WORD item) {
    s.ChooseFromMenu(kFormatButton, {VK_HOME, VK_RIGHT, item});
}

void LockToWindow(Session& s) {
    s.ChooseFromMenu(kMainButton, {'W'});
}

// Expects this message box from the tool bar and closes it with Enter.
void ExpectNotice(Session& s, const std::string& caption, const std::string& text) {
    auto box = s.WaitForMessageBox();
    if (!box) {
        ADD_FAILURE() << "no message box \"" << caption << "\"";
        return;
    }
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->text, text);
    AnswerMessageBox(*box, VK_RETURN);
}

bool EditorShows(SampleEditor& editor, const std::string& text, size_t control = 0) {
    return WaitFor([&] { return editor.Text(control) == text; });
}

// ---- Case commands

struct CaseRow {
    const char* name;
    WORD item;
    std::string text;
    size_t start, length;  // the selection; length 0 selects all
    std::string selectionAfter, textAfter;
};

void PrintTo(const CaseRow& row, std::ostream* os) {
    *os << row.name;
}

class CaseCommandE2ETest : public ::testing::TestWithParam<CaseRow> {};

TEST_P(CaseCommandE2ETest, ReplacesTheSelectionWithItsConversion) {
    const CaseRow& row = GetParam();
    Session s({.editor = {.text = row.text}});
    if (row.length == 0) {
        s.Editor().SelectAll();
    } else {
        s.Editor().SelectRange(row.start, row.length);
    }
    s.WaitForTarget();
    ChooseCase(s, row.item);

    EXPECT_TRUE(EditorShows(s.Editor(), row.textAfter)) << s.Editor().Text();
    EXPECT_EQ(ClipboardText(), row.selectionAfter);
    EXPECT_TRUE(WaitFor([&] { return IsForeground(s.Editor().Window()); }))
        << "the editor is not back in front";
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));
}

const std::string kHello = "ShowMessage('Hello World');";

INSTANTIATE_TEST_SUITE_P(
    Items, CaseCommandE2ETest,
    ::testing::Values(
        CaseRow{"Upper", 'U', kHello, 0, 0, "SHOWMESSAGE('HELLO WORLD');", "SHOWMESSAGE('HELLO WORLD');"},
        CaseRow{"Lower", 'L', kHello, 0, 0, "showmessage('hello world');", "showmessage('hello world');"},
        CaseRow{"Title", 'T', "my_var := some_func(x);", 0, 0, "My_Var := Some_Func(X);",
                "My_Var := Some_Func(X);"},
        CaseRow{"Flip", 'F', kHello, 0, 0, "sHOWmESSAGE('hELLO wORLD');", "sHOWmESSAGE('hELLO wORLD');"},
        // Only the selection changes, and its first letter is a word start whatever precedes it.
        CaseRow{"TitleOfPartOfALine", 'T', "begin\r\n  x := my_var2nd;\r\nend;", 13, 9, "My_Var2nd",
                "begin\r\n  x := My_Var2nd;\r\nend;"}),
    [](const auto& p) { return std::string(p.param.name); });

// ---- The bridge: finding the editor

TEST(BridgeE2ETest, CommandInTheFirstSecondDoesNothingAndShowsNothing) {
    Session s({.editor = {.text = "my_var := 1;"}, .startToolBar = false});
    s.Editor().SelectAll();
    SetClipboardText("kept");
    s.StartToolBar();
    ChooseCase(s, 'U');

    EXPECT_TRUE(s.NoMessageBoxFor(Millis{1500}));
    EXPECT_EQ(s.Editor().Text(), "my_var := 1;");
    EXPECT_EQ(ClipboardText(), "kept");
}

TEST(BridgeE2ETest, ForeignForegroundWindowIsReportedAndTheClipboardEmptied) {
    Session s({.editor = {.text = "my_var := 1;"}});
    s.Editor().SelectAll();
    ForeignWindow notes;
    notes.Activate();
    s.WaitForTarget();
    SetClipboardText("earlier");
    ChooseCase(s, 'U');

    ExpectNotice(s, kCouldNotCopy, kNotAnEditor);
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));  // the case command stops at the empty text
    EXPECT_FALSE(ClipboardText().has_value());
    EXPECT_EQ(s.Editor().Text(), "my_var := 1;");
}

TEST(BridgeE2ETest, EditorControlInsideATabControlIsFound) {
    Session s({.editor = {.text = "my_var := 1;", .tab = true}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    ChooseCase(s, 'U');
    EXPECT_TRUE(EditorShows(s.Editor(), "MY_VAR := 1;")) << s.Editor().Text();
}

TEST(BridgeE2ETest, EditorControlThatIsNotTheTabControlsFirstChildIsNotFound) {
    Session s({.editor = {.text = "my_var := 1;", .tab = true, .tabSecond = true}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    ChooseCase(s, 'U');

    ExpectNotice(s, kEmptyClipboard, kNoData);
    EXPECT_EQ(s.Editor().Text(), "my_var := 1;");
}

TEST(BridgeE2ETest, OfTwoEditorControlsTheUpperOneIsTakenWhereverTheFocusIs) {
    Session s({.editor = {.text = "first_one;", .second = true}});
    s.Editor().SelectAll(0);
    s.Editor().Focus(1);
    TypeText("second_one;");
    s.Editor().SelectAll(1);
    s.WaitForTarget();
    ChooseCase(s, 'U');

    EXPECT_TRUE(EditorShows(s.Editor(), "FIRST_ONE;", 0)) << s.Editor().Text(0);
    EXPECT_EQ(s.Editor().Text(1), "second_one;");
}

TEST(BridgeE2ETest, UndoReachesOnlyAnEditorFoundByACommand) {
    Session s({.editor = {.text = "my_var := 1;"}});
    s.Editor().Focus();
    TypeText(" // typed");
    ASSERT_TRUE(EditorShows(s.Editor(), "my_var := 1; // typed"));
    s.WaitForTarget();

    // No command has found the editor yet: Undo has nowhere to go.
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));
    EXPECT_EQ(s.Editor().Text(), "my_var := 1; // typed");

    s.Editor().SelectAll();
    s.WaitForTarget();
    ChooseCase(s, 'U');
    ASSERT_TRUE(EditorShows(s.Editor(), "MY_VAR := 1; // TYPED"));
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(EditorShows(s.Editor(), "my_var := 1; // typed")) << s.Editor().Text();
}

// ---- Lock to Window

std::string LockQuestion(const std::string& title) {
    return "Would you like to lock the Tavrill to the window \"" + title +
           "\"?  Clicking NO will unlock Tavrill from its current window.";
}

// Whether the tool bar still sticks to the first editor once that is closed: a new editor in
// front is then not taken, and every command reports the closed one.
bool StaysLockedAfterTheEditorCloses(Session& s) {
    s.Editor().Close();
    SampleEditor& other = s.StartEditor({.text = "other := 2;", .fileName = "Unit2.pas"});
    other.SelectAll();
    s.WaitForTarget();
    ChooseCase(s, 'U');
    WaitFor([&] { return other.Text() != "other := 2;" || FindMessageBox(s.ToolBarProcessId()); });
    if (other.Text() == "OTHER := 2;") return false;
    ExpectNotice(s, kCouldNotCopy, kNotAnEditor);
    EXPECT_EQ(other.Text(), "other := 2;");
    return true;
}

struct LockRow {
    const char* name;
    WORD before;  // the answer given to an earlier question, 0 for none
    WORD answer;
    bool locked;
};

void PrintTo(const LockRow& row, std::ostream* os) {
    *os << row.name;
}

class LockAnswerE2ETest : public ::testing::TestWithParam<LockRow> {};

TEST_P(LockAnswerE2ETest, AnswerDecidesWhetherTheToolBarSticksToTheEditor) {
    const LockRow& row = GetParam();
    Session s({.editor = {.text = "lock_me := 1;"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    if (row.before) {
        LockToWindow(s);
        auto box = s.WaitForMessageBox();
        ASSERT_TRUE(box);
        AnswerMessageBox(*box, row.before);
        s.Editor().SelectAll();
        s.WaitForTarget();
    }
    ClearClipboard();
    LockToWindow(s);
    auto box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Lock to Window");
    if (!row.before) {
        EXPECT_EQ(box->text, LockQuestion("Unit1.pas"));
    }
    AnswerMessageBox(*box, row.answer);
    // Whatever the answer, the selection was copied on the way.
    EXPECT_EQ(ClipboardText(), "lock_me := 1;");

    EXPECT_EQ(StaysLockedAfterTheEditorCloses(s), row.locked);
}

INSTANTIATE_TEST_SUITE_P(Answers, LockAnswerE2ETest,
                         ::testing::Values(LockRow{"Yes", 0, 'Y', true}, LockRow{"No", 0, 'N', false},
                                           LockRow{"Cancel", 0, VK_ESCAPE, false},
                                           LockRow{"CancelKeepsTheLock", 'Y', VK_ESCAPE, true}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(LockE2ETest, ClosedLockedEditorIsReportedUntilTheLockIsAnsweredNo) {
    Session s({.editor = {.text = "lock_me := 1;"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    LockToWindow(s);
    auto box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    AnswerMessageBox(*box, 'Y');
    ASSERT_TRUE(StaysLockedAfterTheEditorCloses(s));

    // Asking again fetches from the closed editor first; its title is gone.
    LockToWindow(s);
    ExpectNotice(s, kCouldNotCopy, kNotAnEditor);
    box = s.WaitForMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, LockQuestion(""));
    AnswerMessageBox(*box, 'N');

    s.Editor().SelectAll();
    s.WaitForTarget();
    ChooseCase(s, 'U');
    EXPECT_TRUE(EditorShows(s.Editor(), "OTHER := 2;")) << s.Editor().Text();
}

// ---- Settings: where the tool bar stands

POINT TopLeft(HWND window) {
    RECT r = WindowRect(window);
    return {r.left, r.top};
}

TEST(SettingsE2ETest, FirstRunStandsAtTheDefaultAndExitWritesThePosition) {
    Session s({.startEditor = false});
    POINT at = TopLeft(s.ToolBar());
    EXPECT_EQ(at.x, 32);
    EXPECT_EQ(at.y, 420);
    EXPECT_FALSE(s.ReadProgramFile("tavrill.ini").has_value()) << "nothing is written while the program runs";

    s.Exit();
    EXPECT_EQ(s.ReadProgramFile("tavrill.ini"), "[Main]\r\nWindowX=32\r\nWindowY=420\r\n");
}

struct PositionRow {
    const char* name;
    std::string x, y;
    LONG expectedX, expectedY;
};

void PrintTo(const PositionRow& row, std::ostream* os) {
    *os << row.name;
}

class SettingsPositionE2ETest : public ::testing::TestWithParam<PositionRow> {};

TEST_P(SettingsPositionE2ETest, SavedPositionIsReadAtStartAndWrittenBackInDecimal) {
    const PositionRow& row = GetParam();
    std::string ini = "[Other]\r\nkeep=this\r\n[Main]\r\nWindowX=" + row.x + "\r\nWindowY=" + row.y + "\r\n";
    Session s({.startEditor = false, .files = {{"tavrill.ini", ini}}});
    POINT at = TopLeft(s.ToolBar());
    EXPECT_EQ(at.x, row.expectedX);
    EXPECT_EQ(at.y, row.expectedY);

    s.Exit();
    std::string path = s.Folder() + "tavrill.ini";
    char value[64] = "";
    GetPrivateProfileStringA("Main", "WindowX", "", value, sizeof value, path.c_str());
    EXPECT_EQ(std::string(value), std::to_string(row.expectedX));
    GetPrivateProfileStringA("Main", "WindowY", "", value, sizeof value, path.c_str());
    EXPECT_EQ(std::string(value), std::to_string(row.expectedY));
    GetPrivateProfileStringA("Other", "keep", "", value, sizeof value, path.c_str());
    EXPECT_EQ(std::string(value), "this");
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsPositionE2ETest,
                         ::testing::Values(PositionRow{"Decimal", "100", "200", 100, 200},
                                           PositionRow{"Hexadecimal", "0x40", "$40", 64, 64},
                                           PositionRow{"NotANumber", "left", "0X1F4", 32, 500},
                                           PositionRow{"OffTheScreen", "-10", "", -10, 420}),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- Pop-up menus

// Where the tool bar's pop-up menu opens, or nothing when none opens; the menu is closed again.
std::optional<POINT> MenuCorner(Session& s, std::string_view hint) {
    s.ClickButton(hint);
    std::optional<POINT> corner;
    auto menu = [&]() -> HWND {
        for (HWND w : VisibleTopLevelWindows(s.ToolBarProcessId())) {
            if (ClassOf(w) == "#32768") return w;
        }
        return nullptr;
    };
    if (WaitFor([&] { return menu() != nullptr; })) {
        RECT r = WindowRect(menu());
        corner = POINT{r.left, r.top};
    }
    PressKeys({VK_ESCAPE});
    WaitFor([&] { return menu() == nullptr; });
    return corner;
}

TEST(ToolBarE2ETest, MenusOpenAtTheFramesCornerPlusTheButtonsOffsetAndHelpOneButtonLower) {
    Session s({.startEditor = false});
    RECT frame = WindowRect(s.ToolBar());
    POINT client{0, 0};
    ClientToScreen(s.ToolBar(), &client);
    for (auto [hint, lower] : {std::pair{kMainButton, 0}, std::pair{kBlocksButton, 0},
                               std::pair{kFormatButton, 0}, std::pair{kHelpButton, 25}}) {
        RECT button = WindowRect(s.Button(hint));
        auto corner = MenuCorner(s, hint);
        ASSERT_TRUE(corner) << hint;
        EXPECT_EQ(corner->x, frame.left + (button.left - client.x)) << hint;
        EXPECT_EQ(corner->y, frame.top + (button.top - client.y) + lower) << hint;
    }
}

// ---- Stay on Top

// A window over the right half of the tool bar, leaving "General options" free to click.
RECT CoverRightOf(HWND toolBar) {
    RECT r = WindowRect(toolBar);
    LONG middle = (r.left + r.right) / 2;
    return {middle, r.top - 40, middle + 300, r.bottom + 40};
}

bool HelpButtonVisible(Session& s) {
    RECT r = WindowRect(s.Button(kHelpButton));
    HWND at = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return at && GetAncestor(at, GA_ROOT) == s.ToolBar();
}

TEST(StayOnTopE2ETest, TogglingLetsOtherWindowsCoverTheToolBarAndThenNotAgain) {
    Session s({.startEditor = false});
    ASSERT_TRUE(IsTopmost(s.ToolBar()));
    ForeignWindow cover(CoverRightOf(s.ToolBar()), "Cover");
    cover.Activate();
    EXPECT_TRUE(HelpButtonVisible(s));

    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(WaitFor([&] { return s.ToolBar() && !IsTopmost(s.ToolBar()); }));
    cover.Activate();
    EXPECT_TRUE(WaitFor([&] { return !HelpButtonVisible(s); }))
        << "the other window does not cover the tool bar";

    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(WaitFor([&] { return s.ToolBar() && IsTopmost(s.ToolBar()); }));
    cover.Activate();
    EXPECT_TRUE(HelpButtonVisible(s));
}

}  // namespace
}  // namespace tavrill::e2e
