#pragma once
// A real, empty folder for one test, removed with everything in it afterwards.
// Paths handed to the core use backslashes, as on Windows.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace tavrill::testing {

class StashTempFolder {
public:
    StashTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tavrill-stash-XXXXXX").string();
        native_ = ::mkdtemp(pattern.data()) ? pattern : std::string{};
    }
    ~StashTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(native_, ignored);
    }
    StashTempFolder(const StashTempFolder&) = delete;
    StashTempFolder& operator=(const StashTempFolder&) = delete;

    // The folder as the program writes it: backslashes and a final one.
    std::string Folder() const {
        std::string f = native_ + "/";
        for (char& c : f)
            if (c == '/') c = '\\';
        return f;
    }
    std::filesystem::path Native() const { return native_; }

    // Every name in the folder and its subfolders, relative to it.
    std::vector<std::string> AllNames() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::recursive_directory_iterator(native_))
            names.push_back(std::filesystem::relative(e.path(), native_).string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string native_;
};

}  // namespace tavrill::testing
