#pragma once
// Where the program keeps its files: beside the program file, and the stash
// where tavrill.ini [Main] StashFolder= puts it.

#include <string>
#include <string_view>

namespace tavrill {

struct Folders {
    std::string program;  // lower-cased, ends in "\"
    std::string stash;    // program + "stash\", or the folder of one's choice; ends in "\"
};

// The folder part of the program file's path (up to the last "\" or ":"), its
// ASCII letters lower-cased and every other byte kept, ending in "\".
std::string ProgramFolderOf(std::string_view programFile);

Folders FoldersFor(std::string_view programFile);

// Creates the stash folder unless a plain file of that name is in the way.
// Failures are left for the stash commands to meet.
void EnsureStashFolder(const Folders& folders);

// The folder a StashFolder= setting names: an absolute path (a drive, or a
// leading "\") as it is, anything else under the program folder; "/" read as
// "\"; ending in "\". Empty or blank gives the default folder. Pure.
std::string StashFolderFromSetting(const Folders& defaults, std::string_view setting);

struct StashFolderChoice {
    std::string folder;   // ends in "\"
    std::string problem;  // for the error box, when the chosen folder was refused; else empty
};

// The stash folder to use: the one the setting names, created with any missing
// folders above it and checked by writing and removing a small file there.
// When that fails, the default folder (made as EnsureStashFolder makes it) and
// a message naming the refused folder; the refused folder is left as it is.
StashFolderChoice ChooseStashFolder(const Folders& defaults, std::string_view setting);

}  // namespace tavrill
