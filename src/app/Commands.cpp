#include "app/Commands.h"

#include <array>

#include "app/MenuCommands.h"

namespace tavrill {
namespace {

// The defaults: Ctrl+Alt+Shift and a letter. Ctrl+Alt alone is AltGr, which types
// characters on many European layouts, and the IDE's own commands use Ctrl+Shift
// and Ctrl+Alt with letters, but none of them uses all three.
constexpr Shortcut CtrlAltShift(char letter) {
    return {kModCtrl | kModAlt | kModShift, static_cast<unsigned>(letter)};
}

// The palette's: Space, like the editors' own completion and search keys, with all three.
constexpr Shortcut kCtrlAltShiftSpace{kModCtrl | kModAlt | kModShift, 0x20};
constexpr bool kSeparator = true;
constexpr std::string_view kCaseMenu = "&Case";
constexpr std::string_view kCommentMenu = "&Comment out";

using enum Menu;

// clang-format off
const CommandRow kCommands[] = {
    // menu     submenu       caption                        [Shortcuts] key        default            separator   function                 check mark        editor
    {General,  {},           "Mi&nimize",                    {},                    {},                 false,      RunMinimize,             nullptr,          false},
    {General,  {},           "&Undo",                        "Undo",                {},                 false,      RunUndo},
    {General,  {},           "&Stay on Top",                 {},                    {},                 false,      RunStayOnTop,            IsStayOnTop,      false},
    {General,  {},           "Lock to &Window",              "LockToWindow",        {},                 false,      RunLockToWindow,         IsLocked},
    {General,  {},           "&Any editor",                  {},                    {},                 false,      RunAnyEditor,            IsAnyEditor,      false},
    {General,  {},           "Keep my c&lipboard",           {},                    {},                 false,      RunKeepClipboard,        IsKeepClipboard,  false},
    {General,  {},           "&Find a command...",           "FindCommand",         kCtrlAltShiftSpace, false,      RunFindCommand,          nullptr,          false},
    {General,  {},           "&Keyboard shortcuts...",       {},                    {},                 false,      RunShortcuts,            nullptr,          false},
    {General,  {},           "E&xit",                        {},                    {},                 kSeparator, RunExit,                 nullptr,          false},

    {Blocks,   {},           "&begin...end",                 "BeginEnd",            CtrlAltShift('B'),  false,      RunBeginEnd},
    {Blocks,   {},           "case ... of",                  "CaseOf",              {},                 false,      RunCaseOf},
    {Blocks,   {},           "&if...then",                   "IfThen",              {},                 false,      RunIfThen},
    {Blocks,   {},           "&for...next",                  "ForNext",             {},                 false,      RunForNext},
    {Blocks,   {},           "&while / repeat / with",       "While",               {},                 false,      RunWhile},
    {Blocks,   {},           "pr&ocedure / function",        "Procedure",           {},                 false,      RunProcedure},
    {Blocks,   {},           "f&unction call (...)",         "FunctionCall",        {},                 false,      RunFunctionCall},
    {Blocks,   {},           "insert &UNIT comment",         "UnitComment",         {},                 kSeparator, RunUnitComment},
    {Blocks,   {},           "insert &PROC comment",         "ProcComment",         {},                 false,      RunProcComment},
    {Blocks,   {},           "&try...finally",               "TryFinally",          {},                 kSeparator, RunTryFinally},
    {Blocks,   {},           "try...e&xcept",                "TryExcept",           {},                 false,      RunTryExcept},
    {Blocks,   {},           "con&ditional {$IFDEF}",        "IfDef",               {},                 false,      RunIfDef},
    {Blocks,   {},           "{$&REGION}",                   "Region",              {},                 false,      RunRegion},
    {Blocks,   {},           "Insert &GUID",                 "InsertGuid",          {},                 false,      RunInsertGuid},

    {Format,   kCaseMenu,    "&UPPER CASE",                  "CaseUpper",           CtrlAltShift('U'),  false,      RunCaseUpper},
    {Format,   kCaseMenu,    "&lower case",                  "CaseLower",           CtrlAltShift('L'),  false,      RunCaseLower},
    {Format,   kCaseMenu,    "&Title Case",                  "CaseTitle",           CtrlAltShift('T'),  false,      RunCaseTitle},
    {Format,   kCaseMenu,    "&Flip Case",                   "CaseFlip",            CtrlAltShift('F'),  false,      RunCaseFlip},
    {Format,   kCaseMenu,    "&Sentence case",               "CaseSentence",        {},                 kSeparator, RunCaseSentence},
    {Format,   {},           "&Indent / unindent",           "Indent",              CtrlAltShift('I'),  false,      RunIndent},
    {Format,   kCommentMenu, "&use //",                      "CommentSlash",        CtrlAltShift('C'),  false,      RunCommentSlash},
    {Format,   kCommentMenu, "u&se {...}",                   "CommentBrace",        {},                 false,      RunCommentBrace},
    {Format,   kCommentMenu, "us&e  (*...*)",                "CommentParen",        {},                 false,      RunCommentParen},
    {Format,   {},           "U&ncomment",                   "Uncomment",           CtrlAltShift('N'),  false,      RunUncomment},
    {Format,   {},           "&Toggle comment",              "ToggleComment",       {},                 kSeparator, RunToggleComment},
    {Format,   {},           "Sort &lines",                  "SortLines",           {},                 false,      RunSortLines},
    {Format,   {},           "Sort lines &descending",       "SortLinesDescending", {},                 false,      RunSortLinesDescending},
    {Format,   {},           "&Align on :=",                 "AlignAssignments",    {},                 false,      RunAlignAssignments},
    {Format,   {},           "&Reverse assignment",          "ReverseAssignments",  {},                 false,      RunReverseAssignments},
    {Format,   {},           "&Quote as string",             "QuoteString",         {},                 false,      RunQuoteString},
    {Format,   {},           "&Unquote string",              "UnquoteString",       {},                 false,      RunUnquoteString},
    {Format,   {},           "&Format selection",            "FormatSelection",     CtrlAltShift('D'),  kSeparator, RunFormatSelection},
    {Format,   {},           "Trim trailing &blanks",        "TrimTrailingBlanks",  {},                 kSeparator, RunTrimTrailingBlanks},
    {Format,   {},           "Ta&bs to blanks",              "TabsToBlanks",        {},                 false,      RunTabsToBlanks},
    {Format,   {},           "Delete blank lines",           "DeleteBlankLines",    {},                 false,      RunDeleteBlankLines},
    {Format,   {},           "Compact blank lines",          "CompactBlankLines",   {},                 false,      RunCompactBlankLines},
    {Format,   {},           "&Join lines",                  "JoinLines",           {},                 false,      RunJoinLines},
    {Format,   {},           "Align on...",                  "AlignOn",             {},                 false,      RunAlignOn},
    {Format,   {},           "&Quote as multi-line string",  "QuoteMultiline",      {},                 false,      RunQuoteMultiline},

    {Help,     {},           "&About",                       {},                    {},                 false,      RunAbout,                nullptr,          false},
    {Help,     {},           "&Help",                        {},                    {},                 false,      RunHelp,                 nullptr,          false},
    {Help,     {},           "Goto Pelmora Systems on the web", {},                 {},                 false,      RunWebPelmora,           nullptr,          false},
    {Help,     {},           "Goto Tavrill on the web",      {},                    {},                 false,      RunWebTavrill,           nullptr,          false},

    {Stash,    {},           "Stash clip for later use",     "StashSave",           CtrlAltShift('S'),  false,      RunStashSave},
    {Stash,    {},           "Retrieve code from stash",     "StashBrowse",         {},                 false,      RunStashBrowse},
};
// clang-format on

std::string WithoutAccessKey(std::string_view caption) {
    std::string name;
    for (const char ch : caption) {
        if (ch == '&') continue;
        if (ch == ' ' && !name.empty() && name.back() == ' ') continue;
        name += ch;
    }
    return name;
}

}  // namespace

std::span<const CommandRow> Commands() {
    return kCommands;
}

std::string CommandName(const CommandRow& row) {
    // The case submenu's items name themselves; the comment submenu's need its name.
    const std::string caption = WithoutAccessKey(row.caption);
    return row.submenu == kCommentMenu ? WithoutAccessKey(row.submenu) + ": " + caption : caption;
}

std::optional<std::size_t> FindCommand(std::string_view key) {
    for (std::size_t i = 0; i < std::size(kCommands); ++i)
        if (!key.empty() && kCommands[i].key == key) return i;
    return std::nullopt;
}

std::vector<ShortcutSlot> CommandShortcutSlots() {
    std::vector<ShortcutSlot> slots;
    for (const CommandRow& row : kCommands)
        if (!row.key.empty()) slots.push_back({std::string(row.key), CommandName(row), row.defaultShortcut});
    return slots;
}

void RunCommand(const CommandRow& row, CommandContext& context) {
    if (!row.usesEditor) return row.run(context);
    CommandScope scope(context.bridge);  // Keep my clipboard puts the user's clipboard back at its end
    row.run(context);
}

std::vector<MenuEntry> MenuEntries(Menu menu) {
    std::vector<MenuEntry> entries;
    for (std::size_t i = 0; i < std::size(kCommands); ++i) {
        const CommandRow& row = kCommands[i];
        if (row.menu != menu) continue;
        std::vector<MenuEntry>* into = &entries;
        if (!row.submenu.empty()) {
            if (entries.empty() || entries.back().kind != MenuEntry::Kind::Submenu ||
                entries.back().caption != row.submenu)
                entries.push_back({MenuEntry::Kind::Submenu, row.submenu});
            into = &entries.back().submenu;
        }
        if (row.separatorBefore && !into->empty()) into->push_back({MenuEntry::Kind::Separator, {}});
        into->push_back({MenuEntry::Kind::Item, row.caption, i});
    }
    return entries;
}

}  // namespace tavrill
