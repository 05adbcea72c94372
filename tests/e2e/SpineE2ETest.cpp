// The tool bar beside an editor, driven as a user drives it: the case commands and the bridge
// under them, Undo, Lock to Window, the saved position, the pop-up menus and Stay on Top.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

constexpr char kNotAnEditor[] = "Source window was not a Delphi TEditWindow.";
constexpr char kCouldNotCopy[] = "Could not copy";

// "&Case" shares its key with "&Comment out", so it is reached with the arrow keys.
void ChooseCase(Session& s, WORD item) {
    s.ChooseFromMenu(kFormatButton, {VK_HOME, VK_RIGHT, item});
}

// Selects all in the editor, lets the tool bar take it as its target and gives a case command.
void CaseIn(Session& s, SampleEditor& editor, WORD item) {
    editor.SelectAll();
    s.WaitForTarget();
    ChooseCase(s, item);
}

// Expects this message box from the tool bar (its text unless none is given) and answers it.
void ExpectBox(Session& s, const std::string& caption, std::optional<std::string> text,
               WORD answer = VK_RETURN) {
    auto box = s.WaitForMessageBox();
    ASSERT_TRUE(box) << "no message box \"" << caption << "\"";
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->text, text.value_or(box->text));
    AnswerMessageBox(*box, answer);
}

// Each case command once, then Undo; when the tool bar finds the editor is told by the bridge's unit tests.
TEST(BridgeE2ETest, CaseCommandsRewriteTheSelectionAndUndoTakesTheLastBack) {
    Session s({.editor = {.text = "my_var := some_func(x);\r\nend;"}});
    SampleEditor& e = s.Editor();
    for (const auto& [item, text] : {std::pair{'T', "My_Var := Some_Func(X);\r\nEnd;"},
                                     std::pair{'F', "mY_vAR := sOME_fUNC(x);\r\neND;"},
                                     std::pair{'U', "MY_VAR := SOME_FUNC(X);\r\nEND;"},
                                     std::pair{'L', "my_var := some_func(x);\r\nend;"}}) {
        CaseIn(s, e, static_cast<WORD>(item));
        EXPECT_TRUE(e.Shows(text)) << e.Text();
        EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); })) << "the editor is not back in front";
    }
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(e.Shows("MY_VAR := SOME_FUNC(X);\r\nEND;")) << e.Text();
}

// The first command to find an editor control decides where the next ones go: the foreign window first.
TEST(BridgeE2ETest, AnyOtherWindowIsReportedAndAnEditorInsideATabControlIsFound) {
    Session s({.editor = {.text = "my_var := 1;", .tab = true}});
    s.Editor().SelectAll();
    ForeignWindow notes;
    notes.Activate();
    s.WaitForTarget();
    ChooseCase(s, 'U');
    ExpectBox(s, kCouldNotCopy, kNotAnEditor);
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));  // the case command stops at the empty text
    EXPECT_EQ(s.Editor().Text(), "my_var := 1;");

    CaseIn(s, s.Editor(), 'U');
    EXPECT_TRUE(s.Editor().Shows("MY_VAR := 1;")) << s.Editor().Text();
}

void Lock(Session& s, std::optional<std::string> title, WORD answer, bool lockedEditorClosed = false) {
    s.ChooseFromMenu(kMainButton, {'W'});
    if (lockedEditorClosed) ExpectBox(s, kCouldNotCopy, kNotAnEditor);  // it fetches from there first
    if (title) {
        title = "Would you like to lock the Tavrill to the window \"" + *title +
                "\"?  Clicking NO will unlock Tavrill from its current window.";
    }
    ExpectBox(s, "Lock to Window", title, answer);
}

// Once a command has found an editor control, the tool bar keeps working with it while it lives;
// whether the tool bar is locked shows when that editor is closed and another takes its place.
TEST(LockE2ETest, ALockedToolBarSticksToAClosedEditorUntilAnsweredNo) {
    Session s({.editor = {.text = "lock_me := 1;"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    Lock(s, "Unit1.pas", 'Y');
    s.Editor().Close();
    SampleEditor& next = s.StartEditor({.text = "next := 2;", .fileName = "Unit2.pas"});
    CaseIn(s, next, 'U');
    ExpectBox(s, kCouldNotCopy, kNotAnEditor);
    EXPECT_EQ(next.Text(), "next := 2;");
    Lock(s, "", 'N', true);  // the closed editor's title is gone
    CaseIn(s, next, 'U');
    EXPECT_TRUE(next.Shows("NEXT := 2;")) << next.Text();
}

std::pair<LONG, LONG> Place(HWND window) {
    RECT r = WindowRect(window);
    return {r.left, r.top};
}

TEST(SettingsE2ETest, PositionIsWrittenOnExitAndReadAtTheNextStart) {
    Session s({.startEditor = false});
    EXPECT_EQ(Place(s.ToolBar()), (std::pair<LONG, LONG>{32, 420}));
    EXPECT_FALSE(s.ReadProgramFile("tavrill.ini").has_value()) << "nothing is written while the program runs";
    s.Exit();
    EXPECT_EQ(s.ReadProgramFile("tavrill.ini"), "[Main]\r\nWindowX=32\r\nWindowY=420\r\n");
    s.WriteProgramFile("tavrill.ini", "[Main]\r\nWindowX=64\r\nWindowY=96\r\n");
    s.StartToolBar();
    EXPECT_EQ(Place(s.ToolBar()), (std::pair<LONG, LONG>{64, 96}));
}

// Where the button's pop-up menu opens; Escape closes it again.
std::optional<POINT> MenuCorner(Session& s, std::string_view hint) {
    auto corner = [&]() -> std::optional<POINT> {
        for (HWND w : VisibleTopLevelWindows(s.ToolBarProcessId())) {
            if (ClassOf(w) == "#32768") return POINT{WindowRect(w).left, WindowRect(w).top};
        }
        return std::nullopt;
    };
    s.ClickButton(hint);
    WaitFor([&] { return corner().has_value(); });
    std::optional<POINT> at = corner();
    PressKeys({VK_ESCAPE});
    WaitFor([&] { return !corner(); });
    return at;
}

TEST(ToolBarE2ETest, MenusOpenAtTheirButtonsHelpOneLowerAndStayOnTopCanBeTurnedOff) {
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

    ASSERT_TRUE(IsTopmost(s.ToolBar()));
    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(WaitFor([&] { return s.ToolBar() && !IsTopmost(s.ToolBar()); }));
    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(WaitFor([&] { return s.ToolBar() && IsTopmost(s.ToolBar()); }));
}

}  // namespace
}  // namespace tavrill::e2e
