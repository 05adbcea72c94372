#pragma once
// The text formatting commands of the tool bar's format menu: case conversion, the three ways of
// commenting out, uncommenting, and indenting. Each is the whole handler: fetch, rewrite, deliver.
//
// `memo` is the tool bar's hidden line list. The "//" commands leave their result in it, so it
// holds what they delivered until another command fills it.

#include <optional>
#include <string>
#include <string_view>

#include "app/ValuesDialog.h"
#include "bridge/Bridge.h"
#include "text/Indent.h"
#include "text/LineList.h"

namespace tavrill {

enum class CaseConversion { Upper, Lower, Title, Flip };

// Empties the working text before the fetch and stops when the fetch brought nothing, so that a
// failed fetch never converts and pastes an earlier text. The working text keeps the result.
void CaseCommand(Bridge& bridge, CaseConversion conversion);

// Work on whatever the working text holds after the fetch, even an earlier or empty text.
// "//": the working text is emptied afterwards. Braces and parenthesis-star: it stays as fetched.
void CommentSlashCommand(Bridge& bridge, LineList& memo);
void CommentBraceCommand(Bridge& bridge);
void CommentParenCommand(Bridge& bridge);

// Trims the working text, then removes an enclosing brace or parenthesis-star pair or the "//" in
// front of lines. Delivers nothing when the text trims to empty or opens a pair it does not close;
// the working text is then the trimmed text. After a pair it is the inner text before its final
// trim; after the "//" lines it is empty.
void UncommentCommand(Bridge& bridge, LineList& memo);

// Shown with the text in its memo and its number box at 2, the direction as the user last left
// it. On OK gives back the memo's text, edits included, shifted as chosen (IndentDialogRewrite).
using IndentDialog = ValuesDialog<std::string, std::string_view>;

// The working text is shown but never changed; only OK delivers.
void IndentCommand(Bridge& bridge, IndentDialog& dialog);

}  // namespace tavrill
