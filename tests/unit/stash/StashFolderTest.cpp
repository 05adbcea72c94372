#include "stash/StashFolder.h"

#include <gtest/gtest.h>

#include "StashTempFolder.h"

namespace tavrill {
namespace {

std::vector<std::string> Names(const std::vector<StashItem>& items) {
    std::vector<std::string> names;
    for (const StashItem& i : items) names.push_back(i.name);
    return names;
}

TEST(StashGlyphTest, ProgramGlyphOnlyForTheFourProgramExtensions) {
    const struct {
        const char* name;
        StashGlyph glyph;
    } cases[] = {
        {"setup.exe", StashGlyph::Program},   {"SETUP.EXE", StashGlyph::Program},
        {"x.Com", StashGlyph::Program},       {"run.bat", StashGlyph::Program},
        {"dos.PIF", StashGlyph::Program},     {".exe", StashGlyph::Program},
        {"a.exe.pas", StashGlyph::PlainFile}, {"util.pas", StashGlyph::PlainFile},
        {"exe", StashGlyph::PlainFile},       {"x.exe2", StashGlyph::PlainFile},
        {"x.ex", StashGlyph::PlainFile},      {"x.cmd", StashGlyph::PlainFile},
        {"x.", StashGlyph::PlainFile},
    };
    for (const auto& c : cases) EXPECT_EQ(GlyphFor(c.name), c.glyph) << c.name;
}

TEST(StashListingTest, OnlyOrdinaryFilesSortedWithoutRegardToCase) {
    std::vector<FolderEntry> entries = {
        {"beta.pas"},
        {"Alpha.pas"},
        {"sub", true},
        {"hidden.pas", false, true},
        {"sys.pas", false, false, true},
        {"ALPHA.pas"},
        {"_under.pas"},
        {"alpha.pas"},
        {"Gamma.EXE"},
        {"a.pas"},
    };
    const std::vector<StashItem> items = StashListing(entries);
    EXPECT_EQ(Names(items), (std::vector<std::string>{"_under.pas", "a.pas", "ALPHA.pas", "Alpha.pas",
                                                      "alpha.pas", "beta.pas", "Gamma.EXE"}));
    EXPECT_EQ(items.back().glyph, StashGlyph::Program);
    EXPECT_EQ(items.front().glyph, StashGlyph::PlainFile);
}

TEST(StashListingTest, ReadsTheFolderAsItIsNow) {
    testing::StashTempFolder dir;
    EXPECT_TRUE(ListStash(dir.Folder()).empty());
    ASSERT_TRUE(WriteFileBytes(dir.Folder() + "b.pas", "x"));
    ASSERT_TRUE(WriteFileBytes(dir.Folder() + ".hidden", "x"));
    ASSERT_TRUE(CreateFolder(dir.Folder() + "a.pas"));
    EXPECT_EQ(Names(ListStash(dir.Folder())), std::vector<std::string>{"b.pas"});
    EXPECT_TRUE(ListStash(dir.Folder() + "missing\\").empty());
}

}  // namespace
}  // namespace tavrill
