#pragma once
// The profile file behind the settings, tavrill.ini; on Windows the profile functions.

#include <optional>
#include <string>
#include <string_view>

namespace tavrill {

class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The value (at most 1023 bytes), or nothing when the key is missing.
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) = 0;
    virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace tavrill
