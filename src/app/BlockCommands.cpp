#include "app/BlockCommands.h"

#include "base/Numbers.h"
#include "text/LineList.h"

namespace tavrill {
namespace {

constexpr bool kRead = true;
constexpr bool kCopyOnly = false;

int ReadBlockSpin(const std::string& spinText) {
    return ReadSpinValue(spinText, kBlockSpinMinimum, kBlockSpinMaximum);
}

// Read afresh on every use: the user may edit the templates while the program runs.
std::string LoadTemplate(const std::string& programFolder, const char* fileName) {
    LineList lines;
    lines.LoadFile(programFolder + fileName);
    return lines.GetText();
}

template <class Dialog, class MakeHeadTail>
void LoopCommand(Bridge& bridge, Dialog& dialog, MakeHeadTail headTail) {
    bridge.FetchText(kRead);
    // The selection is pasted back as it was on Cancel, and kept as the working text on OK.
    const std::string w = bridge.WorkingText();
    const auto values = dialog.Run();
    if (!values) {
        bridge.DeliverText(w);
        return;
    }
    bridge.DeliverText(LoopBlock(headTail(*values), values->surround, ReadBlockSpin(values->spinText), w));
}

}  // namespace

void BeginEndCommand(Bridge& bridge) {
    bridge.FetchText(kCopyOnly);
    bridge.WorkingText() = BeginEndBlock();
    bridge.DeliverText(bridge.WorkingText());
}

void IfThenCommand(Bridge& bridge, IfDialog& dialog) {
    bridge.FetchText(kRead);
    const std::optional<IfValues> v = dialog.Run();
    if (!v) return;
    const IfThenOptions options{v->condition, ReadBlockSpin(v->spinText), v->withElse, v->surround};
    bridge.WorkingText() = IfThenBlock(options, bridge.WorkingText());
    bridge.DeliverText(bridge.WorkingText());
}

void ForNextCommand(Bridge& bridge, ForNextDialog& dialog) {
    LoopCommand(bridge, dialog,
                [](const ForNextValues& v) { return ForHeadTail(v.var, v.from, v.to, v.downto); });
}

void WhileCommand(Bridge& bridge, WhileDialog& dialog) {
    LoopCommand(bridge, dialog, [](const WhileValues& v) { return WhileHeadTail(v.kind, v.condition); });
}

void CaseOfCommand(Bridge& bridge, CaseDialog& dialog) {
    bridge.FetchText(kRead);
    const std::optional<CaseValues> v = dialog.Run();
    if (!v) return;
    const CaseOptions options{v->selector, CaseLabels(v->labelsText), v->withBegin, v->withElse,
                              ReadBlockSpin(v->spinText)};
    bridge.DeliverText(CaseBlock(options));
}

void ProcCommand(Bridge& bridge, ProcDialog& dialog, const std::string& programFolder) {
    bridge.FetchText(kCopyOnly);
    const std::optional<ProcValues> v = dialog.Run();
    if (!v) return;
    const std::string comment = v->useComment ? LoadTemplate(programFolder, kProcHeadFile) : std::string();
    const ProcOptions options{v->kind, v->name, v->params, v->resultType, v->varBlock};
    bridge.DeliverText(ProcSkeleton(options, comment));
}

void UnitHeadCommand(Bridge& bridge, const std::string& programFolder) {
    bridge.FetchText(kCopyOnly);
    bridge.DeliverText(LoadTemplate(programFolder, kUnitHeadFile));
}

void ProcHeadCommand(Bridge& bridge, const std::string& programFolder) {
    bridge.FetchText(kCopyOnly);
    bridge.DeliverText(LoadTemplate(programFolder, kProcHeadFile));
}

void FnCallCommand(Bridge& bridge, FnCallDialog& dialog) {
    bridge.FetchText(kRead);
    if (const std::optional<std::string> f = dialog.Run()) {
        bridge.WorkingText() = WrapCall(*f, bridge.WorkingText());
    }
    bridge.DeliverText(bridge.WorkingText());
}

}  // namespace tavrill
