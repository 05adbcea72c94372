#pragma once
// The settings: one value read from tavrill.ini once at start, and the one store
// that writes them back into that file.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Profile.h"
#include "app/Shortcuts.h"
#include "format/Format.h"

namespace tavrill {

inline constexpr int kDefaultWindowX = 32;
inline constexpr int kDefaultWindowY = 420;
inline constexpr std::size_t kAlignTokensKept = 10;

struct WindowPosition {
    int x = kDefaultWindowX;
    int y = kDefaultWindowY;
    friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

struct Settings {
    WindowPosition position;     // [Main] WindowX, WindowY
    bool anyEditor = false;      // [Main] AnyEditor=0|1
    bool keepClipboard = false;  // [Main] KeepClipboard=0|1
    std::string stashFolder;     // [Main] StashFolder=, as written; empty for the default
    ShortcutTable shortcuts;     // [Shortcuts], once the slots are known (SettingsStore::LoadShortcuts)
    // [Format] IndentSize, ReservedWords, SpaceAroundOperators, DirectivesAtColumn0 and TabWidth
    // (1 to 100), which Tabs to blanks uses too
    FormatStyle format;
    std::vector<std::string> alignTokens;  // [Format] AlignOn1..AlignOn10: "Align on...", latest first
};

// tavrill.ini. Values are read with ParseSettingInt (base/Numbers.h): a switch
// is off when missing, 0 or not a number. Each Save writes only its own keys,
// so the files of earlier versions stay as they were until the user changes
// something, and throws Error "Unable to write to <path>" when it cannot.
class SettingsStore {
public:
    SettingsStore(ProfileStore& profile, std::string path) : profile_(profile), path_(std::move(path)) {}

    // Everything but the shortcuts.
    Settings Load();
    ShortcutTable LoadShortcuts(std::span<const ShortcutSlot> slots);

    void SavePosition(WindowPosition position);
    void SaveAnyEditor(bool on);
    void SaveKeepClipboard(bool on);
    void SaveShortcuts(const ShortcutTable& table, std::span<const ShortcutSlot> slots);
    void SaveAlignTokens(const std::vector<std::string>& tokens);

    const std::string& Path() const { return path_; }

private:
    void Write(std::string_view section, std::string_view key, std::string_view value);

    ProfileStore& profile_;
    std::string path_;
};

}  // namespace tavrill
