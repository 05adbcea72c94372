#include "app/SnippetInsert.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "MapProfile.h"
#include "bridge/EditorFixture.h"

namespace tavrill {
namespace {

struct SnippetInsertTest : testing::EditorFixture, TemplateUi {
    std::optional<std::vector<std::string>> answers;  // nothing: Cancel
    std::vector<TemplateNeeds> read;
    std::optional<std::vector<std::string>> AskTemplateInputs(const std::vector<TemplateInput>&) override {
        return answers;
    }
    TemplateValues SystemValues(TemplateNeeds needs) override {
        read.push_back(needs);
        return {.year = "2026", .user = "ada", .guid = "{G}"};
    }
    long Sent(std::string_view what) const {
        return std::ranges::count_if(host.sent, [&](const std::string& s) { return s.starts_with(what); });
    }
};

TEST_F(SnippetInsertTest, OnlyUsedValuesAreGatheredCancelTouchesNothingAndTheCaretFindsItsMark) {
    const struct {
        const char* code;
        std::optional<std::vector<std::string>> answers;
        const char* inserted;
        std::vector<TemplateNeeds> read;
        long copies, lefts;
    } cases[] = {
        {"Format('%d%%', [n]); // %selection%", {}, "Format('%d%%', [n]); // %selection%", {}, 0},
        {"%SELECTION%.Free;", {}, "old.Free;", {{}}, 1},
        {"%USER% %GUID% %GUID% %YEAR% %UNIT%", {}, "ada {G} {G} 2026 Unit1", {{true, true, true, true}}, 0},
        {"%INPUT:T=Integer% %INPUT:V%: %INPUT:T%", {{"Byte", "b"}}, "Byte b: Byte", {{}}, 0},
        {"%INPUT:Type%(%SELECTION%)", {}, "old", {}, 0},
        {"Foo(%|%\xC3\xA9);", {}, "Foo(\xC3\xA9);", {{}}, 0, 3},
    };
    for (const auto& c : cases) {
        Select("old");
        host.sent.clear();
        answers = c.answers;
        read.clear();
        ASSERT_TRUE(bridge.FindEditor());
        const std::uint32_t clipboard = host.ClipboardSequence();
        const bool delivered = InsertSnippet(bridge, *this, c.code);
        EXPECT_EQ(delivered, EditorText() != "old") << c.code;
        EXPECT_EQ(EditorText(), c.inserted);
        EXPECT_EQ(read, c.read) << c.code;
        EXPECT_EQ(Sent("copy"), c.copies) << c.code;
        EXPECT_EQ(Sent("keys left"), c.lefts) << c.code;
        EXPECT_TRUE(EditorText() != "old" || host.ClipboardSequence() == clipboard) << c.code;
    }
}

TEST(SnippetShortcutsTest, AGoneSnippetKeepsNoShortcutAndANameWithEqualsGetsNone) {
    testing::MapProfile profile;
    profile.values = {{"Shortcuts/Snippet:t.pas", "Ctrl+Alt+T"},
                      {"Shortcuts/Snippet:gone.pas", "Ctrl+Alt+Y"}};
    const std::vector<ShortcutSlot> slots = ShortcutSlotsWith({{"a=b.pas"}, {"t.pas"}});
    const ShortcutTable table = LoadShortcuts(profile, slots);
    ShortcutTable running = table;  // deleted while the program runs
    running.Assign("Snippet:gone.pas", {kModCtrl | kModAlt, 'Y'});
    EXPECT_EQ(KeepSlots(running, slots), table);
    EXPECT_EQ(slots.size(), CommandShortcutSlots().size() + 1);
    EXPECT_EQ(table.Holder({kModCtrl | kModAlt, 'T'}), slots.back().key);
}

}  // namespace
}  // namespace tavrill
