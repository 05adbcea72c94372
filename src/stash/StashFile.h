#pragma once
// A stash file is one saved snippet: a text file in the stash folder whose first
// line is the marker "//TAVRILL:" with the user's description, followed by the
// snippet's own lines. These are the rules for naming, writing and reading one.

#include <string>
#include <string_view>

namespace tavrill {

inline constexpr std::string_view kStashMarker = "//TAVRILL:";

struct StashPath {
    // The stash folder, the name as typed, and ".pas" in place of its last extension
    // (a dot before the last "\" or "/" of the name starts none).
    std::string path;
    // The name leads out of the stash folder (a drive, a leading "\" or "/", a
    // ".." step): nothing may be written at `path`.
    bool outside = false;
};

// `stashFolder` ends with a backslash. Pure: the file system is not looked at.
StashPath StashFilePath(std::string_view stashFolder, std::string_view typedName);

// The bytes of the file: the marker line, CR LF, the snippet, and a final CR LF
// unless the snippet is empty or already ends with one. A text with anything but
// ASCII in it is written as UTF-8 behind a byte order mark, which readers skip,
// so the marker still starts the first line they see.
std::string StashFileContent(std::string_view description, std::string_view snippet);

// Writes the content so that an existing snippet of that name is replaced only
// by a complete new file: a failure leaves the old one untouched and no stray
// file behind. False for an outside path or any failure to write.
bool SaveStashFile(const StashPath& target, std::string_view content);

}  // namespace tavrill
