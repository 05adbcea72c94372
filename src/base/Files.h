#pragma once
// The file-system operations the program needs, on byte-string paths in the
// Windows form ("c:\tools\tavrill\stash\util.pas"). FilesWin32.cpp implements
// them with the A-functions; FilesPosix.cpp implements them for the Linux build
// of the core, where a backslash in a path stands for "/".
//
// Expected failures are results, never exceptions: the callers decide which
// failure the user sees and how.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrill {

// The whole file as bytes, or nothing when it cannot be opened or read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Creates the file, or empties an existing one, and writes the bytes.
// False when it cannot be created or fully written.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

// Writes the bytes to a temporary file beside `path` and only then puts it in
// place of `path`, so that a failure at any point leaves an existing file as it
// was and no temporary file behind. False on failure.
bool ReplaceFileBytes(const std::string& path, std::string_view bytes);

bool FileExists(const std::string& path);    // an existing file that is not a folder
bool FolderExists(const std::string& path);  // an existing folder
bool CreateFolder(const std::string& path);  // false when it could not be created
bool DeleteFileAt(const std::string& path);  // false when it could not be deleted

struct FolderEntry {
    std::string name;  // name and extension, without the folder
    bool isFolder = false;
    bool isHidden = false;
    bool isSystem = false;
    // Last written, in microseconds since 1970-01-01 UTC; 0 when unknown.
    std::int64_t modified = 0;
    std::uint64_t size = 0;  // in bytes; 0 for a folder
};

// Every entry of the folder but "." and "..", in no particular order; empty when
// the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string& folder);

// The full path of the running program file.
std::string ProgramFilePath();

}  // namespace tavrill
