#include "stash/StashFolder.h"

#include <gtest/gtest.h>

#include "StashTempFolder.h"

namespace tavrill {
namespace {

TEST(StashGlyphTest, ProgramGlyphOnlyForTheFourProgramExtensionsInAnyCase) {
    for (const char* program : {"setup.exe", "SETUP.EXE", "x.Com", "run.bat", "dos.PIF", ".exe"})
        EXPECT_EQ(GlyphFor(program), StashGlyph::Program) << program;
    for (const char* plain : {"a.exe.pas", "util.pas", "exe", "x.exe2", "x.ex", "x.cmd", "x."})
        EXPECT_EQ(GlyphFor(plain), StashGlyph::PlainFile) << plain;
}

TEST(StashListingTest, OnlyOrdinaryFilesSortedWithoutRegardToCase) {
    testing::StashTempFolder dir;
    for (const char* name : {"beta.pas", "Alpha.pas", "_under.pas", "Gamma.EXE", "a.pas"})
        ASSERT_TRUE(WriteFileBytes(dir.Folder() + name, "x"));
    ASSERT_TRUE(CreateFolder(dir.Folder() + "sub"));
    std::vector<std::string> names;
    for (const StashItem& item : ListStash(dir.Folder())) names.push_back(item.name);
    EXPECT_EQ(names, (std::vector<std::string>{"_under.pas", "a.pas", "Alpha.pas", "beta.pas", "Gamma.EXE"}));
    EXPECT_EQ(ListStash(dir.Folder()).back().glyph, StashGlyph::Program);

    // Names that differ only in case still come in one fixed order; hidden and system files are left out.
    const std::vector<StashItem> items = StashListing(
        {{"b"}, {"ALPHA"}, {"alpha"}, {"h", false, true}, {"Alpha"}, {"sys", false, false, true}});
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].name + items[1].name + items[2].name + items[3].name, "ALPHAAlphaalphab");
}

}  // namespace
}  // namespace tavrill
