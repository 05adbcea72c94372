#pragma once
// Global keyboard shortcuts: the commands that can have one, the text form kept
// in tavrill.ini ("Ctrl+Alt+Shift+U"), the table of which command holds which
// shortcut, and the rule that decides which shortcuts are registered.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Settings.h"

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

// Every command of the four menus that can have a shortcut, in menu order.
enum class Command {
    Undo,
    LockToWindow,
    BeginEnd,
    CaseOf,
    IfThen,
    ForNext,
    While,
    Procedure,
    FunctionCall,
    UnitComment,
    ProcComment,
    TryFinally,
    TryExcept,
    IfDef,
    Region,
    CaseUpper,
    CaseLower,
    CaseTitle,
    CaseFlip,
    CaseSentence,
    Indent,
    CommentSlash,
    CommentBrace,
    CommentParen,
    Uncomment,
    ToggleComment,
    SortLines,
    SortLinesDescending,
    AlignAssignments,
    ReverseAssignments,
    QuoteString,
    UnquoteString,
    StashSave,
    StashBrowse,
};
inline constexpr std::size_t kCommandCount = 34;

struct CommandInfo {
    Command command;
    std::string_view key;   // the key in section [Shortcuts] of tavrill.ini
    std::string_view name;  // what the shortcuts dialog lists
    Shortcut defaultShortcut;
};

// The table of commands, indexed by the Command's value.
std::span<const CommandInfo, kCommandCount> Commands();
inline const CommandInfo& InfoOf(Command c) {
    return Commands()[static_cast<std::size_t>(c)];
}

// Which command holds which shortcut. Two commands never share one.
class ShortcutTable {
public:
    ShortcutTable();  // the defaults

    Shortcut Get(Command c) const { return shortcuts_[static_cast<std::size_t>(c)]; }
    std::optional<Command> Holder(Shortcut s) const;

    // Gives `s` to `c`. A shortcut another command holds moves to `c`, as the
    // user asked for it last; that command is left without one and returned, so
    // the caller can say so. An unassigned `s` clears `c`.
    std::optional<Command> Assign(Command c, Shortcut s);

    friend bool operator==(const ShortcutTable&, const ShortcutTable&) = default;

private:
    std::array<Shortcut, kCommandCount> shortcuts_;
};

// Section [Shortcuts], one line per command (CaseUpper=Ctrl+Alt+Shift+U).
// A missing line keeps the default; "None" or an empty value clears it; a
// malformed value is ignored (the default stays). When two lines name the same
// shortcut, the first command in menu order keeps it; a line the user wrote
// always beats a default.
ShortcutTable LoadShortcuts(ProfileStore& profile);

// Writes every command's line, "None" included, so that a cleared default stays
// cleared. Throws Error "Unable to write to <path>" when a line cannot be written.
void SaveShortcuts(ProfileStore& profile, const ShortcutTable& table, std::string_view path);

// The system's hot keys, as seen from the core; on Windows RegisterHotKey.
class HotKeyRegistry {
public:
    virtual ~HotKeyRegistry() = default;
    // False when the shortcut cannot be had (another program holds it).
    virtual bool Register(int id, Shortcut s) = 0;
    virtual void Unregister(int id) = 0;
};

// The hot key id of a command, and back; ids run from 1 to kCommandCount.
int HotKeyId(Command c);
std::optional<Command> CommandOfHotKey(int id);

// Registers every assigned shortcut of the table. The ones that cannot be had
// are taken out of the table (they are then neither used nor stored) and returned.
std::vector<Shortcut> RegisterShortcuts(ShortcutTable& table, HotKeyRegistry& registry);
void UnregisterShortcuts(const ShortcutTable& table, HotKeyRegistry& registry);

// "Ctrl+Shift+U is taken by another program." for each, one per line (CR LF).
std::string TakenMessage(const std::vector<Shortcut>& taken);

}  // namespace tavrill
