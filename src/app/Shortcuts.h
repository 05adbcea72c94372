#pragma once
// Global keyboard shortcuts: the text form kept in tavrill.ini
// ("Ctrl+Alt+Shift+U"), the table of which command or snippet holds which
// shortcut, and the rule that decides which shortcuts are registered.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Profile.h"

namespace tavrill {

// Modifier bits, with the values the window system's hot keys use
// (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN), so the Windows layer passes them on as they are.
inline constexpr unsigned kModAlt = 1;
inline constexpr unsigned kModCtrl = 2;
inline constexpr unsigned kModShift = 4;
inline constexpr unsigned kModWin = 8;

// One key with its modifiers. `key` is a Windows virtual-key code: 'A'..'Z',
// '0'..'9', 0x70.. for F1..F24, and the named keys of ParseShortcut. A key of 0
// means "no shortcut".
struct Shortcut {
    unsigned modifiers = 0;
    unsigned key = 0;

    bool Assigned() const { return key != 0; }
    friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

// The text form. Modifiers Ctrl, Alt, Shift and Win, in any order, each at most
// once, then exactly one key, joined by "+"; case-insensitive, blanks around the
// parts allowed. Keys: a letter, a digit, F1..F24, Insert, Delete, Home, End,
// PageUp, PageDown, Up, Down, Left, Right, Space, Pause, Num0..Num9.
// "None" or an empty text gives the unassigned Shortcut{}. Anything else gives
// nothing, and so does a key without Ctrl, Alt or Win: such a shortcut would take
// an ordinary key (or Shift and a key) away from every program.
std::optional<Shortcut> ParseShortcut(std::string_view text);

// "Ctrl+Alt+Shift+Win+<key>" in that order with the key named as ParseShortcut
// reads it; "None" for an unassigned shortcut. ParseShortcut(FormatShortcut(s)) == s.
std::string FormatShortcut(Shortcut s);

// Whether the key code is one ParseShortcut knows (the shortcuts dialog refuses others).
bool IsShortcutKey(unsigned key);

// What can hold a shortcut: a command of the tool bar, or a stash snippet
// (key "Snippet:<name>"), in the order the shortcuts dialog lists them.
struct ShortcutSlot {
    std::string key;   // the key in section [Shortcuts] of tavrill.ini
    std::string name;  // what the shortcuts dialog lists
    Shortcut defaultShortcut;
};

// Which slot holds which shortcut, by key. Two slots never share one.
class ShortcutTable {
public:
    ShortcutTable() = default;
    // Every slot with its default.
    explicit ShortcutTable(std::span<const ShortcutSlot> slots);

    Shortcut Get(std::string_view key) const;
    std::optional<std::string> Holder(Shortcut s) const;

    // Gives `s` to `key`. A shortcut another slot holds moves to `key`, as the
    // user asked for it last; that slot is left without one and its key
    // returned, so the caller can say so. An unassigned `s` clears `key`.
    std::optional<std::string> Assign(std::string_view key, Shortcut s);

    friend bool operator==(const ShortcutTable&, const ShortcutTable&) = default;

private:
    std::map<std::string, Shortcut, std::less<>> shortcuts_;
};

// Section [Shortcuts], one line per slot (CaseUpper=Ctrl+Alt+Shift+U). A missing
// line keeps the default; "None" or an empty value clears it; a malformed value
// is ignored (the default stays). When two lines name the same shortcut, the
// first slot in order keeps it; a line the user wrote always beats a default.
ShortcutTable LoadShortcuts(ProfileStore& profile, std::span<const ShortcutSlot> slots);

// Writes every slot's line, "None" included, so that a cleared default stays
// cleared. Throws Error "Unable to write to <path>" when a line cannot be written.
void SaveShortcuts(ProfileStore& profile, const ShortcutTable& table, std::span<const ShortcutSlot> slots,
                   std::string_view path);

// The system's hot keys, as seen from the core; on Windows RegisterHotKey.
class HotKeyRegistry {
public:
    virtual ~HotKeyRegistry() = default;
    // False when the shortcut cannot be had (another program holds it).
    virtual bool Register(int id, Shortcut s) = 0;
    virtual void Unregister(int id) = 0;
};

// The hot key id of the slot at `index`, and back; ids run from 1 to the number of slots.
int HotKeyId(std::size_t index);
std::optional<std::size_t> SlotOfHotKey(int id, std::size_t slotCount);

// Registers every assigned shortcut of the table. The ones that cannot be had
// are taken out of the table (they are then neither used nor stored) and returned.
std::vector<Shortcut> RegisterShortcuts(ShortcutTable& table, std::span<const ShortcutSlot> slots,
                                        HotKeyRegistry& registry);
void UnregisterShortcuts(const ShortcutTable& table, std::span<const ShortcutSlot> slots,
                         HotKeyRegistry& registry);

// "Ctrl+Shift+U is taken by another program." for each, one per line (CR LF).
std::string TakenMessage(const std::vector<Shortcut>& taken);

}  // namespace tavrill
