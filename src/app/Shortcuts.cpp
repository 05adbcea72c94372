#include "app/Shortcuts.h"

#include "base/Ascii.h"
#include "base/Error.h"

namespace tavrill {
namespace {

constexpr unsigned kF1 = 0x70;
constexpr unsigned kF24 = 0x87;
constexpr unsigned kNum0 = 0x60;

struct NamedKey {
    std::string_view name;
    unsigned key;
};
constexpr NamedKey kNamedKeys[] = {
    {"Insert", 0x2D}, {"Delete", 0x2E}, {"Home", 0x24}, {"End", 0x23},   {"PageUp", 0x21}, {"PageDown", 0x22},
    {"Up", 0x26},     {"Down", 0x28},   {"Left", 0x25}, {"Right", 0x27}, {"Space", 0x20},  {"Pause", 0x13},
};

struct NamedModifier {
    std::string_view name;
    unsigned bit;
};
// In the order FormatShortcut writes them.
constexpr NamedModifier kModifiers[] = {
    {"Ctrl", kModCtrl}, {"Alt", kModAlt}, {"Shift", kModShift}, {"Win", kModWin}};

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// A decimal number of one or two digits, without a sign or leading zero.
std::optional<unsigned> SmallNumber(std::string_view s) {
    if (s.empty() || s.size() > 2 || s[0] == '0') return std::nullopt;
    unsigned n = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + static_cast<unsigned>(c - '0');
    }
    return n;
}

std::optional<unsigned> KeyOfName(std::string_view name) {
    if (name.empty()) return std::nullopt;  // "Ctrl+" names no key
    if (name.size() == 1) {
        const char c = AsciiUpper(name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
        return std::nullopt;
    }
    for (const NamedKey& k : kNamedKeys)
        if (EqualIgnoringAsciiCase(name, k.name)) return k.key;
    if (AsciiUpper(name[0]) == 'F')
        if (const auto n = SmallNumber(name.substr(1)); n && *n >= 1 && *n <= 24) return kF1 + *n - 1;
    if (name.size() == 4 && EqualIgnoringAsciiCase(name.substr(0, 3), "Num") && name[3] >= '0' &&
        name[3] <= '9')
        return kNum0 + static_cast<unsigned>(name[3] - '0');
    return std::nullopt;
}

std::string NameOfKey(unsigned key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= kF1 && key <= kF24) return std::string("F").append(std::to_string(key - kF1 + 1));
    if (key >= kNum0 && key <= kNum0 + 9)
        return std::string("Num").append(1, static_cast<char>('0' + key - kNum0));
    for (const NamedKey& k : kNamedKeys)
        if (k.key == key) return std::string(k.name);
    return {};
}

std::optional<unsigned> ModifierOfName(std::string_view name) {
    if (EqualIgnoringAsciiCase(name, "Control")) return kModCtrl;
    for (const NamedModifier& m : kModifiers)
        if (EqualIgnoringAsciiCase(name, m.name)) return m.bit;
    return std::nullopt;
}

}  // namespace

std::optional<Shortcut> ParseShortcut(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || EqualIgnoringAsciiCase(text, "None")) return Shortcut{};
    Shortcut s;
    for (;;) {
        const std::size_t plus = text.find('+');
        const std::string_view part = Trimmed(text.substr(0, plus));
        if (plus == std::string_view::npos) {
            const auto key = KeyOfName(part);
            if (!key || !(s.modifiers & (kModCtrl | kModAlt | kModWin))) return std::nullopt;
            s.key = *key;
            return s;
        }
        const auto bit = ModifierOfName(part);
        if (!bit || (s.modifiers & *bit)) return std::nullopt;
        s.modifiers |= *bit;
        text.remove_prefix(plus + 1);
    }
}

std::string FormatShortcut(Shortcut s) {
    if (!s.Assigned()) return "None";
    std::string text;
    for (const NamedModifier& m : kModifiers)
        if (s.modifiers & m.bit) text.append(m.name).append("+");
    return text + NameOfKey(s.key);
}

bool IsShortcutKey(unsigned key) {
    return key != 0 && !NameOfKey(key).empty();
}

ShortcutTable::ShortcutTable(std::span<const ShortcutSlot> slots) {
    for (const ShortcutSlot& slot : slots) Assign(slot.key, slot.defaultShortcut);
}

Shortcut ShortcutTable::Get(std::string_view key) const {
    const auto it = shortcuts_.find(key);
    return it == shortcuts_.end() ? Shortcut{} : it->second;
}

std::optional<std::string> ShortcutTable::Holder(Shortcut s) const {
    if (!s.Assigned()) return std::nullopt;
    for (const auto& [key, held] : shortcuts_)
        if (held == s) return key;
    return std::nullopt;
}

std::optional<std::string> ShortcutTable::Assign(std::string_view key, Shortcut s) {
    std::optional<std::string> loser = Holder(s);
    if (loser == key) loser.reset();
    if (loser) shortcuts_.erase(*loser);
    if (s.Assigned()) {
        shortcuts_.insert_or_assign(std::string(key), s);
    } else if (const auto it = shortcuts_.find(key); it != shortcuts_.end()) {
        shortcuts_.erase(it);
    }
    return loser;
}

ShortcutTable LoadShortcuts(ProfileStore& profile, std::span<const ShortcutSlot> slots) {
    // Two passes: first every line the user wrote, in order, so that the first
    // of two equal lines keeps its shortcut; then the defaults of the slots
    // without a valid line, where the shortcut is still free.
    std::vector<bool> written(slots.size());
    ShortcutTable table;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const auto value = profile.Read("Shortcuts", slots[i].key);
        const auto s = value ? ParseShortcut(*value) : std::nullopt;
        if (!s) continue;
        written[i] = true;
        if (!table.Holder(*s)) table.Assign(slots[i].key, *s);
    }
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (!written[i] && !table.Holder(slots[i].defaultShortcut))
            table.Assign(slots[i].key, slots[i].defaultShortcut);
    return table;
}

void SaveShortcuts(ProfileStore& profile, const ShortcutTable& table, std::span<const ShortcutSlot> slots,
                   std::string_view path) {
    for (const ShortcutSlot& slot : slots)
        if (!profile.Write("Shortcuts", slot.key, FormatShortcut(table.Get(slot.key))))
            throw UnableToWrite(path);
}

int HotKeyId(std::size_t index) {
    return static_cast<int>(index) + 1;
}

std::optional<std::size_t> SlotOfHotKey(int id, std::size_t slotCount) {
    if (id < 1 || static_cast<std::size_t>(id) > slotCount) return std::nullopt;
    return static_cast<std::size_t>(id - 1);
}

std::vector<Shortcut> RegisterShortcuts(ShortcutTable& table, std::span<const ShortcutSlot> slots,
                                        HotKeyRegistry& registry) {
    std::vector<Shortcut> taken;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const Shortcut s = table.Get(slots[i].key);
        if (!s.Assigned() || registry.Register(HotKeyId(i), s)) continue;
        taken.push_back(s);
        table.Assign(slots[i].key, {});
    }
    return taken;
}

void UnregisterShortcuts(const ShortcutTable& table, std::span<const ShortcutSlot> slots,
                         HotKeyRegistry& registry) {
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (table.Get(slots[i].key).Assigned()) registry.Unregister(HotKeyId(i));
}

std::string TakenMessage(const std::vector<Shortcut>& taken) {
    std::string text;
    for (const Shortcut& s : taken) {
        if (!text.empty()) text += "\r\n";
        text += FormatShortcut(s) + " is taken by another program.";
    }
    return text;
}

}  // namespace tavrill
