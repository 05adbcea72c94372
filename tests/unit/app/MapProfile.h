#pragma once
// tavrill.ini in memory.

#include <map>
#include <string>

#include "app/Profile.h"

namespace tavrill::testing {

class MapProfile : public ProfileStore {
public:
    std::map<std::string, std::string, std::less<>> values;  // "Section/Key" -> value
    bool writable = true;
    std::optional<std::string> Read(std::string_view section, std::string_view key) override {
        const auto it = values.find(std::string(section) + "/" + std::string(key));
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    bool Write(std::string_view section, std::string_view key, std::string_view value) override {
        if (writable) values[std::string(section) + "/" + std::string(key)] = value;
        return writable;
    }
};

}  // namespace tavrill::testing
