#pragma once
// The second set of rewrite commands: sentence case, toggle comment, sorting, aligning and
// reversing assignments, quoting and unquoting in the format menu; exception frames, conditional
// compilation and regions in the blocks menu. Each is the whole handler: fetch, (dialog,)
// rewrite, deliver.
//
// Unlike the older commenting commands, every one of them empties the working text before the
// fetch, so a failed fetch never rewrites and pastes a text from an earlier command. The
// working text then holds what was delivered.

#include <optional>
#include <string>

#include "app/ValuesDialog.h"
#include "bridge/Bridge.h"

namespace tavrill {

enum class FormatRewrite {
    SentenceCase,
    ToggleComment,
    SortLines,
    SortLinesDescending,
    AlignAssignments,
    ReverseAssignments,
    QuoteString,
    UnquoteString,
};

// The format menu's rewrites: nothing happens when the fetch brings no text. Unquote delivers
// nothing when it cannot read the text as a string expression; the working text then keeps it.
void FormatRewriteCommand(Bridge& bridge, FormatRewrite rewrite);

// One line of text asked for by a block, the define's name or the region's caption: as typed on
// OK, nothing on Cancel.
using BlockNameDialog = ValuesDialog<std::string>;

// try...finally and try...except around the selection; without a selection, an empty frame.
void TryBlockCommand(Bridge& bridge, bool except);
// {$IFDEF name} and {$REGION 'caption'} around the selection, the name or caption asked for
// after the fetch; Cancel delivers nothing.
void IfDefCommand(Bridge& bridge, BlockNameDialog& dialog);
void RegionCommand(Bridge& bridge, BlockNameDialog& dialog);

}  // namespace tavrill
