#include "stash/StashCatalog.h"

#include <gtest/gtest.h>

#include <thread>

#include "TempFolder.h"
#include "base/Files.h"

namespace tavrill {
namespace {

std::vector<StashTexts> ReadOnAThread(const StashReadJob& job, const std::atomic<bool>& stop) {
    std::vector<StashTexts> batches;
    std::thread worker(
        [&] { ReadStashFiles(job, 2, stop, [&](StashTexts t) { batches.push_back(std::move(t)); }); });
    worker.join();
    return batches;
}

TEST(StashCatalogTest, TheListingComesFirstAndTextsOfAnOutdatedListingAreRefused) {
    testing::TempFolder dir;
    for (const char* name : {"a.pas", "b.pas", "c.pas"})
        ASSERT_TRUE(
            WriteFileBytes(dir.Folder() + name, std::string("//TAVRILL:about ") + name + "\r\nneedle"));
    StashCatalog catalog(dir.Folder());
    catalog.Refresh();
    const StashIndex& index = catalog.Index();
    EXPECT_EQ(index.Search("needle", StashOrder::ByName).size(), 0u);  // names only, until read
    EXPECT_EQ(index.Search("b.pas", StashOrder::ByName), std::vector<std::size_t>{1});
    const std::optional<StashReadJob> first = catalog.TakeJob();
    ASSERT_TRUE(first);
    EXPECT_FALSE(catalog.TakeJob());

    const std::atomic<bool> go = false, stop = true;
    EXPECT_TRUE(ReadOnAThread(*first, stop).empty());
    std::vector<StashTexts> outdated = ReadOnAThread(*first, go);
    ASSERT_EQ(outdated.size(), 2u);  // two, then the rest
    ASSERT_TRUE(catalog.Accept(std::move(outdated[0])));
    EXPECT_EQ(index.Search("needle", StashOrder::ByName), (std::vector<std::size_t>{0, 1}));

    ASSERT_TRUE(DeleteFileAt(dir.Folder() + "a.pas"));
    catalog.Refresh();  // b.pas was read and stays so; c.pas is now second, not third
    EXPECT_FALSE(catalog.Accept(std::move(outdated[1])));
    EXPECT_EQ(index.Search("needle", StashOrder::ByName), std::vector<std::size_t>{0});
    const std::optional<StashReadJob> second = catalog.TakeJob();
    ASSERT_TRUE(second);
    ASSERT_EQ(second->files.size(), 1u);
    for (StashTexts& t : ReadOnAThread(*second, go)) EXPECT_TRUE(catalog.Accept(std::move(t)));
    EXPECT_EQ(index.Search("needle", StashOrder::ByName), (std::vector<std::size_t>{0, 1}));
    EXPECT_EQ(index.Description(1), "about c.pas");
}

}  // namespace
}  // namespace tavrill
