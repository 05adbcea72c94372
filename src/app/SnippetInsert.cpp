#include "app/SnippetInsert.h"

#include <algorithm>

#include "app/StashBrowser.h"
#include "stash/StashFolder.h"
#include "text/LineList.h"

namespace tavrill {

TemplateNeeds NeedsOf(std::string_view code) {
    TemplateNeeds needs;
    for (const auto& [offset, length] : PlaceholderSpans(code)) {
        const std::string_view p = code.substr(offset, length);
        needs.clock = needs.clock || p == "%DATE%" || p == "%TIME%" || p == "%YEAR%";
        needs.user = needs.user || p == "%USER%";
        needs.guid = needs.guid || p == "%GUID%";
        needs.file = needs.file || p == "%FILE%" || p == "%UNIT%";
    }
    return needs;
}

bool InsertSnippet(Bridge& bridge, TemplateUi& ui, std::string_view code) {
    if (!HasPlaceholders(code)) return bridge.Deliver(code);

    // Asked before anything touches the editor or the clipboard, so Cancel leaves both as they were.
    std::vector<std::string> typed;
    if (const std::vector<TemplateInput> inputs = TemplateInputs(code); !inputs.empty()) {
        std::optional<std::vector<std::string>> answers = ui.AskTemplateInputs(inputs);
        if (!answers) return false;
        typed = std::move(*answers);
    }
    std::string selection;
    if (UsesSelection(code)) {
        std::optional<std::string> fetched = bridge.FetchSelection();
        if (!fetched) return false;
        selection = std::move(*fetched);
    }
    const TemplateNeeds needs = NeedsOf(code);
    TemplateValues values = ui.SystemValues(needs);
    values.selection = std::move(selection);
    values.inputs = std::move(typed);
    if (needs.file) {
        values.file = FileNameFromTitle(bridge.Host().WindowTitle(bridge.Target()));
        values.unit = UnitName(values.file);
    }

    const Expanded expanded = ExpandTemplate(code, values);
    if (!bridge.Deliver(expanded.text)) return false;
    if (expanded.caret) bridge.MoveCaretLeft(LeftPressesToCaret(expanded.text, *expanded.caret));
    return true;
}

std::optional<std::string> SnippetOfKey(std::string_view key) {
    if (!key.starts_with(kSnippetKeyPrefix)) return std::nullopt;
    return std::string(key.substr(kSnippetKeyPrefix.size()));
}

std::vector<ShortcutSlot> ShortcutSlotsWith(const std::vector<StashItem>& snippets) {
    std::vector<ShortcutSlot> slots = CommandShortcutSlots();
    for (const StashItem& item : snippets) {
        if (item.name.find('=') != std::string::npos) continue;
        slots.push_back({std::string(kSnippetKeyPrefix) + item.name, "Snippet: " + item.name, {}});
    }
    return slots;
}

std::vector<ShortcutSlot> AllShortcutSlots(const std::string& stashFolder) {
    return ShortcutSlotsWith(ListStash(stashFolder));
}

ShortcutTable KeepSlots(const ShortcutTable& table, std::span<const ShortcutSlot> slots) {
    ShortcutTable kept;
    for (const ShortcutSlot& slot : slots) kept.Assign(slot.key, table.Get(slot.key));
    return kept;
}

void RunSnippet(CommandContext& c, std::string_view name) {
    CommandScope scope(c.bridge);
    if (!c.bridge.FindEditor()) return;
    InsertSnippet(c.bridge, c.ui.Templates(), SnippetToInsert(c.folders.stash, name));
}

}  // namespace tavrill
