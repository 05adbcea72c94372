#pragma once
// A real, empty folder for one test, removed with everything in it afterwards.

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

namespace tavrill::testing {

struct TempFolder {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tavrill-test-" + std::to_string(std::random_device{}()));
    TempFolder() { std::filesystem::create_directory(path); }
    ~TempFolder() { std::filesystem::remove_all(path, ignored); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    // The folder as the program writes it: backslashes and a final one.
    std::string Folder() const {
        std::string f = path.string() + "/";
        std::replace(f.begin(), f.end(), '/', '\\');
        return f;
    }
    std::error_code ignored;
};

}  // namespace tavrill::testing
