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

bool EditorShows(SampleEditor& editor, const std::string& text) {
    return WaitFor([&] { return editor.Text() == text; });
}

TEST(BridgeE2ETest, CaseCommandsAndUndoReachTheEditorOnlyOnceACommandHasFoundIt) {
    Session s({.editor = {.text = "my_var := some_func(x);\r\nend;"}, .startToolBar = false});
    SampleEditor& e = s.Editor();
    e.SelectAll();
    SetClipboardText("kept");
    s.StartToolBar();
    ChooseCase(s, 'U');  // in the first second after the start: nothing happens
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{1500}));
    EXPECT_EQ(e.Text(), "my_var := some_func(x);\r\nend;");
    EXPECT_EQ(ClipboardText(), "kept");

    e.Focus();
    TypeText(" // typed");
    ASSERT_TRUE(EditorShows(e, "my_var := some_func(x);\r\nend; // typed"));
    s.WaitForTarget();
    s.ChooseFromMenu(kMainButton, {'U'});  // no command has found the editor: Undo goes nowhere
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));
    EXPECT_EQ(e.Text(), "my_var := some_func(x);\r\nend; // typed");

    constexpr size_t kAll = std::string::npos;
    struct Step {
        WORD item;
        size_t length;  // of the selection, from the start
        std::string text;
    };
    for (const Step& step : {Step{'T', 23, "My_Var := Some_Func(X);\r\nend; // typed"},
                             Step{'F', kAll, "mY_vAR := sOME_fUNC(x);\r\nEND; // TYPED"},
                             Step{'U', kAll, "MY_VAR := SOME_FUNC(X);\r\nEND; // TYPED"},
                             Step{'L', kAll, "my_var := some_func(x);\r\nend; // typed"}}) {
        SCOPED_TRACE(step.text);
        step.length == kAll ? e.SelectAll() : e.SelectRange(0, step.length);
        s.WaitForTarget();
        ChooseCase(s, step.item);
        EXPECT_TRUE(EditorShows(e, step.text)) << e.Text();
        EXPECT_EQ(ClipboardText(), step.text.substr(0, step.length));
        EXPECT_TRUE(WaitFor([&] { return IsForeground(e.Window()); })) << "the editor is not back in front";
        EXPECT_TRUE(s.NoMessageBoxFor(Millis{300}));
    }
    s.ChooseFromMenu(kMainButton, {'U'});
    EXPECT_TRUE(EditorShows(e, "MY_VAR := SOME_FUNC(X);\r\nEND; // TYPED")) << e.Text();
}

// The first command to find an editor control decides where the next ones go: the foreign window first.
TEST(BridgeE2ETest, AnyOtherWindowIsReportedAndAnEditorInsideATabControlIsFound) {
    Session s({.editor = {.text = "my_var := 1;", .tab = true}});
    s.Editor().SelectAll();
    ForeignWindow notes;
    notes.Activate();
    s.WaitForTarget();
    SetClipboardText("earlier");
    ChooseCase(s, 'U');
    ExpectBox(s, kCouldNotCopy, kNotAnEditor);
    EXPECT_TRUE(s.NoMessageBoxFor(Millis{500}));  // the case command stops at the empty text
    EXPECT_FALSE(ClipboardText().has_value());
    EXPECT_EQ(s.Editor().Text(), "my_var := 1;");

    CaseIn(s, s.Editor(), 'U');
    EXPECT_TRUE(EditorShows(s.Editor(), "MY_VAR := 1;")) << s.Editor().Text();
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
TEST(LockE2ETest, AnswersDecideWhetherTheToolBarSticksToAClosedEditor) {
    Session s({.editor = {.text = "lock_me := 1;"}});
    auto next = [&](std::string text, std::string fileName) -> SampleEditor& {
        s.Editor().Close();
        return s.StartEditor({.text = text, .fileName = fileName});
    };
    s.Editor().SelectAll();
    s.WaitForTarget();
    ClearClipboard();
    Lock(s, "Unit1.pas", VK_ESCAPE);
    EXPECT_EQ(ClipboardText(), "lock_me := 1;");  // copied on the way, whatever the answer

    SampleEditor& second = next("second := 2;", "Unit2.pas");
    CaseIn(s, second, 'U');
    EXPECT_TRUE(EditorShows(second, "SECOND := 2;")) << second.Text();
    Lock(s, "Unit2.pas", 'N');

    SampleEditor& third = next("third := 3;", "Unit3.pas");
    CaseIn(s, third, 'U');
    EXPECT_TRUE(EditorShows(third, "THIRD := 3;")) << third.Text();
    Lock(s, "Unit3.pas", 'Y');
    Lock(s, std::nullopt, VK_ESCAPE);  // Cancel keeps the lock

    SampleEditor& fourth = next("fourth := 4;", "Unit4.pas");
    CaseIn(s, fourth, 'U');
    ExpectBox(s, kCouldNotCopy, kNotAnEditor);
    EXPECT_EQ(fourth.Text(), "fourth := 4;");
    Lock(s, "", 'N', true);  // the closed editor's title is gone
    CaseIn(s, fourth, 'U');
    EXPECT_TRUE(EditorShows(fourth, "FOURTH := 4;")) << fourth.Text();
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

    s.WriteProgramFile("tavrill.ini", "[Other]\r\nkeep=this\r\n[Main]\r\nWindowX=0x40\r\nWindowY=$40\r\n");
    s.StartToolBar();
    EXPECT_EQ(Place(s.ToolBar()), (std::pair<LONG, LONG>{64, 64}));
    s.Exit();
    auto value = [&](const char* section, const char* key) {
        char v[64] = "";
        GetPrivateProfileStringA(section, key, "", v, sizeof v, (s.Folder() + "tavrill.ini").c_str());
        return std::string(v);
    };
    EXPECT_EQ(value("Main", "WindowX"), "64");
    EXPECT_EQ(value("Main", "WindowY"), "64");
    EXPECT_EQ(value("Other", "keep"), "this");
    s.StartToolBar();
    EXPECT_EQ(Place(s.ToolBar()), (std::pair<LONG, LONG>{64, 64}));
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

bool HelpButtonVisible(Session& s) {
    RECT r = WindowRect(s.Button(kHelpButton));
    HWND at = WindowFromPoint({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    return at && GetAncestor(at, GA_ROOT) == s.ToolBar();
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

    // A window over the right half of the tool bar, leaving "General options" free to click.
    ASSERT_TRUE(IsTopmost(s.ToolBar()));
    LONG middle = (frame.left + frame.right) / 2;
    ForeignWindow cover({middle, frame.top - 40, middle + 300, frame.bottom + 40}, "Cover");
    cover.Activate();
    EXPECT_TRUE(HelpButtonVisible(s));
    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(WaitFor([&] { return s.ToolBar() && !IsTopmost(s.ToolBar()); }));
    cover.Activate();
    EXPECT_TRUE(WaitFor([&] { return !HelpButtonVisible(s); })) << "the other window does not cover it";
    s.ChooseFromMenu(kMainButton, {'S'});
    EXPECT_TRUE(WaitFor([&] { return s.ToolBar() && IsTopmost(s.ToolBar()); }));
    cover.Activate();
    EXPECT_TRUE(HelpButtonVisible(s));
}

}  // namespace
}  // namespace tavrill::e2e
