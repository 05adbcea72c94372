#pragma once
// The Object Pascal templates of the code generators. Each is a pure operation
// from the values a dialog gathered (and, where the block surrounds code, the
// working text) to the exact bytes that are pasted into the editor. Every line a
// template writes ends with CR LF unless the template says otherwise; nothing is
// trimmed, checked or escaped, so what the user typed lands in the code as typed.
//
// All of them run in time linear in the size of their inputs: surrounding a
// selection of a hundred thousand lines must not be noticeable.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrill {

// n blanks; none when n is 0 or less.
std::string IndentString(int n);

// Blanks before the first other byte of a line (a tab is not a blank).
int LeadingSpaceCount(std::string_view line);

// "begin", an empty line and "end;" with no line break after it, so that text
// after the selection continues on the "end;" line.
std::string BeginEndBlock();

struct IfThenOptions {
    std::string condition;
    int indent = 2;  // the spin value
    bool withElse = false;
    bool surround = false;
};

// The if...then block. With surround, w is put in unchanged (not re-indented)
// and followed by CR LF even when it already ends with one.
std::string IfThenBlock(const IfThenOptions& options, std::string_view w);

// The opening and closing line of a loop-like block, without indent or line break.
struct HeadTail {
    std::string head;
    std::string tail;
};

HeadTail ForHeadTail(std::string_view var, std::string_view from, std::string_view to, bool downto);

enum class WhileKind { Repeat, While, With };
HeadTail WhileHeadTail(WhileKind kind, std::string_view condition);

// The loop block around or instead of w. With surround every line of w gets two
// blanks in front and the block lines take the first line's leading blanks;
// spinValue is then ignored. Without surround w takes no part and the two block
// lines are indented by spinValue blanks.
std::string LoopBlock(const HeadTail& headTail, bool surround, int spinValue, std::string_view w);

struct CaseOptions {
    std::string selector;
    std::vector<std::string> labels;
    bool withBegin = false;
    bool withElse = false;
    int indent = 2;
};

// The labels typed into the case box, one per line of its text: cut only at
// CR LF, and an empty last row (a list ending with Enter) is no label. A label
// the box merely shows wrapped is still one line of the text, hence one label.
std::vector<std::string> CaseLabels(std::string_view boxText);

std::string CaseBlock(const CaseOptions& options);

enum class ProcKind { Procedure, Function, Constructor, Destructor };

// "procedure ", "function ", "constructor " or "destructor ".
std::string_view KindWord(ProcKind kind);

// What selecting a kind in the procedure dialog does to its other controls:
// the result type box is usable only for a function; a constructor gets the
// usual owner parameter and a destructor none, while procedure and function
// leave the parameters as they are (nothing in `params`).
struct ProcKindEffect {
    bool resultTypeEnabled = false;
    std::optional<std::string> params;
};
ProcKindEffect SelectProcKind(ProcKind kind);

struct ProcOptions {
    ProcKind kind = ProcKind::Procedure;
    std::string name;
    std::string params;                     // left out when empty
    std::optional<std::string> resultType;  // only a function has one
    bool varBlock = false;
};

// The skeleton, preceded by the procedure comment (a template file's text, or
// empty for none). A comment that does not end with CR LF gets one, so that the
// header line starts a line of its own.
std::string ProcSkeleton(const ProcOptions& options, std::string_view comment);

// The call of f around w: "f(w)", or "f w)" when f already holds its own "(".
// No line break is added.
std::string WrapCall(std::string_view f, std::string_view w);

}  // namespace tavrill
