// A snippet on its way into the fake editor: which values are gathered, what Cancel leaves, where
// the caret goes; and the shortcuts of snippets that are gone.
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
    bool Sent(std::string_view prefix) const {
        return std::any_of(host.sent.begin(), host.sent.end(),
                           [&](const std::string& s) { return s.starts_with(prefix); });
    }
};

TEST_F(SnippetInsertTest, OnlyTheValuesASnippetUsesAreGathered) {
    using Needs = std::vector<TemplateNeeds>;
    const struct {
        const char* code;
        std::optional<std::vector<std::string>> answers;
        const char* inserted;
        Needs read;  // nothing read at all for a snippet without placeholders
        bool fetched;
    } cases[] = {
        {"Format('%d%%', [n]); // %selection%", {}, "Format('%d%%', [n]); // %selection%", {}, false},
        {"%SELECTION%.Free;", {}, "old.Free;", {TemplateNeeds{}}, true},
        {"// %USER% %GUID% %GUID%", {}, "// ada {G} {G}", {{.user = true, .guid = true}}, false},
        {"// %YEAR% %UNIT%", {}, "// 2026 Unit1", {{.clock = true, .file = true}}, false},
        {"%INPUT:T=Integer% %INPUT:V%: %INPUT:T%", {{"Byte", "b"}}, "Byte b: Byte", {TemplateNeeds{}}, false},
    };
    for (const auto& c : cases) {
        Select("old");
        host.sent.clear();
        ui = {};
        ui.answers = c.answers;
        ASSERT_TRUE(bridge.FindEditor());
        EXPECT_TRUE(InsertSnippet(bridge, ui, c.code)) << c.code;
        EXPECT_EQ(EditorText(), c.inserted);
        EXPECT_EQ(ui.read, c.read) << c.code;
        EXPECT_EQ(Sent("copy"), c.fetched) << c.code;
    }
}

TEST_F(SnippetInsertTest, CancelLeavesTheEditorAndTheClipboardAsTheyWere) {
    Select("List");
    const std::uint32_t clipboard = host.ClipboardSequence();
    EXPECT_FALSE(InsertSnippet(bridge, ui, "%INPUT:Type%(%SELECTION%)"));
    ASSERT_EQ(ui.asked.size(), 1u);
    EXPECT_EQ(ui.asked[0].caption, "Type");
    EXPECT_EQ(EditorText(), "List");
    EXPECT_EQ(host.ClipboardSequence(), clipboard);
    EXPECT_TRUE(host.sent.empty());
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(SnippetInsertTest, TheCaretGoesToItsMarkOnlyInAnEditorInFront) {
    Select("x");
    ASSERT_TRUE(bridge.FindEditor());
    EXPECT_TRUE(InsertSnippet(bridge, ui, "Foo(%|%);"));
    EXPECT_EQ(EditorText(), "Foo();");
    EXPECT_EQ(host.Window(control).selStart, 4u);

    Select("x");
    host.foreground = host.AddWindow("Notepad", "Notes");
    host.foregroundLocked = true;  // the user went elsewhere: no key may land there
    EXPECT_TRUE(InsertSnippet(bridge, ui, "Foo(%|%);"));
    EXPECT_EQ(EditorText(), "Foo();");
    EXPECT_FALSE(Sent("keys left"));
}

TEST(SnippetShortcutsTest, AGoneSnippetKeepsNoShortcutAndANameWithEqualsGetsNone) {
    testing::MapProfile profile;
    const Shortcut ctrlAltT{kModCtrl | kModAlt, 'T'}, ctrlAltY{kModCtrl | kModAlt, 'Y'};
    profile.values = {{"Shortcuts/Snippet:tryf.pas", "Ctrl+Alt+T"},
                      {"Shortcuts/Snippet:gone.pas", "Ctrl+Alt+Y"}};
    const std::vector<ShortcutSlot> slots = ShortcutSlotsWith({{"a=b.pas"}, {"tryf.pas"}});
    EXPECT_EQ(slots.size(), CommandShortcutSlots().size() + 1);
    EXPECT_EQ(slots.back().key, "Snippet:tryf.pas");
    const ShortcutTable table = LoadShortcuts(profile, slots);
    EXPECT_EQ(table.Get("Snippet:tryf.pas"), ctrlAltT);
    EXPECT_EQ(table.Holder(ctrlAltY), std::nullopt);

    // Deleted while the program runs: the next look at the shortcuts forgets it.
    ShortcutTable running = table;
    running.Assign("Snippet:gone.pas", ctrlAltY);
    EXPECT_EQ(KeepSlots(running, slots), table);
    EXPECT_EQ(SnippetOfKey("Snippet:tryf.pas"), "tryf.pas");
    EXPECT_EQ(SnippetOfKey("CaseUpper"), std::nullopt);
}

}  // namespace
}  // namespace tavrill
