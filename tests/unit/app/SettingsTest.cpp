#include "app/Shortcuts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "ErrorOf.h"
#include "MapProfile.h"
#include "app/Commands.h"
#include "base/Error.h"

namespace tavrill {
namespace {

constexpr unsigned kCAS = kModCtrl | kModAlt | kModShift;

TEST(ShortcutTextTest, ReadsModifiersInAnyOrderAndOneKey) {
    const std::pair<const char*, Shortcut> cases[] = {
        {"Ctrl+Alt+Shift+U", {kCAS, 'U'}},
        {" shift + ALT+control+u ", {kCAS, 'U'}},
        {"Ctrl+Shift+F5", {kModCtrl | kModShift, 0x74}},
        {"Alt+7", {kModAlt, '7'}},
        {"Win+U", {kModWin, 'U'}},
        {"Ctrl+PageDown", {kModCtrl, 0x22}},
        {"ctrl+alt+num5", {kModCtrl | kModAlt, 0x65}},
        {"None", {}},
        {"", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseShortcut(text), expected) << '"' << text << '"';
    // No modifier or Shift alone (would take typed keys from every program), a modifier twice, two
    // keys, no key, or a key not in the list (also in UTF-8).
    for (const char* text : {"U", "Shift+U", "Ctrl+Ctrl+U", "Ctrl+U+I", "Ctrl+", "Alt+", "Win+", "Ctrl+Alt",
                             "Ctrl+F25", "Ctrl+F05", "Ctrl+Hyper+U", "Ctrl+Ü", "Ctrl+.", "Ctrl+["})
        EXPECT_EQ(ParseShortcut(text), std::nullopt) << '"' << text << '"';
}

TEST(ShortcutTextTest, WritesTheCanonicalFormThatReadsBack) {
    const std::pair<Shortcut, const char*> cases[] = {
        {{kModWin | kModShift | kModAlt | kModCtrl, 'U'}, "Ctrl+Alt+Shift+Win+U"},
        {{kModShift | kModCtrl, 0x74}, "Ctrl+Shift+F5"},
        {{kModCtrl, 'Z'}, "Ctrl+Z"},
        {{kModCtrl, 0x22}, "Ctrl+PageDown"},
        {{}, "None"},
    };
    for (const auto& [shortcut, text] : cases) {
        EXPECT_EQ(FormatShortcut(shortcut), text);
        EXPECT_EQ(IsShortcutKey(shortcut.key), shortcut.Assigned()) << text;
    }
    for (unsigned key = 1; key < 256; ++key) {
        const Shortcut s{kModCtrl | kModAlt, key};
        if (!IsShortcutKey(key)) continue;
        EXPECT_EQ(ParseShortcut(FormatShortcut(s)), s) << FormatShortcut(s);
    }
}

TEST(CommandTableTest, KeysAreUniqueHotKeysMapBackAndTheDefaultsAvoidAltGr) {
    const std::vector<ShortcutSlot> slots = CommandShortcutSlots();
    std::set<std::string> keys;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        EXPECT_TRUE(keys.insert(slots[i].key).second) << slots[i].key;
        EXPECT_EQ(SlotOfHotKey(HotKeyId(i), slots.size()), i) << slots[i].key;
        const Shortcut s = slots[i].defaultShortcut;
        // Ctrl+Alt without Shift is AltGr and types characters on European layouts.
        EXPECT_TRUE(!s.Assigned() || (s.modifiers & kModShift)) << slots[i].key;
    }
    EXPECT_EQ(SlotOfHotKey(0, slots.size()), std::nullopt);
    EXPECT_EQ(SlotOfHotKey(HotKeyId(slots.size()), slots.size()), std::nullopt);
}

TEST(ShortcutTableTest, ATakenShortcutMovesToTheCommandThatAsksForIt) {
    const std::vector<ShortcutSlot> slots = CommandShortcutSlots();
    ShortcutTable t(slots);
    const Shortcut upper = t.Get("CaseUpper");
    EXPECT_EQ(t.Assign("Undo", upper), "CaseUpper");
    EXPECT_EQ(t.Get("Undo"), upper);
    EXPECT_FALSE(t.Get("CaseUpper").Assigned());
    EXPECT_EQ(t.Assign("Undo", upper), std::nullopt);  // already its own
    EXPECT_EQ(t.Assign("CaseOf", {}), std::nullopt);   // clearing never takes from others
    EXPECT_EQ(t.Get("CaseLower"), (Shortcut{kCAS, 'L'}));
}

TEST(ShortcutFileTest, LinesTheUserWroteBeatDefaultsAndTheFirstOfTwoEqualLinesWins) {
    const std::vector<ShortcutSlot> slots = CommandShortcutSlots();
    testing::MapProfile ini;
    ini.values = {
        {"Shortcuts/CaseUpper", "None"},              // a cleared default
        {"Shortcuts/CaseLower", "Ctrl+Alt+Shift+X"},  // a new one
        {"Shortcuts/CaseTitle", "Ctrl+Alt+Shift+F"},  // takes the default of CaseFlip (no line)
        {"Shortcuts/Undo", "Ctrl+Alt+Shift+Q"},       // first in menu order of two equal lines
        {"Shortcuts/StashBrowse", "ctrl+alt+shift+q"},
        {"Shortcuts/Indent", "Ctrl+Shift"},               // malformed: the default stays
        {"Shortcuts/BeginEnd", "Ctrl+Alt+Shift+I"},       // ...and so the default of Indent is not to be had
        {"Shortcuts/NoSuchCommand", "Ctrl+Alt+Shift+Y"},  // unknown lines are never read
    };
    SettingsStore store(ini, "c:\\t\\tavrill.ini");
    const ShortcutTable t = store.LoadShortcuts(slots);
    const std::pair<const char*, const char*> expected[] = {
        {"CaseUpper", "None"},
        {"CaseLower", "Ctrl+Alt+Shift+X"},
        {"CaseTitle", "Ctrl+Alt+Shift+F"},
        {"CaseFlip", "None"},
        {"Undo", "Ctrl+Alt+Shift+Q"},
        {"StashBrowse", "None"},
        {"BeginEnd", "Ctrl+Alt+Shift+I"},
        {"Indent", "None"},
        {"CommentSlash", "Ctrl+Alt+Shift+C"},
    };
    for (const auto& [key, text] : expected) EXPECT_EQ(FormatShortcut(t.Get(key)), text) << key;

    testing::MapProfile saved;
    SettingsStore savedStore(saved, "c:\\t\\tavrill.ini");
    savedStore.SaveShortcuts(t, slots);
    EXPECT_EQ(saved.values.size(), slots.size());
    EXPECT_EQ(saved.values.at("Shortcuts/CaseUpper"), "None");
    EXPECT_EQ(savedStore.LoadShortcuts(slots), t);
    testing::MapProfile empty;
    EXPECT_EQ(SettingsStore(empty, "t.ini").LoadShortcuts(slots), ShortcutTable(slots));
    saved.writable = false;
    EXPECT_THROW(savedStore.SaveShortcuts(t, slots), Error);
}

class FakeRegistry : public HotKeyRegistry {
public:
    std::set<unsigned> takenKeys;  // keys another program holds (with any modifiers)
    std::map<int, Shortcut> held;
    bool Register(int id, Shortcut s) override {
        if (takenKeys.count(s.key) || held.count(id)) return false;
        held[id] = s;
        return true;
    }
    void Unregister(int id) override { held.erase(id); }
};

TEST(ShortcutRegistryTest, ShortcutsAnotherProgramHoldsAreReportedAndDropped) {
    const std::vector<ShortcutSlot> slots = CommandShortcutSlots();
    FakeRegistry registry;
    registry.takenKeys = {'U', 'S'};
    ShortcutTable t(slots);
    const auto taken = RegisterShortcuts(t, slots, registry);
    EXPECT_EQ(TakenMessage(taken),
              "Ctrl+Alt+Shift+U is taken by another program.\r\n"
              "Ctrl+Alt+Shift+S is taken by another program.");
    EXPECT_FALSE(t.Get("CaseUpper").Assigned());
    EXPECT_FALSE(t.Get("StashSave").Assigned());
    const auto defaults = std::count_if(
        slots.begin(), slots.end(), [](const ShortcutSlot& slot) { return slot.defaultShortcut.Assigned(); });
    ASSERT_EQ(registry.held.size(), static_cast<std::size_t>(defaults - 2));
    for (const auto& [id, s] : registry.held)
        EXPECT_EQ(t.Get(slots.at(*SlotOfHotKey(id, slots.size())).key), s);
    UnregisterShortcuts(t, slots, registry);
    EXPECT_TRUE(registry.held.empty());
}

TEST(SettingsTest, ReadOnceEachKeyFallingBackOnItsOwnAndWrittenBackThroughTheStore) {
    testing::MapProfile ini;
    SettingsStore store(ini, "c:\\t\\tavrill.ini");
    Settings s = store.Load();
    EXPECT_EQ(s.position, (WindowPosition{32, 420}));
    EXPECT_FALSE(s.anyEditor);
    EXPECT_FALSE(s.keepClipboard);
    ini.values = {{"Main/WindowX", "$40"},           {"Main/WindowY", "left"},
                  {"Main/AnyEditor", "yes"},         {"Main/KeepClipboard", "2"},
                  {"Main/StashFolder", "snips"},     {"Format/TabWidth", "101"},
                  {"Format/AlignOn2", "then"},       {"Format/IndentSize", "17"},
                  {"Format/ReservedWords", "Upper"}, {"Format/SpaceAroundOperators", "0"}};
    s = store.Load();
    EXPECT_EQ(s.position, (WindowPosition{64, 420}));
    EXPECT_FALSE(s.anyEditor);
    EXPECT_TRUE(s.keepClipboard);
    EXPECT_EQ(s.stashFolder, "snips");
    EXPECT_EQ(s.format.tabWidth, 8) << "out of range";
    EXPECT_EQ(s.alignTokens, std::vector<std::string>{"then"});
    EXPECT_EQ(s.format.indentSize, 2) << "out of range";
    EXPECT_EQ(s.format.reservedWords, ReservedWordCase::Upper);
    EXPECT_FALSE(s.format.spaceAroundOperators);
    EXPECT_FALSE(s.format.directivesAtColumn0);
    ini.values = {{"Format/TabWidth", "4"}};
    EXPECT_EQ(store.Load().format.tabWidth, 4) << "Format selection reads tabs as Tabs to blanks does";

    store.SavePosition({-40, 7});
    store.SaveAnyEditor(true);
    store.SaveKeepClipboard(false);
    s = store.Load();
    EXPECT_EQ(s.position, (WindowPosition{-40, 7}));
    EXPECT_TRUE(s.anyEditor);
    EXPECT_FALSE(s.keepClipboard);
    store.SaveKeepClipboard(true);
    EXPECT_TRUE(store.Load().keepClipboard);
    ini.writable = false;
    EXPECT_EQ(testing::ErrorOf([&] { store.SavePosition({1, 2}); }), "Unable to write to c:\\t\\tavrill.ini");
    EXPECT_THROW(store.SaveAnyEditor(false), Error);
}

}  // namespace
}  // namespace tavrill
