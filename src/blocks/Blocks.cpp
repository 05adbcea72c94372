#include "blocks/Blocks.h"

#include "base/Ascii.h"
#include "base/Rows.h"

namespace tavrill {
namespace {

constexpr std::string_view kBodyShift = "  ";

std::string_view FirstRow(std::string_view text) {
    return text.substr(0, text.find(kCrLf));
}

void AppendLine(std::string& out, std::string_view indent, std::string_view line) {
    out += indent;
    out += line;
    out += kCrLf;
}

}  // namespace

std::string IndentString(int n) {
    return n > 0 ? std::string(static_cast<size_t>(n), ' ') : std::string();
}

int LeadingSpaceCount(std::string_view line) {
    const size_t n = line.find_first_not_of(' ');
    return static_cast<int>(n == std::string_view::npos ? line.size() : n);
}

std::string BeginEndBlock() {
    return "begin\r\n\r\nend;";
}

std::string IfThenBlock(const IfThenOptions& options, std::string_view w) {
    const std::string indent = IndentString(options.indent);
    const std::string& c = options.condition;
    std::string r;
    r.reserve(w.size() + 2 * c.size() + 4 * indent.size() + 48);
    r += indent;
    r += "if ";
    r += c;
    r += " then begin\r\n";
    if (options.surround) {
        r += w;
        r += kCrLf;
    }
    if (options.withElse) AppendLine(r, indent, "end else begin");
    r += indent;
    r += "end;  {if ";
    r += c;
    r += "}\r\n";
    return r;
}

HeadTail ForHeadTail(std::string_view var, std::string_view from, std::string_view to, bool downto) {
    HeadTail ht;
    ht.head.append("for ").append(var).append(" := ").append(from);
    ht.head.append(downto ? " downto " : " to ").append(to).append(" do begin");
    ht.tail.append("end; {next ").append(var).append("}");
    return ht;
}

HeadTail WhileHeadTail(WhileKind kind, std::string_view condition) {
    HeadTail ht;
    switch (kind) {
        case WhileKind::Repeat:
            ht.head = "repeat";
            ht.tail.append("until ").append(condition).append(";");
            break;
        case WhileKind::While:
            ht.head.append("while ").append(condition).append(" do begin");
            ht.tail = "end; {while}";
            break;
        case WhileKind::With:
            ht.head.append("with ").append(condition).append(" do begin");
            ht.tail = "end; {with}";
            break;
    }
    return ht;
}

std::string LoopBlock(const HeadTail& headTail, bool surround, int spinValue, std::string_view w) {
    const std::string indent = IndentString(surround ? LeadingSpaceCount(FirstRow(w)) : spinValue);
    std::string r;
    if (surround) {
        // Each body line grows by the shift, and at most one CR LF is added after the last.
        size_t lines = 0;
        rows::ForEachLine(w, [&](std::string_view, bool) { ++lines; });
        r.reserve(w.size() + lines * kBodyShift.size() + 2 * indent.size() + headTail.head.size() +
                  headTail.tail.size() + 3 * kCrLf.size());
    }
    AppendLine(r, indent, headTail.head);
    if (surround) rows::ForEachLine(w, [&](std::string_view line, bool) { AppendLine(r, kBodyShift, line); });
    AppendLine(r, indent, headTail.tail);
    return r;
}

std::vector<std::string> CaseLabels(std::string_view boxText) {
    std::vector<std::string> labels;
    rows::ForEachLine(boxText, [&](std::string_view line, bool) { labels.emplace_back(line); });
    return labels;
}

std::string CaseBlock(const CaseOptions& options) {
    const std::string indent = IndentString(options.indent);
    std::string r;
    r += indent;
    r += "case ";
    r += options.selector;
    r += " of\r\n";
    for (const std::string& label : options.labels) {
        r += indent;
        r += "  ";
        r += label;
        r += ":\r\n";
        if (options.withBegin) {
            AppendLine(r, indent, "    begin");
            AppendLine(r, indent, "    end;");
        }
    }
    if (options.withElse) AppendLine(r, indent, "  else ");
    AppendLine(r, indent, "end; {case of}");
    return r;
}

std::string_view KindWord(ProcKind kind) {
    switch (kind) {
        case ProcKind::Procedure:
            return "procedure ";
        case ProcKind::Function:
            return "function ";
        case ProcKind::Constructor:
            return "constructor ";
        case ProcKind::Destructor:
            return "destructor ";
    }
    return "procedure ";
}

ProcKindEffect SelectProcKind(ProcKind kind) {
    ProcKindEffect effect;
    effect.resultTypeEnabled = kind == ProcKind::Function;
    if (kind == ProcKind::Constructor) effect.params = "AOwner: TComponent";
    if (kind == ProcKind::Destructor) effect.params = "";
    return effect;
}

std::string ProcSkeleton(const ProcOptions& options, std::string_view comment) {
    std::string r(comment);
    if (!r.empty() && !r.ends_with(kCrLf)) r += kCrLf;
    r += KindWord(options.kind);
    r += options.name;
    if (!options.params.empty()) {
        r += "(";
        r += options.params;
        r += ")";
    }
    if (options.resultType) {
        r += ":";
        r += *options.resultType;
    }
    r += ";\r\n";
    if (options.varBlock) r += "var i: integer;\r\n";
    r += "begin\r\n\r\nend;\r\n";
    return r;
}

std::string WrapCall(std::string_view f, std::string_view w) {
    std::string r;
    r.reserve(f.size() + w.size() + 2);
    r += f;
    r += f.find('(') == std::string_view::npos ? "(" : " ";
    r += w;
    r += ")";
    return r;
}

}  // namespace tavrill
