#pragma once
// A snippet on its way into the editor: its placeholders filled in from the user's answers, the
// editor's selection and the values only the window system knows, then delivered, and the caret
// put where the snippet marks it. Also the shortcuts that insert a snippet without the browser.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Commands.h"
#include "app/Shortcuts.h"
#include "bridge/Bridge.h"
#include "stash/SnippetTemplate.h"
#include "stash/StashFolder.h"

namespace tavrill {

// Which of the window system's values a snippet uses, so that only those are read (a GUID is
// made, the clock and the user name asked for, only when the snippet shows them).
struct TemplateNeeds {
    bool clock = false;  // %DATE%, %TIME%, %YEAR%
    bool user = false;
    bool guid = false;
    bool file = false;  // %FILE%, %UNIT%: from the target window's title
    friend bool operator==(const TemplateNeeds&, const TemplateNeeds&) = default;
};
TemplateNeeds NeedsOf(std::string_view code);

// What filling in a snippet asks of the windows.
class TemplateUi {
public:
    virtual ~TemplateUi() = default;
    // "Fill in the template": one box per input, starting with its initial value. What was typed,
    // one text per input in order, on OK; nothing on Cancel.
    virtual std::optional<std::vector<std::string>> AskTemplateInputs(
        const std::vector<TemplateInput>& inputs) = 0;
    // date, time, year, user and guid, as far as `needs` asks for them; the other fields empty.
    virtual TemplateValues SystemValues(TemplateNeeds needs) = 0;
};

// Puts the snippet's code in place of the editor's selection. A code without placeholders goes
// in byte for byte. Otherwise the inputs are asked first, so that Cancel leaves the editor and
// the clipboard untouched; the selection is fetched only when the code uses it. After the paste
// the caret is moved back to the %|% mark when the editor is in front to take the keys. False
// when nothing was delivered.
bool InsertSnippet(Bridge& bridge, TemplateUi& ui, std::string_view code);

// The [Shortcuts] key of a snippet is this and its name as the stash lists it.
inline constexpr std::string_view kSnippetKeyPrefix = "Snippet:";

// The snippet's name in a [Shortcuts] key; nothing for a command's key.
std::optional<std::string> SnippetOfKey(std::string_view key);

// Every slot that can hold a shortcut: the commands, then one per snippet in the stash's order.
// A snippet whose name holds "=" gets none, since the key could not be read back from the file.
std::vector<ShortcutSlot> ShortcutSlotsWith(const std::vector<StashItem>& snippets);
std::vector<ShortcutSlot> AllShortcutSlots(const std::string& stashFolder);

// The table with only these slots' shortcuts, so that a snippet gone from the stash neither holds
// a key nor is named as the holder of one.
ShortcutTable KeepSlots(const ShortcutTable& table, std::span<const ShortcutSlot> slots);

// A snippet's shortcut: the snippet, filled in, in place of the selection of the target editor.
// Throws CannotOpenFile when the snippet cannot be read.
void RunSnippet(CommandContext& c, std::string_view name);

}  // namespace tavrill
