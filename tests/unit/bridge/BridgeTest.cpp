// The bridge at its boundary: which editor it serves, what a fetch gives, what a
// delivery pastes, and the editors of today (docked, keys only, any editor,
// administrator), with Keep my clipboard around it all.
#include "bridge/Bridge.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "bridge/EditorFixture.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

using testing::FakeHost;

constexpr char kNotAnEditor[] = "Source window was not a Delphi TEditWindow.";
constexpr char kRunsAsAdministrator[] =
    "The editor runs as administrator. Start Delphi Tavrill as administrator too.";

bool Typed(const FakeHost& host) {
    return std::any_of(host.sent.begin(), host.sent.end(),
                       [](const std::string& s) { return s.starts_with("keys"); });
}

struct BridgeTest : testing::EditorFixture {
    BridgeTest() { Select("my_var := 1;"); }
};

// Copying an empty selection leaves the clipboard alone: what it holds is an
// earlier result or the user's own text, never the selection.
TEST_F(BridgeTest, AnEmptySelectionIsEmptyWhateverTheClipboardHolds) {
    ASSERT_EQ(bridge.FetchSelection(), "my_var := 1;");  // the control is now known to answer
    host.CaretAtEnd(control);
    host.SetClipboardText("the user's text");
    host.sent.clear();
    EXPECT_EQ(bridge.FetchSelection(), "");
    EXPECT_EQ(host.sent, (std::vector<std::string>{"copy " + std::to_string(control)}))
        << "no keystrokes, no bring-to-front";
    EXPECT_EQ(host.pausedMs, 0);
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(BridgeTest, FailuresGiveNothingAndSaySo) {
    // The editor put something on the clipboard, but no text.
    host.Window(control).copiesNothing = true;
    ASSERT_EQ(bridge.FetchSelection(), "");  // neither a message nor a typed copy changed it
    host.SetClipboardPicture();
    EXPECT_EQ(bridge.FetchSelection(), "") << "an unchanged clipboard is never read";
    host.Window(control).copiesNothing = false;
    Select("x");
    host.clipboardRefusesText = true;
    EXPECT_EQ(bridge.FetchSelection(), "x");
    host.sent.clear();
    EXPECT_FALSE(bridge.Deliver("block"));
    EXPECT_TRUE(host.sent.empty()) << "no paste of what the clipboard held before";
    EXPECT_EQ(host.boxes.back().text, "Could not put the text on the clipboard.");
    EXPECT_EQ(host.boxes.back().caption, "Could not paste");

    // Not an editor: said once, nothing read, the clipboard left alone.
    FakeHost other;
    Bridge elsewhere{other};
    other.foreground = other.AddWindow("Notepad");
    elsewhere.Tick();
    other.SetClipboardText("keep");
    EXPECT_EQ(elsewhere.FetchSelection(), std::nullopt);
    EXPECT_FALSE(elsewhere.FindEditor());
    EXPECT_EQ(other.Clipboard(), "keep");
    ASSERT_EQ(other.boxes.size(), 2u);
    EXPECT_EQ(other.boxes[0].text, kNotAnEditor);
    EXPECT_EQ(other.boxes[0].caption, "Could not copy");
}

TEST(BridgeTargetTest, ServesTheWindowUsedLastButNeverOneOfItsOwn) {
    FakeHost host;
    Bridge bridge{host};
    EXPECT_EQ(bridge.FetchSelection(), std::nullopt) << "before the timer saw an editor";
    EXPECT_TRUE(host.boxes.empty());

    const WindowHandle first = host.AddEditor("first");
    const WindowHandle firstWindow = host.editorWindow;
    const WindowHandle second = host.AddEditor("second");
    const WindowHandle notes = host.AddWindow("Notepad");
    host.Window(notes).focus = host.AddWindow("Edit", "", notes);
    host.SelectAll(host.Window(notes).focus, "notes");
    host.own.push_back(host.AddWindow("TfrmIF"));  // a dialog of the tool bar

    const auto fetchAfter = [&](WindowHandle foreground) {
        host.foreground = foreground;
        bridge.Tick();
        host.foreground = host.own.front();
        bridge.Tick();
        host.foreground = host.own.back();
        bridge.Tick();
        return bridge.FetchSelection();
    };
    EXPECT_EQ(fetchAfter(firstWindow), "first");
    EXPECT_EQ(fetchAfter(host.editorWindow), "second");
    EXPECT_EQ(fetchAfter(firstWindow), "first");
    bridge.SetAnyEditor(true);
    EXPECT_EQ(fetchAfter(notes), "notes") << "the user moved on to another program";
    EXPECT_EQ(fetchAfter(host.editorWindow), "second");
    (void)first;
    (void)second;
}

// The classic places first (under the editor window, or the first child of its last tab control);
// else, as in the IDE's main window with the editor docked, the control the user types in.
TEST(BridgeSearchTest, TakesTheControlWhereTheEditorKeepsItOrTheOneTheUserTypesIn) {
    struct Win {
        const char* cls;
        int parent;  // index of an earlier window; -1 for the top-level window
        bool visible = true;
        int area = 100;
    };
    const Win editor{"TEditWindow", -1}, tab{"TTabControl", 0};
    const std::vector<Win> direct = {editor, {"TPanel", 0}, {"TEditControl", 0}};
    const std::vector<Win> two = {editor, {"TEditControl", 0}, {"TEditControl", 0}};
    const std::vector<Win> tabbed = {editor, tab, {"TEditControl", 1}, {"TEditControl", 1}};
    const std::vector<Win> directFirst = {editor, tab, {"TEditControl", 1}, {"TEditControl", 0}};
    const std::vector<Win> notFirst = {editor, tab, {"TScrollBar", 1}, {"TEditControl", 1, false}};
    const std::vector<Win> lastTab = {editor, tab, {"TEditControl", 1, false}, tab, {"TPanel", 3}};
    const std::vector<Win> deeper = {editor, {"TPanel", 0}, {"TEditControl", 1, false}};
    const std::vector<Win> lowerCase = {editor, {"teditcontrol", 0}};
    const std::vector<Win> docked = {{"TAppBuilder", -1}, {"TEditorDockPanel", 0},
                                     {"TEditWindow", 1},  {"TPanel", 2},
                                     {"TPanel", 3},       {"TEditControl", 4, true, 500},
                                     {"TPanel", 3},       {"TEditControl", 6, true, 800},
                                     {"TTreeView", 0}};
    std::vector<Win> hiddenLarge = docked;
    hiddenLarge[7].visible = false;
    std::vector<Win> hiddenSheet = docked;
    hiddenSheet[6].visible = false;  // a hidden page hides the control on it
    std::vector<Win> tie = docked;
    tie[7].area = 500;
    const std::vector<Win> classicFirst = {
        {"TEditWindow", -1}, {"TPanel", 0}, {"TEditControl", 1, true, 900}, {"TEditControl", 0, true, 10}};
    const std::vector<Win> noneVisible = {{"TAppBuilder", -1}, {"TPanel", 0, false}, {"TEditControl", 1}};
    const struct {
        const char* why;
        int focus;       // the editor thread's focus now, -1 for none
        int remembered;  // its focus while the tool bar's timer looked, -1 for none
        int expected;    // -1 for no control
        const std::vector<Win>& windows;
    } cases[] = {
        {"directly under the editor window", -1, -1, 2, direct},
        {"the higher of two controls", -1, -1, 1, two},
        {"first child of a tab control", -1, -1, 2, tabbed},
        {"a direct control before a tab control", -1, -1, 3, directFirst},
        {"only the tab control's first child", -1, -1, -1, notFirst},
        {"the last tab control is looked into", -1, -1, -1, lastTab},
        {"no deeper levels", -1, -1, -1, deeper},
        {"class names compare case-sensitively", -1, -1, -1, lowerCase},
        {"the focused control", 5, -1, 5, docked},
        {"else the one focused last", -1, 5, 5, docked},
        {"a focused tree view is no editor", 8, 5, 5, docked},
        {"else the largest", -1, -1, 7, docked},
        {"the largest visible one", -1, -1, 5, hiddenLarge},
        {"a control focused last but now hidden", -1, 7, 5, hiddenSheet},
        {"the higher of two as large", -1, -1, 5, tie},
        {"the classic places come first", 2, -1, 3, classicFirst},
        {"no visible control", -1, -1, -1, noneVisible},
    };
    for (const auto& c : cases) {
        FakeHost host;
        Bridge bridge{host};
        std::vector<WindowHandle> h;
        for (const Win& w : c.windows) {
            h.push_back(host.AddWindow(w.cls, "", w.parent < 0 ? kNoWindow : h[w.parent]));
            host.Window(h.back()).visible = w.visible;
            host.Window(h.back()).area = w.area;
            host.SelectAll(h.back(), "from " + std::to_string(h.size() - 1));
        }
        host.foreground = h[0];
        host.Window(h[0]).focus = c.remembered < 0 ? kNoWindow : h[c.remembered];
        bridge.Tick();
        host.Window(h[0]).focus = c.focus < 0 ? kNoWindow : h[c.focus];
        const auto fetched = bridge.FetchSelection();
        if (c.expected < 0) {
            EXPECT_EQ(fetched, std::nullopt) << c.why;
            ASSERT_EQ(host.boxes.size(), 1u) << c.why;
            EXPECT_EQ(host.boxes[0].text, "No data found on clipboard.") << c.why;
        } else {
            EXPECT_EQ(fetched, "from " + std::to_string(c.expected)) << c.why;
        }
    }
}

// A docked IDE editor whose control takes copy, paste and undo only from the keyboard.
struct KeysOnlyEditor : ::testing::Test {
    FakeHost host;
    Bridge bridge{host};
    WindowHandle ide = host.AddWindow("TAppBuilder", "Project1");
    WindowHandle control = host.AddWindow("TEditControl", "", host.AddWindow("TEditWindow", "", ide));
    KeysOnlyEditor() {
        host.Window(control).answersMessages = false;
        host.SelectAll(control, "Počet := 'Ωμέγα ✓';");
        host.Window(ide).focus = control;
        host.foreground = ide;
        bridge.Tick();
        host.foreground = host.own.front();  // the user clicked the tool bar's menu
    }
    std::string Sent(const std::string& what) const { return what + " " + std::to_string(control); }
};

TEST_F(KeysOnlyEditor, TypedCtrlInsertDecidesAndFromThenOnEveryRequestIsTyped) {
    EXPECT_EQ(bridge.FetchSelection(), "Počet := 'Ωμέγα ✓';");
    EXPECT_EQ(host.sent, (std::vector<std::string>{Sent("copy"), Sent("front"), Sent("keys ctrl+insert")}));
    EXPECT_LE(host.pausedMs, 500) << "the wait is bounded";
    host.sent.clear();
    EXPECT_TRUE(bridge.Deliver("POčET := 'Ωμέγα ✓';"));
    EXPECT_EQ(host.Window(control).text, "POčET := 'Ωμέγα ✓';");
    bridge.Undo();
    EXPECT_EQ(host.Window(control).text, "Počet := 'Ωμέγα ✓';");
    EXPECT_EQ(host.sent, (std::vector<std::string>{Sent("front"), Sent("keys shift+insert"), Sent("front"),
                                                   Sent("keys ctrl+z")}))
        << "no more messages";
    // Any editor off keeps the IDE's own keys-only control.
    bridge.SetAnyEditor(true);
    bridge.SetAnyEditor(false);
    host.SelectAll(control, "Počet := 'Ωμέγα ✓';");
    host.sent.clear();
    EXPECT_EQ(bridge.FetchSelection(), "Počet := 'Ωμέγα ✓';");
    EXPECT_EQ(host.sent.back(), Sent("keys ctrl+insert"));
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(KeysOnlyEditor, NoKeysGoToAWindowTheUserSwitchedTo) {
    const WindowHandle notes = host.AddWindow("Notepad");
    host.Window(notes).focus = host.AddWindow("Edit", "", notes);
    host.foreground = notes;
    host.foregroundLocked = true;
    EXPECT_EQ(bridge.FetchSelection(), "");
    EXPECT_FALSE(Typed(host));
    host.foregroundLocked = false;
    EXPECT_EQ(bridge.FetchSelection(), "Počet := 'Ωμέγα ✓';");
    bridge.Deliver("x");
    host.foreground = notes;
    host.foregroundLocked = true;
    bridge.Undo();
    EXPECT_EQ(host.Window(control).text, "x") << "Ctrl+Z was not typed into the notes";
}

// Another program's editor: messages first, as for the IDE's controls.
TEST(BridgeAnyEditorTest, OtherEditorsOnlyWhenTurnedOnAndByMessagesWhereTheyAnswer) {
    FakeHost host;
    Bridge bridge{host};
    const WindowHandle frame = host.AddWindow("WordPadClass", "notes.pas");
    const WindowHandle rich = host.AddWindow("RICHEDIT50W", "", frame);
    host.SelectAll(rich, "x := 1;");
    host.Window(frame).focus = rich;
    host.foreground = frame;
    bridge.Tick();
    EXPECT_EQ(bridge.FetchSelection(), std::nullopt);
    EXPECT_EQ(host.boxes.at(0).text, kNotAnEditor);

    bridge.SetAnyEditor(true);
    EXPECT_EQ(bridge.FetchSelection(), "x := 1;");
    EXPECT_TRUE(bridge.Deliver("X := 1;"));
    EXPECT_EQ(host.Window(rich).text, "X := 1;");
    EXPECT_FALSE(Typed(host)) << "a rich edit control answers messages";

    host.answers = {Answer::Yes};
    EXPECT_EQ(bridge.LockToWindow(), true);
    host.foreground = host.AddWindow("TEditWindow");
    bridge.Tick();
    bridge.Undo();
    EXPECT_EQ(host.Window(rich).text, "x := 1;") << "locked: the other editor is still served";
    host.answers = {Answer::No};
    bridge.LockToWindow();
    bridge.SetAnyEditor(false);  // the control found that way is forgotten
    host.foreground = frame;
    bridge.Tick();
    host.boxes.clear();
    EXPECT_EQ(bridge.FetchSelection(), std::nullopt);
    EXPECT_EQ(host.boxes.at(0).text, kNotAnEditor);
    bridge.SetAnyEditor(true);
    host.answers = {Answer::Yes};
    EXPECT_EQ(bridge.LockToWindow(), true);
    host.Close(frame);  // a closed locked window is nobody's editor, Any editor or not
    host.boxes.clear();
    host.sent.clear();
    EXPECT_EQ(bridge.FetchSelection(), std::nullopt);
    EXPECT_EQ(host.boxes.at(0).text, kNotAnEditor);
    EXPECT_FALSE(Typed(host));
}

TEST(BridgeElevatedTest, AnEditorWithMoreRightsIsToldAndNothingElseHappens) {
    for (const bool denied : {false, true}) {
        FakeHost host;
        Bridge bridge{host};
        host.AddEditor("x");
        host.Window(host.editorWindow).elevated = !denied;
        host.copyDenied = denied;
        host.foreground = host.editorWindow;
        bridge.Tick();
        host.SetClipboardText("kept");
        EXPECT_EQ(bridge.FetchSelection(), std::nullopt);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, kRunsAsAdministrator);
        EXPECT_EQ(host.Clipboard(), "kept");
        EXPECT_FALSE(Typed(host));
    }
}

TEST_F(BridgeTest, LockIsClaimedOnlyForAWindowThatWasLocked) {
    host.answers = {Answer::Cancel};
    EXPECT_EQ(bridge.LockToWindow(), std::nullopt);  // the question's words are LockE2ETest's
    host.answers = {Answer::Yes};
    EXPECT_EQ(bridge.LockToWindow(), true);
    host.foreground = host.AddWindow("Notepad", "notes");
    bridge.Tick();
    EXPECT_EQ(bridge.FetchSelection(), "my_var := 1;") << "locked: the timer's window does not matter";
    host.answers = {Answer::No};
    EXPECT_EQ(bridge.LockToWindow(), false);

    FakeHost empty;
    Bridge nowhere{empty};
    empty.foreground = empty.AddWindow("Notepad");
    nowhere.Tick();
    empty.answers = {Answer::Yes};
    EXPECT_EQ(nowhere.LockToWindow(), false) << "no editor found: nothing locked";
    EXPECT_FALSE(nowhere.Locked());
}

// Keep my clipboard: what the user had comes back after the paste, unless
// another program changed it meanwhile.
TEST_F(BridgeTest, KeepMyClipboardPutsItBackAfterThePasteOnly) {
    host.SetClipboardText("the user's text");
    bridge.SetKeepClipboard(true);
    const auto convert = [&] {
        Select("my_var");
        CommandScope command(bridge);
        const auto text = bridge.FetchSelection();
        bridge.Deliver("MY_VAR");
        EXPECT_EQ(EditorText(), "MY_VAR") << "pasted before the clipboard is put back";
    };
    convert();
    EXPECT_EQ(host.Clipboard(), "the user's text");
    host.SetClipboardPicture();
    convert();
    EXPECT_TRUE(host.ClipboardHasPicture());
    {
        CommandScope undo(bridge);  // never touches the clipboard: nothing to put back
        bridge.Undo();
    }
    {
        CommandScope command(bridge);
        bridge.FetchSelection();
        host.SetClipboardText("copied in another program while a dialog was open");
    }
    EXPECT_EQ(host.Clipboard(), "copied in another program while a dialog was open");
    EXPECT_EQ(host.restores, 2);
    bridge.SetKeepClipboard(false);
    convert();
    EXPECT_EQ(host.Clipboard(), "MY_VAR") << "the classic behaviour: the result stays";

    // On the keystroke path the typed paste is awaited before the clipboard goes back.
    host.Window(control).answersMessages = false;
    host.Window(host.editorWindow).focus = control;
    Select("my_var");
    FakeHost& h = host;
    Bridge keys{h};
    keys.Tick();
    keys.SetKeepClipboard(true);
    {
        CommandScope command(keys);
        keys.FetchSelection();
        keys.Deliver("X");
    }
    const auto typed =
        std::find(h.sent.begin(), h.sent.end(), "keys shift+insert " + std::to_string(control));
    ASSERT_NE(typed, h.sent.end());
    EXPECT_EQ(*std::next(typed), "await " + std::to_string(control));
}

}  // namespace
}  // namespace tavrill
