#include "app/Shortcuts.h"

#include "base/Error.h"

namespace tavrill {
namespace {

constexpr unsigned kCtrlAltShift = kModCtrl | kModAlt | kModShift;
constexpr unsigned kF1 = 0x70;
constexpr unsigned kF24 = 0x87;
constexpr unsigned kNum0 = 0x60;

// The defaults: Ctrl+Alt+Shift and a letter. Ctrl+Alt alone is AltGr, which types
// characters on many European layouts, and the IDE's own commands use Ctrl+Shift
// and Ctrl+Alt with letters, but none of them uses all three.
constexpr Shortcut CtrlAltShift(char letter) {
    return {kCtrlAltShift, static_cast<unsigned>(letter)};
}

constexpr std::array<CommandInfo, kCommandCount> kCommands = {{
    {Command::Undo, "Undo", "Undo", {}},
    {Command::LockToWindow, "LockToWindow", "Lock to Window", {}},
    {Command::BeginEnd, "BeginEnd", "begin...end", CtrlAltShift('B')},
    {Command::CaseOf, "CaseOf", "case ... of", {}},
    {Command::IfThen, "IfThen", "if...then", {}},
    {Command::ForNext, "ForNext", "for...next", {}},
    {Command::While, "While", "while / repeat / with", {}},
    {Command::Procedure, "Procedure", "procedure / function", {}},
    {Command::FunctionCall, "FunctionCall", "function call (...)", {}},
    {Command::UnitComment, "UnitComment", "insert UNIT comment", {}},
    {Command::ProcComment, "ProcComment", "insert PROC comment", {}},
    {Command::TryFinally, "TryFinally", "try...finally", {}},
    {Command::TryExcept, "TryExcept", "try...except", {}},
    {Command::IfDef, "IfDef", "conditional {$IFDEF}", {}},
    {Command::Region, "Region", "{$REGION}", {}},
    {Command::CaseUpper, "CaseUpper", "UPPER CASE", CtrlAltShift('U')},
    {Command::CaseLower, "CaseLower", "lower case", CtrlAltShift('L')},
    {Command::CaseTitle, "CaseTitle", "Title Case", CtrlAltShift('T')},
    {Command::CaseFlip, "CaseFlip", "Flip Case", CtrlAltShift('F')},
    {Command::CaseSentence, "CaseSentence", "Sentence case", {}},
    {Command::Indent, "Indent", "Indent / unindent", CtrlAltShift('I')},
    {Command::CommentSlash, "CommentSlash", "Comment out: use //", CtrlAltShift('C')},
    {Command::CommentBrace, "CommentBrace", "Comment out: use {...}", {}},
    {Command::CommentParen, "CommentParen", "Comment out: use (*...*)", {}},
    {Command::Uncomment, "Uncomment", "Uncomment", CtrlAltShift('N')},
    {Command::ToggleComment, "ToggleComment", "Toggle comment", {}},
    {Command::SortLines, "SortLines", "Sort lines", {}},
    {Command::SortLinesDescending, "SortLinesDescending", "Sort lines descending", {}},
    {Command::AlignAssignments, "AlignAssignments", "Align on :=", {}},
    {Command::ReverseAssignments, "ReverseAssignments", "Reverse assignment", {}},
    {Command::QuoteString, "QuoteString", "Quote as string", {}},
    {Command::UnquoteString, "UnquoteString", "Unquote string", {}},
    {Command::StashSave, "StashSave", "Stash clip for later use", CtrlAltShift('S')},
    {Command::StashBrowse, "StashBrowse", "Retrieve code from stash", {}},
}};

constexpr bool TableIsInEnumOrder() {
    for (std::size_t i = 0; i < kCommands.size(); ++i)
        if (static_cast<std::size_t>(kCommands[i].command) != i) return false;
    return true;
}
static_assert(TableIsInEnumOrder(), "kCommands is indexed by Command");

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

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
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
    if (name.size() == 1) {
        const char c = AsciiUpper(name[0]);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<unsigned>(c);
        return std::nullopt;
    }
    for (const NamedKey& k : kNamedKeys)
        if (EqualsNoCase(name, k.name)) return k.key;
    if (AsciiUpper(name[0]) == 'F')
        if (const auto n = SmallNumber(name.substr(1)); n && *n >= 1 && *n <= 24) return kF1 + *n - 1;
    if (name.size() == 4 && EqualsNoCase(name.substr(0, 3), "Num") && name[3] >= '0' && name[3] <= '9')
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
    if (EqualsNoCase(name, "Control")) return kModCtrl;
    for (const NamedModifier& m : kModifiers)
        if (EqualsNoCase(name, m.name)) return m.bit;
    return std::nullopt;
}

}  // namespace

std::optional<Shortcut> ParseShortcut(std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || EqualsNoCase(text, "None")) return Shortcut{};
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

std::span<const CommandInfo, kCommandCount> Commands() {
    return kCommands;
}

ShortcutTable::ShortcutTable() {
    for (const CommandInfo& info : kCommands)
        shortcuts_[static_cast<std::size_t>(info.command)] = info.defaultShortcut;
}

std::optional<Command> ShortcutTable::Holder(Shortcut s) const {
    if (!s.Assigned()) return std::nullopt;
    for (std::size_t i = 0; i < shortcuts_.size(); ++i)
        if (shortcuts_[i] == s) return static_cast<Command>(i);
    return std::nullopt;
}

std::optional<Command> ShortcutTable::Assign(Command c, Shortcut s) {
    std::optional<Command> loser = Holder(s);
    if (loser == c) loser.reset();
    if (loser) shortcuts_[static_cast<std::size_t>(*loser)] = {};
    shortcuts_[static_cast<std::size_t>(c)] = s;
    return loser;
}

ShortcutTable LoadShortcuts(ProfileStore& profile) {
    // Two passes: first every line the user wrote, in menu order, so that the
    // first of two equal lines keeps its shortcut; then the defaults of the
    // commands without a valid line, where the shortcut is still free.
    std::array<bool, kCommandCount> written{};
    ShortcutTable table;
    for (const CommandInfo& info : kCommands) table.Assign(info.command, {});
    for (const CommandInfo& info : kCommands) {
        const auto value = profile.Read("Shortcuts", info.key);
        const auto s = value ? ParseShortcut(*value) : std::nullopt;
        if (!s) continue;
        written[static_cast<std::size_t>(info.command)] = true;
        if (!table.Holder(*s)) table.Assign(info.command, *s);
    }
    for (const CommandInfo& info : kCommands)
        if (!written[static_cast<std::size_t>(info.command)] && !table.Holder(info.defaultShortcut))
            table.Assign(info.command, info.defaultShortcut);
    return table;
}

void SaveShortcuts(ProfileStore& profile, const ShortcutTable& table, std::string_view path) {
    for (const CommandInfo& info : kCommands)
        if (!profile.Write("Shortcuts", info.key, FormatShortcut(table.Get(info.command))))
            throw UnableToWrite(path);
}

int HotKeyId(Command c) {
    return static_cast<int>(c) + 1;
}

std::optional<Command> CommandOfHotKey(int id) {
    if (id < 1 || id > static_cast<int>(kCommandCount)) return std::nullopt;
    return static_cast<Command>(id - 1);
}

std::vector<Shortcut> RegisterShortcuts(ShortcutTable& table, HotKeyRegistry& registry) {
    std::vector<Shortcut> taken;
    for (const CommandInfo& info : kCommands) {
        const Shortcut s = table.Get(info.command);
        if (!s.Assigned() || registry.Register(HotKeyId(info.command), s)) continue;
        taken.push_back(s);
        table.Assign(info.command, {});
    }
    return taken;
}

void UnregisterShortcuts(const ShortcutTable& table, HotKeyRegistry& registry) {
    for (const CommandInfo& info : kCommands)
        if (table.Get(info.command).Assigned()) registry.Unregister(HotKeyId(info.command));
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
