#pragma once
// What the stash browser lists: the stash folder's ordinary files, by name
// without regard to letter case, each with the glyph that goes before it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Files.h"

namespace tavrill {

enum class StashGlyph { Program, PlainFile };

struct StashItem {
    std::string name;  // name and extension, without the folder
    StashGlyph glyph = StashGlyph::PlainFile;
    std::int64_t modified = 0;  // as FolderEntry::modified
    std::uint64_t size = 0;
};

// The browser's two orders: by name as above, or the last written first.
enum class StashOrder { ByName, NewestFirst };

// Program for ".exe", ".com", ".bat" and ".pif" in any letter case.
StashGlyph GlyphFor(std::string_view fileName);

// Drops folders, hidden and system files and sorts the rest. Pure.
std::vector<StashItem> StashListing(std::vector<FolderEntry> entries);

// Whether `a` is listed before `b`: by name without regard to ASCII letter case
// (names of one spelling in their exact bytes), or newest first and then by name.
bool ListedBefore(const StashItem& a, const StashItem& b, StashOrder order);

// The listing of the folder as it now is; empty when it cannot be read.
std::vector<StashItem> ListStash(const std::string& stashFolder);

// The file behind a listed name. `stashFolder` ends with a backslash.
std::string StashItemPath(std::string_view stashFolder, std::string_view itemName);

}  // namespace tavrill
