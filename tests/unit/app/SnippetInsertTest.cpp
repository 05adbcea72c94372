// A snippet on its way into the fake editor: which values are gathered, what Cancel leaves, where
// the caret goes; and the shortcut of a snippet that is gone.
#include "app/SnippetInsert.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "FakeTemplateUi.h"
#include "MapProfile.h"
#include "bridge/EditorFixture.h"

namespace tavrill {
namespace {

struct SnippetInsertTest : testing::EditorFixture {
    testing::FakeTemplateUi ui;
    bool Sent(std::string_view what) const {
        return std::ranges::any_of(host.sent, [&](const std::string& s) { return s.starts_with(what); });
    }
};

TEST_F(SnippetInsertTest, OnlyTheValuesASnippetUsesAreGatheredAndCancelTouchesNothing) {
    const struct {
        const char* code;
        std::optional<std::vector<std::string>> answers;  // nothing: Cancel
        const char* inserted;
        std::vector<TemplateNeeds> read;
        bool fetched;
    } cases[] = {
        {"Format('%d%%', [n]); // %selection%", {}, "Format('%d%%', [n]); // %selection%", {}, false},
        {"%SELECTION%.Free;", {}, "old.Free;", {{}}, true},
        {"// %USER% %GUID% %GUID%", {}, "// ada {G} {G}", {{.user = true, .guid = true}}, false},
        {"// %YEAR% %UNIT%", {}, "// 2026 Unit1", {{.clock = true, .file = true}}, false},
        {"%INPUT:T=Integer% %INPUT:V%: %INPUT:T%", {{"Byte", "b"}}, "Byte b: Byte", {{}}, false},
        {"%INPUT:Type%(%SELECTION%)", {}, "old", {}, false},
    };
    for (const auto& c : cases) {
        Select("old");
        host.sent.clear();
        ui = {};
        ui.answers = c.answers;
        ASSERT_TRUE(bridge.FindEditor());
        const std::uint32_t clipboard = host.ClipboardSequence();
        EXPECT_EQ(InsertSnippet(bridge, ui, c.code), EditorText() != "old") << c.code;
        EXPECT_EQ(EditorText(), c.inserted);
        EXPECT_EQ(ui.read, c.read) << c.code;
        EXPECT_EQ(Sent("copy"), c.fetched) << c.code;
        if (EditorText() == "old") EXPECT_EQ(host.ClipboardSequence(), clipboard);
    }
}

TEST_F(SnippetInsertTest, TheCaretGoesToItsMarkOnlyInAnEditorInFront) {
    host.Window(host.editorWindow).focus = control;
    for (const bool elsewhere : {false, true}) {
        Select("x");
        ASSERT_TRUE(bridge.FindEditor());
        if (elsewhere) host.foreground = host.AddWindow("Notepad", "Notes");
        host.foregroundLocked = elsewhere;  // the user went to another window: no key may land there
        EXPECT_TRUE(InsertSnippet(bridge, ui, "Foo(%|%);"));
        EXPECT_EQ(EditorText(), "Foo();");
        EXPECT_EQ(host.Window(control).selStart, elsewhere ? 6u : 4u);
    }
}

TEST(SnippetShortcutsTest, AGoneSnippetKeepsNoShortcutAndANameWithEqualsGetsNone) {
    testing::MapProfile profile;
    profile.values = {{"Shortcuts/Snippet:tryf.pas", "Ctrl+Alt+T"},
                      {"Shortcuts/Snippet:gone.pas", "Ctrl+Alt+Y"}};
    const std::vector<ShortcutSlot> slots = ShortcutSlotsWith({{"a=b.pas"}, {"tryf.pas"}});
    EXPECT_EQ(slots.size(), CommandShortcutSlots().size() + 1);
    const ShortcutTable table = LoadShortcuts(profile, slots);
    EXPECT_EQ(table.Get("Snippet:tryf.pas"), (Shortcut{kModCtrl | kModAlt, 'T'}));
    ShortcutTable running = table;  // deleted while the program runs
    running.Assign("Snippet:gone.pas", {kModCtrl | kModAlt, 'Y'});
    EXPECT_EQ(KeepSlots(running, slots), table);
    EXPECT_EQ(SnippetOfKey(slots.back().key), "tryf.pas");
}

}  // namespace
}  // namespace tavrill
