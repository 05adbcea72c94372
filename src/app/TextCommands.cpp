#include "app/TextCommands.h"

#include "text/Case.h"
#include "text/Comment.h"

namespace tavrill {

void CaseCommand(Bridge& bridge, CaseConversion conversion) {
    std::string& w = bridge.WorkingText();
    w.clear();
    bridge.FetchText(true);
    if (w.empty()) return;
    const std::span<char> bytes(w.data(), w.size());
    switch (conversion) {
        case CaseConversion::Upper:
            UpperCaseAsciiInPlace(bytes);
            break;
        case CaseConversion::Lower:
            LowerCaseAsciiInPlace(bytes);
            break;
        case CaseConversion::Title:
            TitleCaseAsciiInPlace(bytes);
            break;
        case CaseConversion::Flip:
            FlipCaseAsciiInPlace(bytes);
            break;
    }
    bridge.DeliverText(w);
}

void CommentSlashCommand(Bridge& bridge, LineList& memo) {
    bridge.FetchText(true);
    memo.SetText(CommentSlash(bridge.WorkingText()));
    bridge.WorkingText().clear();
    bridge.DeliverText(memo.GetText());
}

void CommentBraceCommand(Bridge& bridge) {
    bridge.FetchText(true);
    bridge.DeliverText(CommentBrace(bridge.WorkingText()));
}

void CommentParenCommand(Bridge& bridge) {
    bridge.FetchText(true);
    bridge.DeliverText(CommentParen(bridge.WorkingText()));
}

void UncommentCommand(Bridge& bridge, LineList& memo) {
    bridge.FetchText(true);
    std::string& w = bridge.WorkingText();
    w = std::string(TrimControls(w));
    if (w.empty()) return;
    switch (RecognizeComment(w)) {
        case CommentForm::Unmatched:
            return;
        case CommentForm::Pair:
            w = std::string(CommentPairInner(w));
            bridge.DeliverText(TrimControls(w));
            return;
        case CommentForm::SlashLines:
            memo.SetText(UncommentSlashLines(w));
            w.clear();
            bridge.DeliverText(memo.GetText());
            return;
    }
}

void IndentCommand(Bridge& bridge, IndentDialog& dialog) {
    bridge.FetchText(true);
    if (const std::optional<std::string> result = dialog.Run(bridge.WorkingText()))
        bridge.DeliverText(*result);
}

}  // namespace tavrill
