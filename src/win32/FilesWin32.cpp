// Files.h over the wide Windows functions: paths are UTF-8 inside the program and UTF-16 here,
// so a snippet name in any script is a file of that name.

#include "base/Files.h"

#include <windows.h>

#include "base/TextEncoding.h"
#include "win32/UniqueHandle.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(Widen(path).c_str());
}

// FILETIME counts 100 ns steps from 1601-01-01; Files.h speaks microseconds from 1970.
std::int64_t UnixMicroseconds(const FILETIME& t) {
    constexpr std::int64_t k1601To1970 = 116444736000000000;
    const std::int64_t ticks = (std::int64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime;
    return (ticks - k1601To1970) / 10;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
    UniqueFile file =
        OpenedFile(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
    // On the 32-bit build a file of 4 GiB or more would wrap around in size_t and be
    // read short without a word; a file that no string can hold cannot be opened.
    std::string bytes;
    if (static_cast<unsigned long long>(size.QuadPart) > bytes.max_size()) return std::nullopt;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) return std::nullopt;
        if (read == 0) break;  // the file shrank while we read it
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    UniqueFile file = OpenedFile(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && WriteAll(file.get(), bytes);
}

bool ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    // A read-only file is not to be written over; Windows refuses the final move
    // anyway, but say so before writing anything.
    const DWORD existing = Attributes(path);
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;
    // The temporary file sits in the same folder, so the final move is a rename
    // on one volume and never a copy.
    const std::string temp = path + ".tmp~" + std::to_string(GetCurrentProcessId());
    {
        UniqueFile file = OpenedFile(CreateFileW(Widen(temp).c_str(), GENERIC_WRITE, 0, nullptr,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
            file.reset();
            DeleteFileW(Widen(temp).c_str());
            return false;
        }
    }
    // https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-movefileexa
    if (!MoveFileExW(Widen(temp).c_str(), Widen(path).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(Widen(temp).c_str());
        return false;
    }
    return true;
}

bool FileExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolder(const std::string& path) {
    return CreateDirectoryW(Widen(path).c_str(), nullptr) != 0;
}

bool DeleteFileAt(const std::string& path) {
    return DeleteFileW(Widen(path).c_str()) != 0;
}

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    std::string mask = folder;
    if (!mask.empty() && mask.back() != '\\' && mask.back() != ':') mask += '\\';
    mask += "*.*";
    WIN32_FIND_DATAW data{};
    const UniqueFind find{ValidOrNull(FindFirstFileW(Widen(mask).c_str(), &data))};
    if (!find) return entries;
    do {
        const std::string name = Narrow(data.cFileName);
        if (name == "." || name == "..") continue;
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                           (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                           (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                           UnixMicroseconds(data.ftLastWriteTime),
                           (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find.get(), &data));
    return entries;
}

std::string ProgramFilePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size()) {
            buffer.resize(n);
            return Narrow(buffer);
        }
        buffer.resize(buffer.size() * 2);  // truncated: try a larger buffer
    }
}

std::string DecodeAnsi(std::string_view bytes) {
    return AnsiToUtf8(bytes);
}

}  // namespace tavrill
