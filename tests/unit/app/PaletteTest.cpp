#include "app/Palette.h"

#include <gtest/gtest.h>

#include "app/Commands.h"

namespace tavrill {
namespace {

using Kind = PaletteEntry::Kind;

std::string Found(const PaletteList& list, std::string_view query, const RecentUse& recent = {}) {
    std::string names;
    for (const std::size_t i : list.Find(query, recent)) names += list.Entries()[i].name + "|";
    return names;
}

PaletteList Sample() {
    return PaletteList({{Kind::Command, "Sort lines", "Format"},
                        {Kind::Command, "Sort lines descending", "Format"},
                        {Kind::Command, "Toggle comment", "Format"},
                        {Kind::Command, "Comment out: use //", "Format"},
                        {Kind::Command, "begin...end", "Blocks"},
                        {Kind::Snippet, "SlowLoop.pas", "timing loop"},
                        {Kind::Snippet, "helpers.pas", "Sort a list"},
                        {Kind::Snippet, "Äpfel.pas", "ÜBER"}});
}

TEST(PaletteTest, FindsEveryWordAndPutsWordStartsFirst) {
    const PaletteList list = Sample();
    const std::pair<const char*, const char*> cases[] = {
        {"sl", "Sort lines|Sort lines descending|SlowLoop.pas|"},  // the starts of consecutive words
        {"solin", "Sort lines|Sort lines descending|"},            // more than one letter of a word
        {"ld", "Sort lines descending|"},
        {"ls", ""},                                                 // the words' order counts in a spelling
        {"SORT", "Sort lines|Sort lines descending|helpers.pas|"},  // the description last
        {"lines  sort", "Sort lines|Sort lines descending|"},       // words in any order
        {"comment", "Toggle comment|Comment out: use //|"},
        {"egin", "begin...end|"},
        {"slowloop", "SlowLoop.pas|"},  // a step to upper case starts a word
        {"äp über", "Äpfel.pas|"},      // case folded beyond ASCII
        {"//", "Comment out: use //|"},
        {"xyz", ""},
    };
    for (const auto& [query, names] : cases) EXPECT_EQ(Found(list, query), names) << query;
    EXPECT_EQ(list.Find("", {}).size(), list.Entries().size());
}

TEST(PaletteTest, TheMostRecentlyUsedComesFirstWithinItsKindOfMatch) {
    const PaletteList list = Sample();
    RecentUse recent;
    recent.Use(RecentKey(list.Entries()[1]));
    EXPECT_EQ(Found(list, "sl", recent), "Sort lines descending|Sort lines|SlowLoop.pas|");
    recent.Use(RecentKey(list.Entries()[5]));
    EXPECT_EQ(Found(list, "sl", recent), "SlowLoop.pas|Sort lines descending|Sort lines|");
    recent.Use(RecentKey(list.Entries()[6]));  // found by its description only: still after the names
    EXPECT_EQ(Found(list, "sort", recent), "Sort lines descending|Sort lines|helpers.pas|");
    // A snippet named like a command is another entry.
    EXPECT_NE(RecentKey({Kind::Snippet, "Sort lines"}), RecentKey({Kind::Command, "Sort lines"}));
}

TEST(PaletteTest, ListsTheMenusCommandsFirstWithTheirShortcutsThenTheSnippets) {
    StashIndex stash;
    stash.Add({"Sort lines.pas"}, "//TAVRILL:mine\r\n");
    const ShortcutTable shortcuts(CommandShortcutSlots());
    const auto sortLines = FindCommand("SortLines");
    const PaletteList list(PaletteEntries(shortcuts, stash, FindCommand("CaseUpper")));
    const auto found = list.Find("sl", {});
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(list.Entries()[found[0]].command, sortLines);
    EXPECT_EQ(list.Entries().back().detail, "mine");
    EXPECT_EQ(Found(list, "upper case"), "");  // left out
    EXPECT_EQ(list.Entries()[list.Find("lower case", {})[0]].shortcut, "Ctrl+Alt+Shift+L");
    EXPECT_EQ(Found(list, "stash clip"), "");  // the stash buttons are in no menu
}

}  // namespace
}  // namespace tavrill
