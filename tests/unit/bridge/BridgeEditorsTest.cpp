// The editors of today: the docked IDE editor, controls that answer only keystrokes, other
// editors when "Any editor" is on, and an editor that runs with more rights than the tool bar.

#include <gtest/gtest.h>

#include "bridge/Bridge.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

using testing::FakeHost;

constexpr char kNotAnEditor[] = "Source window was not a Delphi TEditWindow.";
constexpr char kRunsAsAdministrator[] =
    "The editor runs as administrator. Start Delphi Tavrill as administrator too.";

// The classic places first (under the editor window, or the first child of its last tab control);
// else, as in the IDE's main window with the editor docked, the control the user types in.
TEST(BridgeSearchTest, TakesTheControlWhereTheEditorKeepsItOrTheOneTheUserTypesIn) {
    struct Win {
        const char* cls;
        int parent;  // index of an earlier window; -1 for the top-level window
        bool visible = true;
        int area = 100;
    };
    // The classic places; controls elsewhere are hidden, so that the search of the whole tree finds
    // none either.
    const Win editor{"TEditWindow", -1}, tab{"TTabControl", 0};
    const std::vector<Win> direct = {editor, {"TPanel", 0}, {"TEditControl", 0}};
    const std::vector<Win> two = {editor, {"TEditControl", 0}, {"TEditControl", 0}};
    const std::vector<Win> tabbed = {editor, tab, {"TEditControl", 1}, {"TEditControl", 1}};
    const std::vector<Win> directFirst = {editor, tab, {"TEditControl", 1}, {"TEditControl", 0}};
    const std::vector<Win> notFirst = {editor, tab, {"TScrollBar", 1}, {"TEditControl", 1, false}};
    const std::vector<Win> lastTab = {editor, tab, {"TEditControl", 1, false}, tab, {"TPanel", 3}};
    const std::vector<Win> deeper = {editor, {"TPanel", 0}, {"TEditControl", 1, false}};
    const std::vector<Win> lowerCase = {editor, {"teditcontrol", 0}};
    // The IDE's main window with the editor docked in it, and two files open side by side.
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
    const std::vector<Win> undocked = {
        {"TEditWindow", -1}, {"TPanel", 0}, {"TPanel", 1}, {"TEditControl", 2}};
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
        {"a control on a hidden page is not visible", -1, -1, 5, hiddenSheet},
        {"a control focused last but now hidden", -1, 7, 5, hiddenSheet},
        {"the higher of two as large", -1, -1, 5, tie},
        {"an undocked editor window with panels", -1, -1, 3, undocked},
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
            host.Window(h.back()).selection = "from " + std::to_string(h.size() - 1);
        }
        host.foreground = h[0];
        host.Window(h[0]).focus = c.remembered < 0 ? kNoWindow : h[c.remembered];
        bridge.Tick();
        host.Window(h[0]).focus = c.focus < 0 ? kNoWindow : h[c.focus];
        host.SetClipboardText("before");  // emptied before the search: nothing to read when none is found
        bridge.FetchText(true);
        if (c.expected < 0) {
            EXPECT_EQ(bridge.EditControl(), kNoWindow) << c.why;
            ASSERT_EQ(host.boxes.size(), 1u) << c.why;
            EXPECT_EQ(host.boxes[0].caption, "Empty clipboard?") << c.why;
        } else {
            EXPECT_EQ(bridge.EditControl(), h[c.expected]) << c.why;
            EXPECT_EQ(bridge.WorkingText(), "from " + std::to_string(c.expected)) << c.why;
        }
    }
}

// A docked IDE editor whose control takes copy, paste and undo only from the keyboard.
struct KeysOnlyEditor : ::testing::Test {
    FakeHost host;
    Bridge bridge{host};
    WindowHandle ide = host.AddWindow("TAppBuilder", "Project1");
    WindowHandle control = host.AddWindow("TEditControl", "", host.AddWindow("TEditWindow", "", ide));

    void SetUp() override {
        host.Window(control).answersMessages = false;
        host.Window(control).text = host.Window(control).selection = "Počet := 'Ωμέγα ✓';";
        host.Window(ide).focus = control;
        host.foreground = ide;
        bridge.Tick();
        host.foreground = host.own;  // the user clicked the tool bar's menu
    }
    std::string Sent(const std::string& what) const { return what + " " + std::to_string(control); }
};

TEST_F(KeysOnlyEditor, TypedCtrlInsertDecidesAndFromThenOnEveryRequestIsTyped) {
    bridge.FetchText(true);
    EXPECT_EQ(bridge.WorkingText(), "Počet := 'Ωμέγα ✓';");
    EXPECT_TRUE(bridge.DrivenByKeys());
    EXPECT_EQ(host.sent, (std::vector<std::string>{Sent("copy"), Sent("front"), Sent("keys ctrl+insert")}));
    EXPECT_LE(host.pausedMs, 500) << "the wait is bounded";

    host.sent.clear();
    bridge.DeliverText("POčET := 'Ωμέγα ✓';");
    EXPECT_EQ(host.Window(control).text, "POčET := 'Ωμέγα ✓';");
    bridge.Undo();
    EXPECT_EQ(host.Window(control).text, "Počet := 'Ωμέγα ✓';");
    bridge.FetchText(false);
    EXPECT_EQ(host.sent,
              (std::vector<std::string>{Sent("front"), Sent("keys shift+insert"), Sent("front"),
                                        Sent("keys ctrl+z"), Sent("front"), Sent("keys ctrl+insert")}))
        << "no more messages";
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(KeysOnlyEditor, NoKeysGoToAWindowTheUserSwitchedTo) {
    const WindowHandle notes = host.AddWindow("Notepad");
    host.Window(notes).focus = host.AddWindow("Edit", "", notes);
    host.foreground = notes;
    host.foregroundLocked = true;
    host.SetClipboardText("kept");
    bridge.FetchText(true);  // copy-only would do the same; read shows what is left
    EXPECT_FALSE(bridge.DrivenByKeys());
    for (const std::string& s : host.sent) EXPECT_EQ(s.find("keys"), std::string::npos) << s;
    ASSERT_EQ(host.boxes.size(), 1u) << "the clipboard was emptied before the search, as always";
    EXPECT_EQ(host.boxes[0].text, "No data found on clipboard.");

    host.foregroundLocked = false;
    bridge.FetchText(true);
    EXPECT_TRUE(bridge.DrivenByKeys());
    bridge.DeliverText("x");
    host.foreground = notes;
    host.foregroundLocked = true;
    bridge.Undo();
    EXPECT_EQ(host.Window(control).text, "x") << "Ctrl+Z was not typed into the notes";
    EXPECT_EQ(host.sent.back(), Sent("front"));
}

TEST(BridgeAnyEditorTest, OtherEditorsAreDrivenByKeysOnlyWhenTurnedOn) {
    FakeHost host;
    Bridge bridge{host};
    const WindowHandle frame = host.AddWindow("Window", "unit1.pas");
    const WindowHandle memo = host.AddWindow("Window", "", host.AddWindow("Window", "", frame));
    host.Window(memo).selection = host.Window(memo).text = "x := 1;";
    host.Window(frame).focus = memo;
    host.foreground = frame;
    bridge.Tick();
    host.foreground = host.own;

    bridge.FetchText(true);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, kNotAnEditor);

    bridge.SetAnyEditor(true);
    host.sent.clear();
    bridge.FetchText(true);
    EXPECT_EQ(bridge.WorkingText(), "x := 1;");
    EXPECT_EQ(host.sent.front(), "front " + std::to_string(memo)) << "no WM_COPY first";
    bridge.DeliverText("X := 1;");
    EXPECT_EQ(host.Window(memo).text, "X := 1;");

    host.answers = {Answer::Yes};
    EXPECT_EQ(bridge.LockToWindow(), true);
    EXPECT_EQ(bridge.LockedWindow(), memo);
    host.foreground = host.AddWindow("TEditWindow");
    bridge.Tick();
    bridge.Undo();
    EXPECT_EQ(host.Window(memo).text, "x := 1;");

    host.Close(frame);  // a closed locked window is nobody's editor, Any editor or not
    bridge.Tick();
    host.boxes.clear();
    bridge.FetchText(true);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, kNotAnEditor);

    host.answers = {Answer::No};
    bridge.LockToWindow();
    bridge.SetAnyEditor(false);
    EXPECT_EQ(bridge.EditControl(), kNoWindow) << "a control found through Any editor is forgotten";
}

TEST(BridgeElevatedTest, AnEditorWithMoreRightsIsToldAndNothingElseHappens) {
    for (const bool denied : {false, true}) {
        FakeHost host;
        Bridge bridge{host};
        const WindowHandle control = host.AddEditor("x");
        host.Window(host.editorWindow).elevated = !denied;
        host.copyDenied = denied;
        host.foreground = host.editorWindow;
        bridge.Tick();
        host.SetClipboardText("kept");
        bridge.WorkingText() = "earlier";
        bridge.FetchText(true);
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].text, kRunsAsAdministrator);
        EXPECT_EQ(host.boxes[0].caption, "Could not copy");
        EXPECT_EQ(bridge.WorkingText(), "earlier");
        EXPECT_EQ(host.Clipboard(), denied ? std::nullopt : std::optional<std::string>("kept"));
        for (const std::string& s : host.sent) EXPECT_EQ(s.find("keys"), std::string::npos) << s;
        EXPECT_EQ(bridge.EditControl(), denied ? control : kNoWindow);
    }
}

}  // namespace
}  // namespace tavrill
