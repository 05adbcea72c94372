#include "stash/StashSearch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"

namespace tavrill {
namespace {

TEST(FoldCaseTest, AsciiAndTheLatinBlocksOnly) {
    const struct {
        std::string_view in, out;
    } cases[] = {
        {"BeGiN_1", "begin_1"},
        {"ÀÉÎÕÜÝÞ × ß ÿ", "àéîõüýþ × ß ÿ"},
        {"ĀāČčĹĺŁłŇŊŋŸŹźŽ", "āāččĺĺłłňŋŋÿźźž"},
        {"İı ĸ ŉ ſ", "iı ĸ ŉ ſ"},
        {"ΣΑΣ Жук", "ΣΑΣ Жук"},                          // beyond the two blocks: kept
        {"\xC3\x28 \xC4 A\xC5", "\xC3\x28 \xC4 a\xC5"},  // broken sequences: kept byte for byte
    };
    for (const auto& c : cases) EXPECT_EQ(FoldCase(c.in), c.out) << c.in;
}

TEST(StashDescriptionTest, TheMarkerLineOnly) {
    EXPECT_EQ(StashDescription("//TAVRILL:Fast sort\r\ncode"), "Fast sort");
    EXPECT_EQ(StashDescription("//TAVRILL:"), "");
    EXPECT_EQ(StashDescription("//TAVRILL:lf only\nx"), "lf only");
    EXPECT_EQ(StashDescription("// TAVRILL:x\r\n"), "");
    EXPECT_EQ(StashDescription("code\r\n"), "");
}

std::string Names(const StashIndex& index, std::string_view query, StashOrder order = StashOrder::ByName) {
    std::string names;
    for (std::size_t i : index.Search(query, order)) names += index.Item(i).name + " ";
    return names;
}

TEST(StashIndexTest, EveryWordInNameDescriptionOrCodeInAnyOrderAndCase) {
    StashIndex index;
    index.Add({.name = "dates.pas"},
              "//TAVRILL:Query with the DATE range\r\nSELECT * WHERE d BETWEEN :a AND :b\r\n");
    index.Add({.name = "Größe.pas"}, "//TAVRILL:Ümlaut sizes\r\nÉtat := Größe;\r\n");
    index.Add({.name = "sort.pas"}, "procedure QuickSort(var A: array of Integer);\r\n");
    index.Add({.name = "tavrill.pas"}, "//TAVRILL:\r\nx\r\nlastword");

    const struct {
        std::string_view query, names;
    } cases[] = {
        {"", "dates.pas Größe.pas sort.pas tavrill.pas "},
        {" \t ", "dates.pas Größe.pas sort.pas tavrill.pas "},
        {"range date", "dates.pas "},
        {"RANGE  between\r\n", "dates.pas "},
        {"range sort", ""},
        {"GRÖSSE", ""},           // ß is no "ss"
        {"größe", "Größe.pas "},  // the name and the code
        {"üMLAUT éTAT", "Größe.pas "},
        {"quicksort ARRAY", "sort.pas "},
        {"sort.pas", "sort.pas "},
        {"tavrill", "tavrill.pas "},  // the name; the marker itself is not searched
        {"pas\r\nx", "tavrill.pas "},
        {"s.pas", "dates.pas "},
        {"LASTWORD", "tavrill.pas "},  // the snippet's very last bytes
    };
    for (const auto& c : cases) EXPECT_EQ(Names(index, c.query), c.names) << c.query;
}

TEST(StashIndexTest, PercentInputFindsTheSnippetsThatAskForInputAsAnyOtherWordIsFound) {
    StashIndex index;
    index.Add({.name = "ask.pas"}, "//TAVRILL:asks\r\nShowMessage('%INPUT:Greeting=Hello%');\r\n");
    index.Add({.name = "fmt.pas"}, "//TAVRILL:percent\r\nFormat('%d%%', [n]); // input\r\n");
    EXPECT_EQ(Names(index, "%input"), "ask.pas ");
    EXPECT_EQ(Names(index, "%INPUT:greeting"), "ask.pas ");
    EXPECT_EQ(Names(index, "input"), "ask.pas fmt.pas ");
}

void WriteAt(const std::filesystem::path& file, std::string_view bytes, int secondsAgo) {
    static const auto now = std::filesystem::file_time_type::clock::now();
    std::ofstream(file, std::ios::binary) << bytes;
    std::filesystem::last_write_time(file, now - std::chrono::seconds(secondsAgo));
}

TEST(StashIndexTest, ReadsTheFolderAsItIsAtEachShowingAndSortsNewestFirst) {
    testing::TempFolder stash;
    WriteAt(stash.path / "b.pas", "//TAVRILL:two\r\nfirst text\r\n", 30);
    WriteAt(stash.path / "A.pas", "//TAVRILL:one\r\n", 20);
    WriteAt(stash.path / "c.pas", "//TAVRILL:three\r\n", 20);
    std::filesystem::create_directory(stash.path / "sub");

    StashIndex shown = StashIndex::Read(stash.Folder());
    EXPECT_EQ(Names(shown, ""), "A.pas b.pas c.pas ");
    EXPECT_EQ(Names(shown, "", StashOrder::NewestFirst), "A.pas c.pas b.pas ");
    EXPECT_EQ(Names(shown, "first"), "b.pas ");

    // Edited by another program between two showings, even to the same size: the next showing finds the new
    // text.
    WriteAt(stash.path / "b.pas", "//TAVRILL:two\r\nfinal text\r\n", 0);
    std::filesystem::remove(stash.path / "A.pas");
    EXPECT_EQ(Names(shown, "final"), "");
    shown = StashIndex::Read(stash.Folder(), std::move(shown));  // the unchanged files are not read again
    EXPECT_EQ(Names(shown, "first"), "");
    EXPECT_EQ(Names(shown, "three"), "c.pas ");
    EXPECT_EQ(Names(shown, "final"), "b.pas ");
    EXPECT_EQ(Names(shown, "pas", StashOrder::NewestFirst), "b.pas c.pas ");
}

}  // namespace
}  // namespace tavrill
