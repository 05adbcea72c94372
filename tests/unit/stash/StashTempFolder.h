#pragma once
// A real, empty folder for one test, removed with everything in it afterwards.

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace tavrill::testing {

class StashTempFolder {
public:
    StashTempFolder() {
        do {
            path_ = std::filesystem::temp_directory_path() /
                    ("tavrill-stash-" + std::to_string(std::random_device{}()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~StashTempFolder() { std::filesystem::remove_all(path_, ignored_); }

    // The folder as the program writes it: backslashes and a final one.
    std::string Folder() const {
        std::string f = path_.string() + "/";
        std::replace(f.begin(), f.end(), '/', '\\');
        return f;
    }
    // Every name in the folder and its subfolders, relative to it, with "/", sorted.
    std::vector<std::string> AllNames() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::recursive_directory_iterator(path_))
            names.push_back(std::filesystem::relative(e.path(), path_).generic_string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path path_;
    std::error_code ignored_;
};

}  // namespace tavrill::testing
