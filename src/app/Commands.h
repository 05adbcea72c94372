#pragma once
// The one table of the tool bar's commands. Each row is a command: where it sits
// in the menus, its caption with its access key, its [Shortcuts] key and default
// shortcut, and the function that runs it. The menus, the shortcut table and its
// dialog, the dispatch and the help page's check are all made from it.
//
// Every command works the same way: the selection (or only the editor, for the
// commands that insert) is fetched as a value, the command turns it and its
// dialog's values into a text, and that text is delivered. Nothing is kept from
// one command to the next; a failed fetch, an error or a Cancel delivers nothing.
//
// Adding a command: one row in Commands.cpp, its function in the file of its
// menu (FormatMenu.cpp, BlocksMenu.cpp, StashMenu.cpp, GeneralMenu.cpp), and
// one row in the table of tests/unit/app/CommandsTest.cpp.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandUi.h"
#include "app/Folders.h"
#include "app/Settings.h"
#include "app/Shortcuts.h"
#include "bridge/Bridge.h"

namespace tavrill {

// The pop-up menus behind the tool bar's buttons, and the two stash buttons.
enum class Menu { General, Blocks, Format, Help, Stash };

// Everything a command may use.
struct CommandContext {
    Bridge& bridge;
    CommandUi& ui;
    Settings& settings;
    SettingsStore& store;
    const Folders& folders;
};

using CommandFunction = void (*)(CommandContext&);
using CheckFunction = bool (*)(const CommandContext&);

struct CommandRow {
    Menu menu;
    std::string_view submenu;  // the caption of the submenu the item sits in; empty in the menu itself
    std::string_view caption;  // with its access key; for the stash buttons, the button's hint
    std::string_view key;      // the [Shortcuts] key; empty for a command without a shortcut
    Shortcut defaultShortcut;
    bool separatorBefore;
    CommandFunction run;
    CheckFunction checked = nullptr;  // the menu item's check mark, for the switches
    bool usesEditor = true;           // runs inside a CommandScope (Keep my clipboard)
};

// Every command in menu order: the general menu, blocks, format, help, then the stash buttons.
std::span<const CommandRow> Commands();

// The name the shortcuts dialog and the palette show: the caption without its
// access key, after its submenu's name where the caption alone does not say it
// ("Comment out: use //").
std::string CommandName(const CommandRow& row);

// The row with this [Shortcuts] key.
std::optional<std::size_t> FindCommand(std::string_view key);

// The commands that can have a shortcut, in menu order.
std::vector<ShortcutSlot> CommandShortcutSlots();

// Runs the row's function; an editor command runs inside a CommandScope.
void RunCommand(const CommandRow& row, CommandContext& context);

// What the menu rows become in a menu: an item, a separator, or a submenu.
// The Windows layer builds its menus from these.
struct MenuEntry {
    enum class Kind { Item, Separator, Submenu } kind;
    std::string_view caption;          // item or submenu
    std::size_t command = 0;           // item: its row in Commands()
    std::vector<MenuEntry> submenu{};  // submenu: its entries
};
std::vector<MenuEntry> MenuEntries(Menu menu);

}  // namespace tavrill
