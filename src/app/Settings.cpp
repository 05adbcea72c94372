#include "app/Settings.h"

#include "base/Error.h"
#include "base/Numbers.h"

namespace tavrill {

Settings SettingsStore::Load() {
    const auto number = [&](const char* key, int fallback, const char* section = "Main") {
        return ParseSettingInt(profile_.Read(section, key).value_or(""), fallback);
    };
    Settings s;
    s.position = {number("WindowX", kDefaultWindowX), number("WindowY", kDefaultWindowY)};
    s.anyEditor = number("AnyEditor", 0) != 0;
    s.keepClipboard = number("KeepClipboard", 0) != 0;
    s.stashFolder = profile_.Read("Main", "StashFolder").value_or("");
    const int indent = number("IndentSize", -1, "Format");
    if (indent >= 0 && indent <= kMaxFormatIndent) s.format.indentSize = indent;
    if (const auto words = ParseReservedWordCase(profile_.Read("Format", "ReservedWords").value_or("")))
        s.format.reservedWords = *words;
    s.format.spaceAroundOperators = number("SpaceAroundOperators", 1, "Format") != 0;
    s.format.directivesAtColumn0 = number("DirectivesAtColumn0", 0, "Format") != 0;
    const int tabWidth = ParseSettingInt(profile_.Read("Format", "TabWidth").value_or(""), kDefaultTabWidth);
    s.format.tabWidth = tabWidth >= 1 && tabWidth <= kMaxTabWidth ? tabWidth : kDefaultTabWidth;
    for (std::size_t i = 1; i <= kAlignTokensKept; ++i) {
        const auto token = profile_.Read("Format", "AlignOn" + std::to_string(i));
        if (token && !token->empty()) s.alignTokens.push_back(*token);
    }
    return s;
}

ShortcutTable SettingsStore::LoadShortcuts(std::span<const ShortcutSlot> slots) {
    return tavrill::LoadShortcuts(profile_, slots);
}

void SettingsStore::Write(std::string_view section, std::string_view key, std::string_view value) {
    if (!profile_.Write(section, key, value)) throw UnableToWrite(path_);
}

void SettingsStore::SavePosition(WindowPosition position) {
    Write("Main", "WindowX", std::to_string(position.x));
    Write("Main", "WindowY", std::to_string(position.y));
}

void SettingsStore::SaveAnyEditor(bool on) {
    Write("Main", "AnyEditor", on ? "1" : "0");
}

void SettingsStore::SaveKeepClipboard(bool on) {
    Write("Main", "KeepClipboard", on ? "1" : "0");
}

void SettingsStore::SaveAlignTokens(const std::vector<std::string>& tokens) {
    for (std::size_t i = 0; i < kAlignTokensKept; ++i)
        Write("Format", "AlignOn" + std::to_string(i + 1), i < tokens.size() ? tokens[i] : std::string());
}

void SettingsStore::SaveShortcuts(const ShortcutTable& table, std::span<const ShortcutSlot> slots) {
    tavrill::SaveShortcuts(profile_, table, slots, path_);
}

}  // namespace tavrill
