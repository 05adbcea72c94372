#include "app/Folders.h"

#include <algorithm>

#include "base/Ascii.h"
#include "base/Files.h"

namespace tavrill {
namespace {

constexpr char kWriteCheckFile[] = "~tavrill-write-check.tmp";

bool IsAbsolute(std::string_view path) {
    return path.starts_with('\\') || (path.size() >= 2 && path[1] == ':');
}

// Makes the folder and whatever is missing above it; true when it is there now.
bool MakeFolders(const std::string& folder) {
    if (FolderExists(folder)) return true;
    const size_t cut = folder.find_last_of('\\');
    if (cut != std::string::npos && cut > 0) MakeFolders(folder.substr(0, cut));
    return CreateFolder(folder) || FolderExists(folder);
}

bool CanWriteIn(const std::string& folder) {
    const std::string probe = folder + kWriteCheckFile;
    return WriteFileBytes(probe, "") && DeleteFileAt(probe);
}

}  // namespace

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

std::string StashFolderFromSetting(const Folders& defaults, std::string_view setting) {
    std::string path(setting);
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.find_first_not_of(" \t") == std::string::npos) return defaults.stash;
    if (!IsAbsolute(path)) path = defaults.program + path;
    if (path.back() != '\\') path += '\\';
    return path;
}

StashFolderChoice ChooseStashFolder(const Folders& defaults, std::string_view setting) {
    const std::string chosen = StashFolderFromSetting(defaults, setting);
    if (chosen != defaults.stash) {
        const std::string bare = chosen.substr(0, chosen.size() - 1);
        if (MakeFolders(bare) && CanWriteIn(chosen)) return {chosen, {}};
        EnsureStashFolder(defaults);
        return {defaults.stash, "Cannot use the stash folder " + bare +
                                    "; the stash folder beside the program is used instead"};
    }
    EnsureStashFolder(defaults);
    return {defaults.stash, {}};
}

}  // namespace tavrill
