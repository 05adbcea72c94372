#include "app/RewriteCommands.h"

#include "blocks/GuardBlocks.h"
#include "text/Assignments.h"
#include "text/Case.h"
#include "text/Quote.h"
#include "text/SortLines.h"
#include "text/ToggleComment.h"

namespace tavrill {

namespace {

const std::string& FreshFetch(Bridge& bridge) {
    bridge.WorkingText().clear();
    bridge.FetchText(true);
    return bridge.WorkingText();
}

std::optional<std::string> Rewritten(FormatRewrite rewrite, const std::string& w) {
    switch (rewrite) {
        case FormatRewrite::SentenceCase:
            return SentenceCaseAscii(w);
        case FormatRewrite::ToggleComment:
            return ToggleComment(w);
        case FormatRewrite::SortLines:
            return SortLines(w, false);
        case FormatRewrite::SortLinesDescending:
            return SortLines(w, true);
        case FormatRewrite::AlignAssignments:
            return AlignAssignments(w);
        case FormatRewrite::ReverseAssignments:
            return ReverseAssignments(w);
        case FormatRewrite::QuoteString:
            return QuoteString(w);
        case FormatRewrite::UnquoteString:
            return UnquoteString(w);
    }
    return std::nullopt;
}

void Deliver(Bridge& bridge, std::string result) {
    bridge.WorkingText() = std::move(result);
    bridge.DeliverText(bridge.WorkingText());
}

}  // namespace

void FormatRewriteCommand(Bridge& bridge, FormatRewrite rewrite) {
    const std::string& w = FreshFetch(bridge);
    if (w.empty()) return;
    if (std::optional<std::string> result = Rewritten(rewrite, w)) Deliver(bridge, std::move(*result));
}

void TryBlockCommand(Bridge& bridge, bool except) {
    const std::string& w = FreshFetch(bridge);
    Deliver(bridge, except ? TryExceptBlock(w) : TryFinallyBlock(w));
}

void IfDefCommand(Bridge& bridge, BlockNameDialog& dialog) {
    const std::string& w = FreshFetch(bridge);
    if (const std::optional<std::string> name = dialog.Run()) Deliver(bridge, IfDefBlock(*name, w));
}

void RegionCommand(Bridge& bridge, BlockNameDialog& dialog) {
    const std::string& w = FreshFetch(bridge);
    if (const std::optional<std::string> caption = dialog.Run()) Deliver(bridge, RegionBlock(*caption, w));
}

}  // namespace tavrill
