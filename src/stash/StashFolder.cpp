#include "stash/StashFolder.h"

#include <algorithm>
#include <array>

#include "base/Ascii.h"

namespace tavrill {
namespace {

// Names that differ only in letter case (possible on shares and under Wine)
// still get one fixed order.
bool ListedBeforeByName(const StashItem& a, const StashItem& b) {
    if (LessIgnoringAsciiCase(a.name, b.name)) return true;
    if (LessIgnoringAsciiCase(b.name, a.name)) return false;
    return a.name < b.name;
}

}  // namespace

StashGlyph GlyphFor(std::string_view fileName) {
    static constexpr std::array<std::string_view, 4> kProgramExtensions = {".exe", ".com", ".bat", ".pif"};
    const size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return StashGlyph::PlainFile;
    const std::string_view extension = fileName.substr(dot);
    for (std::string_view program : kProgramExtensions)
        if (EqualIgnoringAsciiCase(extension, program)) return StashGlyph::Program;
    return StashGlyph::PlainFile;
}

std::vector<StashItem> StashListing(std::vector<FolderEntry> entries) {
    std::vector<StashItem> items;
    items.reserve(entries.size());
    for (FolderEntry& e : entries) {
        if (e.isFolder || e.isHidden || e.isSystem) continue;
        const StashGlyph glyph = GlyphFor(e.name);
        items.push_back({std::move(e.name), glyph, e.modified, e.size});
    }
    std::sort(items.begin(), items.end(), ListedBeforeByName);
    return items;
}

bool ListedBefore(const StashItem& a, const StashItem& b, StashOrder order) {
    if (order == StashOrder::NewestFirst && a.modified != b.modified) return a.modified > b.modified;
    return ListedBeforeByName(a, b);
}

std::vector<StashItem> ListStash(const std::string& stashFolder) {
    return StashListing(ListFolder(stashFolder));
}

std::string StashItemPath(std::string_view stashFolder, std::string_view itemName) {
    return std::string(stashFolder) + std::string(itemName);
}

}  // namespace tavrill
