// The general menu (the tool bar's own switches and the lock) and the help menu.

#include <string>

#include "app/MenuCommands.h"
#include "app/SnippetInsert.h"

namespace tavrill {
namespace {

// The maker's web site; the two web pages of the help menu live on it.
constexpr std::string_view kWebHost = "https://www.pelmora-systems.example";

}  // namespace

void RunMinimize(CommandContext& c) {
    c.ui.Minimize();
}

void RunUndo(CommandContext& c) {
    c.bridge.Undo();
}

void RunStayOnTop(CommandContext& c) {
    c.ui.SetStayOnTop(!c.ui.StayOnTop());
}
bool IsStayOnTop(const CommandContext& c) {
    return c.ui.StayOnTop();
}

void RunLockToWindow(CommandContext& c) {
    c.bridge.LockToWindow();
}
bool IsLocked(const CommandContext& c) {
    return c.bridge.Locked();
}

// The switches are written when the user changes them, not at the end.
void RunAnyEditor(CommandContext& c) {
    c.settings.anyEditor = !c.settings.anyEditor;
    c.bridge.SetAnyEditor(c.settings.anyEditor);
    c.store.SaveAnyEditor(c.settings.anyEditor);
}
bool IsAnyEditor(const CommandContext& c) {
    return c.settings.anyEditor;
}

void RunKeepClipboard(CommandContext& c) {
    c.settings.keepClipboard = !c.settings.keepClipboard;
    c.bridge.SetKeepClipboard(c.settings.keepClipboard);
    c.store.SaveKeepClipboard(c.settings.keepClipboard);
}
bool IsKeepClipboard(const CommandContext& c) {
    return c.settings.keepClipboard;
}

void RunShortcuts(CommandContext& c) {
    c.ui.EditShortcuts();
}

// The chosen command runs as its menu item would, dialogs and all; a snippet
// replaces the selection as the stash browser's COPY does.
void RunFindCommand(CommandContext& c) {
    const std::optional<PaletteChoice> choice = c.ui.FindInPalette();
    if (!choice) return;
    if (choice->command) {
        if (*choice->command < Commands().size()) RunCommand(Commands()[*choice->command], c);
        return;
    }
    RunSnippet(c, choice->snippet);  // filled in, as from the browser
}

void RunExit(CommandContext& c) {
    c.ui.Exit();
}

void RunAbout(CommandContext& c) {
    c.ui.ShowAbout();
}

void RunHelp(CommandContext& c) {
    c.ui.ShowHelp();
}

void RunWebPelmora(CommandContext& c) {
    c.ui.OpenWebPage(std::string(kWebHost) + "/index.htm");
}

void RunWebTavrill(CommandContext& c) {
    c.ui.OpenWebPage(std::string(kWebHost) + "/support/tavrill.htm");
}

}  // namespace tavrill
