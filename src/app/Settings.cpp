#include "app/Settings.h"

#include "base/Error.h"
#include "base/Numbers.h"

namespace tavrill {
WindowPosition LoadSettings(ProfileStore& profile) {
    WindowPosition p;
    p.x = ParseSettingInt(profile.Read("Main", "WindowX").value_or(""), kDefaultWindowX);
    p.y = ParseSettingInt(profile.Read("Main", "WindowY").value_or(""), kDefaultWindowY);
    return p;
}

bool LoadKeepClipboard(ProfileStore& profile) {
    return ParseSettingInt(profile.Read("Main", "KeepClipboard").value_or(""), 0) != 0;
}

void SaveKeepClipboard(ProfileStore& profile, bool on, std::string_view path) {
    if (!profile.Write("Main", "KeepClipboard", on ? "1" : "0")) throw UnableToWrite(path);
}

bool LoadAnyEditor(ProfileStore& profile) {
    return ParseSettingInt(profile.Read("Main", "AnyEditor").value_or(""), 0) != 0;
}

void SaveAnyEditor(ProfileStore& profile, bool on, std::string_view path) {
    if (!profile.Write("Main", "AnyEditor", on ? "1" : "0")) throw UnableToWrite(path);
}

std::string StashFolderSetting(ProfileStore& profile) {
    return profile.Read("Main", "StashFolder").value_or("");
}

void SaveSettings(ProfileStore& profile, const WindowPosition& position, std::string_view path) {
    if (!profile.Write("Main", "WindowX", std::to_string(position.x)) ||
        !profile.Write("Main", "WindowY", std::to_string(position.y)))
        throw UnableToWrite(path);
}

}  // namespace tavrill
