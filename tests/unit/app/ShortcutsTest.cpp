#include "app/Shortcuts.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

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
        {"Ctrl+PageDown", {kModCtrl, 0x22}},
        {"ctrl+alt+num5", {kModCtrl | kModAlt, 0x65}},
        {"None", {}},
        {"", {}},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ParseShortcut(text), expected) << '"' << text << '"';
    // No modifier or Shift alone (would take typed keys from every program), a modifier twice, two
    // keys, no key, or a key not in the list (also in UTF-8).
    for (const char* text : {"U", "Shift+U", "Ctrl+Ctrl+U", "Ctrl+U+I", "Ctrl+", "Ctrl+Alt", "Ctrl+F25",
                             "Ctrl+F05", "Ctrl+Hyper+U", "Ctrl+Ü"})
        EXPECT_EQ(ParseShortcut(text), std::nullopt) << '"' << text << '"';
}

TEST(ShortcutTextTest, WritesTheCanonicalFormThatReadsBack) {
    EXPECT_EQ(FormatShortcut({kModWin | kModShift | kModAlt | kModCtrl, 'U'}), "Ctrl+Alt+Shift+Win+U");
    EXPECT_EQ(FormatShortcut({kModShift | kModCtrl, 0x74}), "Ctrl+Shift+F5");
    EXPECT_EQ(FormatShortcut({}), "None");
    for (unsigned key = 1; key < 256; ++key) {
        const Shortcut s{kModCtrl | kModAlt, key};
        if (!IsShortcutKey(key)) continue;
        EXPECT_EQ(ParseShortcut(FormatShortcut(s)), s) << FormatShortcut(s);
    }
}

TEST(CommandTableTest, IdsAreUniqueAndTheDefaultsAvoidAltGrAndEachOther) {
    std::set<std::string_view> keys;
    ShortcutTable defaults;
    int assigned = 0;
    for (const CommandInfo& info : Commands()) {
        EXPECT_TRUE(keys.insert(info.key).second) << info.key;
        const Shortcut s = info.defaultShortcut;
        if (!s.Assigned()) continue;
        ++assigned;
        EXPECT_EQ(defaults.Holder(s), info.command) << info.key;
        // Ctrl+Alt without Shift is AltGr and types characters on European layouts.
        EXPECT_TRUE(s.modifiers & kModShift) << info.key;
        EXPECT_EQ(CommandOfHotKey(HotKeyId(info.command)), info.command);
    }
    EXPECT_EQ(assigned, 9);
    EXPECT_EQ(CommandOfHotKey(static_cast<int>(kCommandCount) + 1), std::nullopt);
}

TEST(ShortcutTableTest, ATakenShortcutMovesToTheCommandThatAsksForIt) {
    ShortcutTable t;
    const Shortcut upper = t.Get(Command::CaseUpper);
    EXPECT_EQ(t.Assign(Command::Undo, upper), Command::CaseUpper);
    EXPECT_EQ(t.Get(Command::Undo), upper);
    EXPECT_FALSE(t.Get(Command::CaseUpper).Assigned());
    EXPECT_EQ(t.Assign(Command::Undo, upper), std::nullopt);  // already its own
    EXPECT_EQ(t.Assign(Command::CaseOf, {}), std::nullopt);   // clearing never takes from others
    EXPECT_EQ(t.Get(Command::CaseLower), ShortcutTable().Get(Command::CaseLower));
}

class MemoryProfile : public ProfileStore {
public:
    std::map<std::string, std::string, std::less<>> lines;  // key in [Shortcuts] -> value
    bool writable = true;
    std::optional<std::string> Read(std::string_view section, std::string_view key) override {
        const auto it = lines.find(key);
        if (section != "Shortcuts" || it == lines.end()) return std::nullopt;
        return it->second;
    }
    bool Write(std::string_view, std::string_view key, std::string_view value) override {
        if (writable) lines[std::string(key)] = value;
        return writable;
    }
};

TEST(ShortcutFileTest, LinesTheUserWroteBeatDefaultsAndTheFirstOfTwoEqualLinesWins) {
    MemoryProfile ini;
    ini.lines = {
        {"CaseUpper", "None"},              // a cleared default
        {"CaseLower", "Ctrl+Alt+Shift+X"},  // a new one
        {"CaseTitle", "Ctrl+Alt+Shift+F"},  // takes the default of CaseFlip (no line)
        {"Undo", "Ctrl+Alt+Shift+Q"},       // first in menu order of two equal lines
        {"StashBrowse", "ctrl+alt+shift+q"},
        {"Indent", "Ctrl+Shift"},               // malformed: the default stays
        {"BeginEnd", "Ctrl+Alt+Shift+I"},       // ...and so the default of Indent is not to be had
        {"NoSuchCommand", "Ctrl+Alt+Shift+Y"},  // unknown lines are never read
    };
    const ShortcutTable t = LoadShortcuts(ini);
    const auto text = [&](Command c) { return FormatShortcut(t.Get(c)); };
    EXPECT_EQ(text(Command::CaseUpper), "None");
    EXPECT_EQ(text(Command::CaseLower), "Ctrl+Alt+Shift+X");
    EXPECT_EQ(text(Command::CaseTitle), "Ctrl+Alt+Shift+F");
    EXPECT_EQ(text(Command::CaseFlip), "None");
    EXPECT_EQ(text(Command::Undo), "Ctrl+Alt+Shift+Q");
    EXPECT_EQ(text(Command::StashBrowse), "None");
    EXPECT_EQ(text(Command::BeginEnd), "Ctrl+Alt+Shift+I");
    EXPECT_EQ(text(Command::Indent), "None");
    EXPECT_EQ(text(Command::CommentSlash), "Ctrl+Alt+Shift+C");  // untouched default

    MemoryProfile saved;
    SaveShortcuts(saved, t, "c:\\t\\tavrill.ini");
    EXPECT_EQ(saved.lines.size(), kCommandCount);
    EXPECT_EQ(saved.lines.at("CaseUpper"), "None");
    EXPECT_EQ(LoadShortcuts(saved), t);
    MemoryProfile empty;
    EXPECT_EQ(LoadShortcuts(empty), ShortcutTable());

    saved.writable = false;
    EXPECT_THROW(SaveShortcuts(saved, t, "c:\\t\\tavrill.ini"), Error);
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
    FakeRegistry registry;
    registry.takenKeys = {'U', 'S'};
    ShortcutTable t;
    const auto taken = RegisterShortcuts(t, registry);
    EXPECT_EQ(TakenMessage(taken),
              "Ctrl+Alt+Shift+U is taken by another program.\r\n"
              "Ctrl+Alt+Shift+S is taken by another program.");
    EXPECT_FALSE(t.Get(Command::CaseUpper).Assigned());
    EXPECT_FALSE(t.Get(Command::StashSave).Assigned());
    EXPECT_EQ(registry.held.size(), 7u);
    EXPECT_EQ(registry.held.at(HotKeyId(Command::CaseLower)), ShortcutTable().Get(Command::CaseLower));
    UnregisterShortcuts(t, registry);
    EXPECT_TRUE(registry.held.empty());
}

}  // namespace
}  // namespace tavrill
