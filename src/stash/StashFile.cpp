#include "stash/StashFile.h"

#include "base/Ascii.h"
#include "base/Files.h"
#include "base/TextEncoding.h"

namespace tavrill {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// ".." and the spellings Windows reads as ".." once it strips a step's trailing
// dots and blanks (".. ", "...").
bool IsParentStep(std::string_view step) {
    return step.starts_with("..") && step.find_first_not_of(". ") == std::string_view::npos;
}

bool LeadsOutside(std::string_view relative) {
    if (relative.find(':') != std::string_view::npos) return true;  // a drive, or a stream of another file
    if (!relative.empty() && IsSeparator(relative.front())) return true;
    size_t start = 0;
    for (size_t i = 0; i <= relative.size(); ++i) {
        if (i == relative.size() || IsSeparator(relative[i])) {
            if (IsParentStep(relative.substr(start, i - start))) return true;
            start = i + 1;
        }
    }
    return false;
}

}  // namespace

StashPath StashFilePath(std::string_view stashFolder, std::string_view typedName) {
    std::string path = std::string(stashFolder) + std::string(typedName);
    // Only the last of these counts, so a dot in a folder name, the stash
    // folder's included, is never taken for the start of an extension. Windows
    // reads "/" as "\", so both end a folder here as in the escape check.
    const size_t last = path.find_last_of(".\\/:");
    if (last != std::string::npos && path[last] == '.') path.erase(last);
    path += ".pas";

    StashPath result;
    result.outside = LeadsOutside(std::string_view(path).substr(stashFolder.size()));
    result.path = std::move(path);
    return result;
}

std::string StashFileContent(std::string_view description, std::string_view snippet) {
    std::string content;
    content.reserve(kStashMarker.size() + description.size() + snippet.size() + 2 * kCrLf.size());
    content.append(kStashMarker).append(description).append(kCrLf).append(snippet);
    if (!snippet.empty() && !snippet.ends_with(kCrLf)) content.append(kCrLf);
    return FileBytesFromText(content);
}

bool SaveStashFile(const StashPath& target, std::string_view content) {
    return !target.outside && ReplaceFileBytes(target.path, content);
}

}  // namespace tavrill
