#include "app/Folders.h"

#include "base/Ascii.h"
#include "base/Files.h"

namespace tavrill {

std::string ProgramFolderOf(std::string_view programFile) {
    const size_t cut = programFile.find_last_of("\\:");
    std::string folder(cut == std::string_view::npos ? std::string_view{} : programFile.substr(0, cut + 1));
    for (char& c : folder) c = AsciiLower(c);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

Folders FoldersFor(std::string_view programFile) {
    Folders f;
    f.program = ProgramFolderOf(programFile);
    f.stash = f.program + "stash\\";
    return f;
}

void EnsureStashFolder(const Folders& folders) {
    const std::string path = folders.program + "stash";
    if (FileExists(path)) return;
    CreateFolder(path);  // an existing folder, or one that cannot be made, is fine here
}

}  // namespace tavrill
