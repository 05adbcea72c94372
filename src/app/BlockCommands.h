#pragma once
// The code generator commands of the tool bar's text menu: fetch, dialog,
// template, deliver. Each dialog is a ValuesDialog of its values.
//
// Which fetch each command makes, what Cancel does and whether the working text
// takes the result differ per command and are stated at each function.

#include <optional>
#include <string>

#include "app/ValuesDialog.h"
#include "blocks/Blocks.h"
#include "bridge/Bridge.h"

namespace tavrill {

// Spin boxes ("Spaces to Indent", the same range in every block dialog) are handed over as
// their text; the command reads it with ReadSpinValue over this range.
inline constexpr int kBlockSpinMinimum = 1;
inline constexpr int kBlockSpinMaximum = 10;

struct IfValues {
    std::string condition;
    bool withElse = false;
    std::string spinText = "2";
    bool surround = false;
};

struct ForNextValues {
    std::string var;
    std::string from;
    std::string to;
    bool downto = false;
    bool surround = false;
    std::string spinText = "2";
};

struct WhileValues {
    WhileKind kind = WhileKind::Repeat;
    std::string condition;
    bool surround = false;
    std::string spinText = "2";
};

struct CaseValues {
    std::string selector;
    bool withElse = false;
    std::string spinText = "2";
    std::string labelsText;  // the text of the case box, not its rows on screen
    bool withBegin = false;
};

struct ProcValues {
    ProcKind kind = ProcKind::Procedure;
    std::string name;
    std::string params;
    std::optional<std::string> resultType;  // present while the result box is enabled
    bool useComment = false;
    bool varBlock = false;
};

using IfDialog = ValuesDialog<IfValues>;
using ForNextDialog = ValuesDialog<ForNextValues>;
using WhileDialog = ValuesDialog<WhileValues>;
using CaseDialog = ValuesDialog<CaseValues>;
using ProcDialog = ValuesDialog<ProcValues>;
// The function name on OK; the dialog has already remembered it in its list.
using FnCallDialog = ValuesDialog<std::string>;

// The template files of the comment headers, in the program folder.
inline constexpr const char* kUnitHeadFile = "UnitHead.txt";
inline constexpr const char* kProcHeadFile = "ProcHead.txt";

// Copy-only fetch; delivers the empty begin/end pair, which becomes the working text.
void BeginEndCommand(Bridge& bridge);

// Cancel delivers nothing; OK delivers the block, which becomes the working text.
void IfThenCommand(Bridge& bridge, IfDialog& dialog);

// Cancel delivers the fetched text back unchanged; the working text keeps it either way.
void ForNextCommand(Bridge& bridge, ForNextDialog& dialog);
void WhileCommand(Bridge& bridge, WhileDialog& dialog);

// The selection takes no part; Cancel delivers nothing; the working text is kept.
void CaseOfCommand(Bridge& bridge, CaseDialog& dialog);

// Copy-only fetch; Cancel delivers nothing; the working text is kept. The
// procedure comment is read afresh from the program folder; a missing template
// throws CannotOpenFile and nothing is delivered.
void ProcCommand(Bridge& bridge, ProcDialog& dialog, const std::string& programFolder);

// Copy-only fetch; delivers the template file with CR LF line breaks, adding
// nothing. Throws CannotOpenFile when it cannot be read.
void UnitHeadCommand(Bridge& bridge, const std::string& programFolder);
void ProcHeadCommand(Bridge& bridge, const std::string& programFolder);

// Wraps the fetched text in the call on OK (the working text takes the result);
// Cancel delivers the working text unchanged.
void FnCallCommand(Bridge& bridge, FnCallDialog& dialog);

}  // namespace tavrill
