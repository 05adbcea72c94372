// The blocks menu: code generators. Those around the selection wrap it, and
// wrap an empty body when nothing is selected; those that only insert find the
// editor and replace whatever is selected. A failed fetch, an error (a missing
// template file) or Cancel delivers nothing.

#include <optional>
#include <string>

#include "app/MenuCommands.h"
#include "base/Numbers.h"
#include "blocks/Blocks.h"
#include "blocks/GuardBlocks.h"
#include "text/LineList.h"

namespace tavrill {
namespace {

int ReadBlockSpin(const std::string& spinText) {
    return ReadSpinValue(spinText, kBlockSpinMinimum, kBlockSpinMaximum);
}

// Read afresh on every use: the user may edit the templates while the program runs.
// Throws CannotOpenFile when the file cannot be read.
std::string LoadTemplate(const CommandContext& c, const char* fileName) {
    LineList lines;
    lines.LoadFile(c.folders.program + fileName);
    return lines.GetText();
}

// The template files of the comment headers, in the program folder.
constexpr const char* kUnitHeadFile = "UnitHead.txt";
constexpr const char* kProcHeadFile = "ProcHead.txt";

// Fetches the selection, asks, and delivers the block made of both.
template <class Ask, class Make>
void AroundSelection(CommandContext& c, Ask ask, Make make) {
    const std::optional<std::string> selection = c.bridge.FetchSelection();
    if (!selection) return;
    const auto values = ask();
    if (values) c.bridge.Deliver(make(*values, *selection));
}

// Finds the editor, asks, and delivers the text made of the answer.
template <class Ask, class Make>
void Insert(CommandContext& c, Ask ask, Make make) {
    if (!c.bridge.FindEditor()) return;
    const auto values = ask();
    if (values) c.bridge.Deliver(make(*values));
}

constexpr auto kNoDialog = [] { return std::optional<bool>(true); };

}  // namespace

void RunBeginEnd(CommandContext& c) {
    Insert(c, kNoDialog, [](bool) { return BeginEndBlock(); });
}

void RunCaseOf(CommandContext& c) {
    Insert(
        c, [&] { return c.ui.AskCaseOf(); },
        [](const CaseValues& v) {
            return CaseBlock(
                {v.selector, CaseLabels(v.labelsText), v.withBegin, v.withElse, ReadBlockSpin(v.spinText)});
        });
}

void RunIfThen(CommandContext& c) {
    AroundSelection(
        c, [&] { return c.ui.AskIfThen(); },
        [](const IfValues& v, const std::string& w) {
            return IfThenBlock({v.condition, ReadBlockSpin(v.spinText), v.withElse, v.surround}, w);
        });
}

void RunForNext(CommandContext& c) {
    AroundSelection(
        c, [&] { return c.ui.AskForNext(); },
        [](const ForNextValues& v, const std::string& w) {
            return LoopBlock(ForHeadTail(v.var, v.from, v.to, v.downto), v.surround,
                             ReadBlockSpin(v.spinText), w);
        });
}

void RunWhile(CommandContext& c) {
    AroundSelection(
        c, [&] { return c.ui.AskWhile(); },
        [](const WhileValues& v, const std::string& w) {
            return LoopBlock(WhileHeadTail(v.kind, v.condition), v.surround, ReadBlockSpin(v.spinText), w);
        });
}

// The procedure comment is read afresh from the program folder when asked for.
void RunProcedure(CommandContext& c) {
    Insert(
        c, [&] { return c.ui.AskProcedure(); },
        [&](const ProcValues& v) {
            const std::string comment = v.useComment ? LoadTemplate(c, kProcHeadFile) : std::string();
            return ProcSkeleton({v.kind, v.name, v.params, v.resultType, v.varBlock}, comment);
        });
}

void RunFunctionCall(CommandContext& c) {
    AroundSelection(
        c, [&] { return c.ui.AskFunctionCall(); },
        [](const std::string& f, const std::string& w) { return WrapCall(f, w); });
}

// The template file with CR LF line breaks, adding nothing.
void RunUnitComment(CommandContext& c) {
    Insert(c, kNoDialog, [&](bool) { return LoadTemplate(c, kUnitHeadFile); });
}
void RunProcComment(CommandContext& c) {
    Insert(c, kNoDialog, [&](bool) { return LoadTemplate(c, kProcHeadFile); });
}

void RunTryFinally(CommandContext& c) {
    AroundSelection(c, kNoDialog, [](bool, const std::string& w) { return TryFinallyBlock(w); });
}
void RunTryExcept(CommandContext& c) {
    AroundSelection(c, kNoDialog, [](bool, const std::string& w) { return TryExceptBlock(w); });
}

void RunIfDef(CommandContext& c) {
    AroundSelection(
        c, [&] { return c.ui.AskDefineName(); },
        [](const std::string& name, const std::string& w) { return IfDefBlock(name, w); });
}
void RunRegion(CommandContext& c) {
    AroundSelection(
        c, [&] { return c.ui.AskRegionCaption(); },
        [](const std::string& caption, const std::string& w) { return RegionBlock(caption, w); });
}

// ['{...}'] in place of the selection, as the IDE's own key inserts an interface's GUID.
void RunInsertGuid(CommandContext& c) {
    Insert(c, kNoDialog, [&](bool) { return "['" + c.ui.NewGuid() + "']"; });
}

}  // namespace tavrill
