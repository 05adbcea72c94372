// The format menu: rewrites of the selected text. With nothing selected, or
// when the fetch fails, nothing happens; a rewrite that cannot read the text
// (unquote, uncomment) delivers nothing.

#include <optional>
#include <string>
#include <string_view>

#include "app/MenuCommands.h"
#include "format/Format.h"
#include "text/Assignments.h"
#include "text/Blanks.h"
#include "text/Case.h"
#include "text/Comment.h"
#include "text/Quote.h"
#include "text/SortLines.h"
#include "text/ToggleComment.h"

namespace tavrill {
namespace {

// The rewrite returns the new text, or std::optional without one when it cannot read the text.
template <class Rewrite>
void RewriteSelection(CommandContext& c, Rewrite rewrite) {
    const std::optional<std::string> selection = c.bridge.FetchSelection();
    if (!selection || selection->empty()) return;
    const std::optional<std::string> result = rewrite(std::string_view(*selection));
    if (result) c.bridge.Deliver(*result);
}

}  // namespace

void RunCaseUpper(CommandContext& c) {
    RewriteSelection(c, UpperCaseAscii);
}
void RunCaseLower(CommandContext& c) {
    RewriteSelection(c, LowerCaseAscii);
}
void RunCaseTitle(CommandContext& c) {
    RewriteSelection(c, TitleCaseAscii);
}
void RunCaseFlip(CommandContext& c) {
    RewriteSelection(c, FlipCaseAscii);
}
void RunCaseSentence(CommandContext& c) {
    RewriteSelection(c, SentenceCaseAscii);
}

// The dialog shows the selection; only OK delivers, the memo's text as edited and shifted.
void RunIndent(CommandContext& c) {
    RewriteSelection(c, [&](std::string_view s) { return c.ui.AskIndent(s); });
}

void RunCommentSlash(CommandContext& c) {
    RewriteSelection(c, CommentSlash);
}
void RunCommentBrace(CommandContext& c) {
    RewriteSelection(c, CommentBrace);
}
void RunCommentParen(CommandContext& c) {
    RewriteSelection(c, CommentParen);
}
// Nothing for a text that trims to empty or opens a pair it does not close.
void RunUncomment(CommandContext& c) {
    RewriteSelection(c, Uncomment);
}
void RunToggleComment(CommandContext& c) {
    RewriteSelection(c, ToggleComment);
}

void RunSortLines(CommandContext& c) {
    RewriteSelection(c, [](std::string_view s) { return SortLines(s, false); });
}
void RunSortLinesDescending(CommandContext& c) {
    RewriteSelection(c, [](std::string_view s) { return SortLines(s, true); });
}
void RunAlignAssignments(CommandContext& c) {
    RewriteSelection(c, AlignAssignments);
}
void RunReverseAssignments(CommandContext& c) {
    RewriteSelection(c, ReverseAssignments);
}
void RunQuoteString(CommandContext& c) {
    RewriteSelection(c, QuoteString);
}
// Nothing for a text that does not read as a string expression.
void RunUnquoteString(CommandContext& c) {
    RewriteSelection(c, UnquoteString);
}

// Only blanks and tabs change; the style is [Format]'s.
void RunFormatSelection(CommandContext& c) {
    RewriteSelection(c, [&](std::string_view s) { return FormatPascal(s, c.settings.format); });
}

void RunTrimTrailingBlanks(CommandContext& c) {
    RewriteSelection(c, TrimTrailingBlanks);
}
void RunTabsToBlanks(CommandContext& c) {
    RewriteSelection(c, [&](std::string_view s) { return Untabify(s, c.settings.format.tabWidth); });
}
void RunDeleteBlankLines(CommandContext& c) {
    RewriteSelection(c, [](std::string_view s) { return DeleteBlankLines(s, false); });
}
void RunCompactBlankLines(CommandContext& c) {
    RewriteSelection(c, [](std::string_view s) { return DeleteBlankLines(s, true); });
}
void RunJoinLines(CommandContext& c) {
    RewriteSelection(c, JoinLines);
}

// The token asked for after the fetch goes to the front of those offered next time.
void RunAlignOn(CommandContext& c) {
    RewriteSelection(c, [&](std::string_view s) -> std::optional<std::string> {
        const std::optional<std::string> token = c.ui.AskAlignToken(c.settings.alignTokens);
        if (!token || token->empty()) return std::nullopt;
        std::vector<std::string>& recent = c.settings.alignTokens;
        std::erase(recent, *token);
        recent.insert(recent.begin(), *token);
        if (recent.size() > kAlignTokensKept) recent.resize(kAlignTokensKept);
        c.store.SaveAlignTokens(recent);
        return AlignOn(s, *token);
    });
}

void RunQuoteMultiline(CommandContext& c) {
    RewriteSelection(c, QuoteMultiline);
}

}  // namespace tavrill
