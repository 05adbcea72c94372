// The Linux build of the file operations, so that the core's rules can be tested
// natively on real files. Windows paths are mapped by turning "\" into "/".

#include "base/Files.h"
#include "base/TextEncoding.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace tavrill {
namespace {

std::string Native(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream in(Native(path), std::ios::binary);
    if (!in || FolderExists(path)) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return bytes;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    const int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, bytes);
    return ::close(fd) == 0 && written;
}

bool ReplaceFileBytes(const std::string& path, std::string_view bytes) {
    const std::string target = Native(path);
    // A read-only file is not to be written over, as on Windows (root would be
    // allowed to, so look at the mode rather than trying).
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR))) return false;
    std::string temp = target + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::chmod(temp.c_str(), 0644) == 0 && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(Native(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool FolderExists(const std::string& path) {
    struct stat st {};
    return ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool CreateFolder(const std::string& path) {
    return ::mkdir(Native(path).c_str(), 0755) == 0;
}

bool DeleteFileAt(const std::string& path) {
    return ::unlink(Native(path).c_str()) == 0;
}

std::vector<FolderEntry> ListFolder(const std::string& folder) {
    std::vector<FolderEntry> entries;
    DIR* dir = ::opendir(Native(folder).c_str());
    if (!dir) return entries;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        FolderEntry entry;
        entry.name = name;
        struct stat st {};
        if (::stat(Native(folder + "\\" + name).c_str(), &st) == 0) {
            entry.isFolder = S_ISDIR(st.st_mode);
            entry.modified = std::int64_t{st.st_mtim.tv_sec} * 1000000 + st.st_mtim.tv_nsec / 1000;
            entry.size = entry.isFolder ? 0 : static_cast<std::uint64_t>(st.st_size);
        }
        entry.isHidden = name.front() == '.';  // the closest Linux has to the hidden attribute
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    return entries;
}

std::string ProgramFilePath() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    buffer.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return buffer;
}

std::string DecodeAnsi(std::string_view bytes) {
    // Latin-1: every byte is the code point of its value.
    std::string text;
    text.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xC0 | (u >> 6));
            text += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return text;
}

}  // namespace tavrill
