#include "app/Settings.h"

#include "base/Error.h"
#include "base/Numbers.h"

namespace tavrill {
namespace {

// A [Main] switch: 0 or missing is off; written as 0 or 1.
bool LoadSwitch(ProfileStore& profile, const char* key) {
    return ParseSettingInt(profile.Read("Main", key).value_or(""), 0) != 0;
}

void SaveSwitch(ProfileStore& profile, const char* key, bool on, std::string_view path) {
    if (!profile.Write("Main", key, on ? "1" : "0")) throw UnableToWrite(path);
}

}  // namespace

WindowPosition LoadSettings(ProfileStore& profile) {
    WindowPosition p;
    p.x = ParseSettingInt(profile.Read("Main", "WindowX").value_or(""), kDefaultWindowX);
    p.y = ParseSettingInt(profile.Read("Main", "WindowY").value_or(""), kDefaultWindowY);
    return p;
}

bool LoadKeepClipboard(ProfileStore& profile) {
    return LoadSwitch(profile, "KeepClipboard");
}

void SaveKeepClipboard(ProfileStore& profile, bool on, std::string_view path) {
    SaveSwitch(profile, "KeepClipboard", on, path);
}

bool LoadAnyEditor(ProfileStore& profile) {
    return LoadSwitch(profile, "AnyEditor");
}

void SaveAnyEditor(ProfileStore& profile, bool on, std::string_view path) {
    SaveSwitch(profile, "AnyEditor", on, path);
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
