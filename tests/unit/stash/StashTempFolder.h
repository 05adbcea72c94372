#pragma once
// A real, empty folder for one test, removed with everything in it afterwards.

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>

namespace tavrill::testing {

struct StashTempFolder {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tavrill-stash-" + std::to_string(std::random_device{}()));
    StashTempFolder() { std::filesystem::create_directory(path); }
    ~StashTempFolder() { std::filesystem::remove_all(path, ignored); }
    // The folder as the program writes it: backslashes and a final one.
    std::string Folder() const {
        std::string f = path.string() + "/";
        std::replace(f.begin(), f.end(), '/', '\\');
        return f;
    }
    std::error_code ignored;
};

}  // namespace tavrill::testing
