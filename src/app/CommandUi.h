#pragma once
// What the commands ask of the windows: the values of their dialogs, and the few
// things only the tool bar's window can do. The Windows forms implement it; the
// unit tests use a fake that answers from a script. Every dialog answer is the
// values on OK, or nothing on Cancel (or any other way of closing it).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ValuesDialog.h"
#include "blocks/Blocks.h"

namespace tavrill {

class TemplateUi;  // app/SnippetInsert.h

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

struct SaveValues {
    std::string name;         // txtName, as typed
    std::string description;  // txtDesc, as typed
    std::string code;         // Memo1, edits included
};

// The dialogs, as the forms implement them.
using IfDialog = ValuesDialog<IfValues>;
using ForNextDialog = ValuesDialog<ForNextValues>;
using WhileDialog = ValuesDialog<WhileValues>;
using CaseDialog = ValuesDialog<CaseValues>;
using ProcDialog = ValuesDialog<ProcValues>;
// The function name on OK; the dialog has already remembered it in its list.
using FnCallDialog = ValuesDialog<std::string>;
// One line of text asked for by a block, the define's name or the region's caption: as typed.
using BlockNameDialog = ValuesDialog<std::string>;
// Shown with the text in its memo and its number box at 2, the direction as the user last left
// it. On OK gives back the memo's text, edits included, shifted as chosen (IndentDialogRewrite).
using IndentDialog = ValuesDialog<std::string, std::string_view>;
// Shown with the fetched text in its code box; the name and description boxes keep what they held.
using SaveDialog = ValuesDialog<SaveValues, std::string_view>;
// Shown afresh. After COPY with a snippet chosen, the text to deliver; nothing otherwise.
using StashBrowser = ValuesDialog<std::string>;

// What the command palette gives back: a command's row in Commands(), or a stash snippet's file name.
struct PaletteChoice {
    std::optional<std::size_t> command;
    std::string snippet;
};

class CommandUi {
public:
    virtual ~CommandUi() = default;

    virtual std::optional<IfValues> AskIfThen() = 0;
    virtual std::optional<ForNextValues> AskForNext() = 0;
    virtual std::optional<WhileValues> AskWhile() = 0;
    virtual std::optional<CaseValues> AskCaseOf() = 0;
    virtual std::optional<ProcValues> AskProcedure() = 0;
    virtual std::optional<std::string> AskFunctionCall() = 0;
    virtual std::optional<std::string> AskDefineName() = 0;     // "Insert {$IFDEF}"
    virtual std::optional<std::string> AskRegionCaption() = 0;  // "Insert {$REGION}"
    virtual std::optional<std::string> AskIndent(std::string_view text) = 0;
    virtual std::optional<SaveValues> AskSnippet(std::string_view code) = 0;
    virtual std::optional<std::string> BrowseStash() = 0;
    // "Align on": the character or word, from a box that offers the ones used before (latest first).
    virtual std::optional<std::string> AskAlignToken(const std::vector<std::string>& recent) = 0;
    // A new GUID as the IDE writes it: {8-4-4-4-12}, upper-case hex digits.
    virtual std::string NewGuid() = 0;
    // What filling in a snippet's placeholders asks of the windows.
    virtual TemplateUi& Templates() = 0;
    // The command palette; nothing on Esc.
    virtual std::optional<PaletteChoice> FindInPalette() = 0;

    // The tool bar's window.
    virtual void Minimize() = 0;
    virtual bool StayOnTop() const = 0;
    virtual void SetStayOnTop(bool on) = 0;
    virtual void EditShortcuts() = 0;
    virtual void Exit() = 0;
    virtual void ShowAbout() = 0;
    virtual void ShowHelp() = 0;
    virtual void OpenWebPage(std::string_view address) = 0;
};

}  // namespace tavrill
