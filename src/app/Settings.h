#pragma once
// The settings file: where the tool bar stood, in section "Main" of tavrill.ini.

#include <optional>
#include <string>
#include <string_view>

namespace tavrill {

inline constexpr int kDefaultWindowX = 32;
inline constexpr int kDefaultWindowY = 420;

// Values are read with ParseSettingInt (base/Numbers.h).
// The profile file behind the settings; on Windows the profile functions.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    // The value (at most 1023 bytes), or nothing when the key is missing.
    virtual std::optional<std::string> Read(std::string_view section, std::string_view key) = 0;
    virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

struct WindowPosition {
    int x = kDefaultWindowX;
    int y = kDefaultWindowY;
};

WindowPosition LoadSettings(ProfileStore& profile);

// Keep my clipboard, [Main] KeepClipboard=0|1: off when missing, 0 or not a number.
bool LoadKeepClipboard(ProfileStore& profile);
void SaveKeepClipboard(ProfileStore& profile, bool on, std::string_view path);  // throws as SaveSettings

// [Main] StashFolder=, as written; empty when missing.
std::string StashFolderSetting(ProfileStore& profile);

// Throws Error "Unable to write to <path>" when the file cannot be written.
void SaveSettings(ProfileStore& profile, const WindowPosition& position, std::string_view path);

// "Any editor" (key "AnyEditor" in section "Main", "0" or "1"): off when the key
// is missing, and for any value that reads as 0 or not as a number.
bool LoadAnyEditor(ProfileStore& profile);
// Written when the user changes it, so the position's rule (written only at the
// end) and the files of earlier versions stay as they were until then. Throws
// Error "Unable to write to <path>" when the file cannot be written.
void SaveAnyEditor(ProfileStore& profile, bool on, std::string_view path);

}  // namespace tavrill
