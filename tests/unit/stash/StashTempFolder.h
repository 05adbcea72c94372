#pragma once
// A real, empty folder for one test, removed with everything in it afterwards.

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace tavrill::testing {

class StashTempFolder {
public:
    StashTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrill-stash-XXXXXX").string();
        if (::mkdtemp(pattern.data())) native_ = pattern;
    }
    ~StashTempFolder() { std::filesystem::remove_all(native_, ignored_); }

    // The folder as the program writes it: backslashes and a final one.
    std::string Folder() const {
        std::string f = native_ + "/";
        std::replace(f.begin(), f.end(), '/', '\\');
        return f;
    }
    // Every name in the folder and its subfolders, relative to it, sorted.
    std::vector<std::string> AllNames() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::recursive_directory_iterator(native_))
            names.push_back(std::filesystem::relative(e.path(), native_).string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string native_;
    std::error_code ignored_;
};

}  // namespace tavrill::testing
