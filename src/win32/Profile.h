#pragma once
// The settings file through the Windows profile functions.

#include <string>

#include "app/Profile.h"

namespace tavrill {

class IniFile : public ProfileStore {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}
    std::optional<std::string> Read(std::string_view section, std::string_view key) override;
    bool Write(std::string_view section, std::string_view key, std::string_view value) override;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

}  // namespace tavrill
