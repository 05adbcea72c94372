#pragma once
// Where the program keeps its files: beside the program file.

#include <string>
#include <string_view>

namespace tavrill {

struct Folders {
    std::string program;  // lower-cased, ends in "\"
    std::string stash;    // program + "stash\"
};

// The folder part of the program file's path (up to the last "\" or ":"), its
// ASCII letters lower-cased and every other byte kept, ending in "\".
std::string ProgramFolderOf(std::string_view programFile);

Folders FoldersFor(std::string_view programFile);

// Creates the stash folder unless a plain file of that name is in the way.
// Failures are left for the stash commands to meet.
void EnsureStashFolder(const Folders& folders);

}  // namespace tavrill
