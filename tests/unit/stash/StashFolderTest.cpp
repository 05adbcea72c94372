#include "stash/StashFolder.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

TEST(StashListingTest, OrdinaryFilesByNameInAnyCaseWithTheProgramGlyphForFourExtensions) {
    for (const char* program : {"setup.exe", "SETUP.EXE", "x.Com", "run.bat", "dos.PIF", ".exe"})
        EXPECT_EQ(GlyphFor(program), StashGlyph::Program) << program;
    for (const char* plain : {"a.exe.pas", "util.pas", "exe", "x.exe2", "x.ex", "x.cmd", "x."})
        EXPECT_EQ(GlyphFor(plain), StashGlyph::PlainFile) << plain;

    std::vector<FolderEntry> entries = {{.name = "sub", .isFolder = true},
                                        {.name = "hidden", .isHidden = true}};
    for (const char* name : {"beta.pas", "ALPHA", "_under.pas", "alpha", "Alpha", "Gamma.EXE", "a.pas"})
        entries.push_back({name});
    entries.push_back({.name = "sys", .isSystem = true});
    std::string names;
    for (const StashItem& item : StashListing(entries))
        names += item.name + (item.glyph == StashGlyph::Program ? "* " : " ");
    EXPECT_EQ(names, "_under.pas a.pas ALPHA Alpha alpha beta.pas Gamma.EXE* ");
}

}  // namespace
}  // namespace tavrill
