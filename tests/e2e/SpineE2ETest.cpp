// The tool bar beside an editor, driven as a user drives it: the case commands and the bridge
// under them, Undo, Lock to Window, the pop-up menus, Stay on Top and the saved position.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

// Two case commands, then Undo; what each command makes is told by the command table's unit tests,
// when the tool bar finds the editor by the bridge's.
TEST(BridgeE2ETest, CaseCommandsRewriteTheSelectionAndUndoTakesTheLastBack) {
    Session s({.editor = {.text = "my_var := some_func(x);\r\nend;"}});
    SampleEditor& e = s.Editor();
    for (const auto& [item, text] : {std::pair{'U', "MY_VAR := SOME_FUNC(X);\r\nEND;"},
                                     std::pair{'L', "my_var := some_func(x);\r\nend;"}}) {
        s.CaseCommand(static_cast<WORD>(item));
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
    s.ChooseFromMenu(kFormatButton, {VK_HOME, VK_RIGHT, 'U'});
    EXPECT_EQ(s.AnswerBox(), kNotAnEditor);
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));  // the case command stops at the empty text
    EXPECT_EQ(s.Editor().Text(), "my_var := 1;");

    s.CaseCommand('U');
    EXPECT_TRUE(s.Editor().Shows("MY_VAR := 1;")) << s.Editor().Text();
}

std::string LockBox(const std::string& title) {
    return "Lock to Window|Would you like to lock the Tavrill to the window \"" + title +
           "\"?  Clicking NO will unlock Tavrill from its current window.";
}

// Once a command has found an editor control, the tool bar keeps working with it while it lives;
// whether the tool bar is locked shows when that editor is closed and another takes its place.
TEST(LockE2ETest, ALockedToolBarSticksToAClosedEditorUntilAnsweredNo) {
    Session s({.editor = {.text = "lock_me := 1;"}});
    s.Editor().SelectAll();
    s.WaitForTarget();
    s.ChooseFromMenu(kMainButton, {'W'});
    EXPECT_EQ(s.AnswerBox('Y'), LockBox("Unit1.pas"));
    s.Editor().Close();
    SampleEditor& next = s.StartEditor({.text = "next := 2;", .fileName = "Unit2.pas"});
    s.CaseCommand('U');
    EXPECT_EQ(s.AnswerBox(), kNotAnEditor);
    EXPECT_EQ(next.Text(), "next := 2;");
    s.ChooseFromMenu(kMainButton, {'W'});
    EXPECT_EQ(s.AnswerBox(), kNotAnEditor);    // it fetches from the closed editor first
    EXPECT_EQ(s.AnswerBox('N'), LockBox(""));  // whose title is gone
    s.CaseCommand('U');
    EXPECT_TRUE(next.Shows("NEXT := 2;")) << next.Text();
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

bool Topmost(Session& s, bool on) {
    return WaitFor([&] {
        return s.ToolBar() && ((GetWindowLongA(s.ToolBar(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) == on;
    });
}

// One session for the tool bar alone; the package test runs this suite from the unzipped folder.
TEST(SettingsE2ETest, MenusStayOnTopAndThePositionSavedAtExitAndBroughtBackOnScreen) {
    Session s({.startEditor = false});
    RECT frame = WindowRect(s.ToolBar());
    EXPECT_EQ(frame.left, 32);
    EXPECT_EQ(frame.top, 420);
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
    ASSERT_TRUE(Topmost(s, true));
    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(Topmost(s, false));
    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(Topmost(s, true));

    EXPECT_FALSE(s.ReadProgramFile("tavrill.ini").has_value()) << "nothing is written while the program runs";
    s.Exit();
    EXPECT_EQ(s.ReadProgramFile("tavrill.ini"), "[Main]\r\nWindowX=32\r\nWindowY=420\r\n");
    s.WriteProgramFile("tavrill.ini", "[Main]\r\nWindowX=64\r\nWindowY=96\r\n");
    s.StartToolBar();
    EXPECT_EQ(WindowRect(s.ToolBar()).left, 64);
    EXPECT_EQ(WindowRect(s.ToolBar()).top, 96);
    s.Exit();

    // A position saved on a monitor that is gone moves as little as needed: to the right edge, the top.
    s.WriteProgramFile("tavrill.ini", "[Main]\r\nWindowX=5000\r\nWindowY=-3000\r\n");
    s.StartToolBar();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    frame = WindowRect(s.ToolBar());
    EXPECT_EQ(frame.right, work.right);
    EXPECT_EQ(frame.top, work.top);
    s.Exit();
    EXPECT_EQ(s.ReadProgramFile("tavrill.ini"), "[Main]\r\nWindowX=" + std::to_string(frame.left) +
                                                    "\r\nWindowY=" + std::to_string(frame.top) + "\r\n");
}

}  // namespace
}  // namespace tavrill::e2e
