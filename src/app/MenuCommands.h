#pragma once
// The functions behind the rows of the command table, one per command, grouped
// by the menu they sit in. Each fetches, asks, rewrites and delivers as its
// comment in the file of its menu says.

#include "app/Commands.h"

namespace tavrill {

// General menu (GeneralMenu.cpp), and the help menu with it.
void RunMinimize(CommandContext& c);
void RunUndo(CommandContext& c);
void RunStayOnTop(CommandContext& c);
void RunLockToWindow(CommandContext& c);
void RunAnyEditor(CommandContext& c);
void RunKeepClipboard(CommandContext& c);
void RunShortcuts(CommandContext& c);
void RunFindCommand(CommandContext& c);
void RunExit(CommandContext& c);
void RunAbout(CommandContext& c);
void RunHelp(CommandContext& c);
void RunWebPelmora(CommandContext& c);
void RunWebTavrill(CommandContext& c);
bool IsStayOnTop(const CommandContext& c);
bool IsLocked(const CommandContext& c);
bool IsAnyEditor(const CommandContext& c);
bool IsKeepClipboard(const CommandContext& c);

// Blocks menu (BlocksMenu.cpp).
void RunBeginEnd(CommandContext& c);
void RunCaseOf(CommandContext& c);
void RunIfThen(CommandContext& c);
void RunForNext(CommandContext& c);
void RunWhile(CommandContext& c);
void RunProcedure(CommandContext& c);
void RunFunctionCall(CommandContext& c);
void RunUnitComment(CommandContext& c);
void RunProcComment(CommandContext& c);
void RunTryFinally(CommandContext& c);
void RunTryExcept(CommandContext& c);
void RunIfDef(CommandContext& c);
void RunRegion(CommandContext& c);
void RunInsertGuid(CommandContext& c);

// Format menu (FormatMenu.cpp).
void RunCaseUpper(CommandContext& c);
void RunCaseLower(CommandContext& c);
void RunCaseTitle(CommandContext& c);
void RunCaseFlip(CommandContext& c);
void RunCaseSentence(CommandContext& c);
void RunIndent(CommandContext& c);
void RunCommentSlash(CommandContext& c);
void RunCommentBrace(CommandContext& c);
void RunCommentParen(CommandContext& c);
void RunUncomment(CommandContext& c);
void RunToggleComment(CommandContext& c);
void RunSortLines(CommandContext& c);
void RunSortLinesDescending(CommandContext& c);
void RunAlignAssignments(CommandContext& c);
void RunReverseAssignments(CommandContext& c);
void RunQuoteString(CommandContext& c);
void RunUnquoteString(CommandContext& c);
void RunFormatSelection(CommandContext& c);
void RunTrimTrailingBlanks(CommandContext& c);
void RunTabsToBlanks(CommandContext& c);
void RunDeleteBlankLines(CommandContext& c);
void RunCompactBlankLines(CommandContext& c);
void RunJoinLines(CommandContext& c);
void RunAlignOn(CommandContext& c);
void RunQuoteMultiline(CommandContext& c);

// The stash buttons (StashMenu.cpp).
void RunStashSave(CommandContext& c);
void RunStashBrowse(CommandContext& c);

}  // namespace tavrill
