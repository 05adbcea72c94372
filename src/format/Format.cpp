#include "format/Format.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Ascii.h"
#include "text/PascalTokens.h"

namespace tavrill {
namespace {

constexpr std::size_t kPiece = 1 << 20;
// Deeper structure than this is not indented further: a text of a million nested begins would
// otherwise grow quadratically.
constexpr int kMaxColumn = 200;
// Conditional branches nested deeper than this are formatted as one branch, so that a text of
// nested {$IFDEF}s costs no copy of the structure for each.
constexpr std::size_t kMaxConditionals = 64;
// Nor is a branch tracked inside structure this deep (left open by the pieces of many files run
// together), where copying it at every {$IFDEF} would cost more than the formatting.
constexpr std::size_t kMaxTrackedFrames = 64;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

using Word = PascalWord;
using Kind = PascalTokenKind;

enum class FrameKind : std::uint8_t { Block, Try, Repeat, Case, Record, Class, Section, Routine, Asm, Stmt };
enum class StmtKind : std::uint8_t { Then, Else, Do, Label };

struct Frame {
    FrameKind kind = FrameKind::Block;
    int col = 0;
    int depth = 0;  // brackets open when it began
    StmtKind stmt = StmtKind::Then;
    bool head = false;     // a case before its `of`; a class before its first member
    bool inElse = false;   // a case's or a try's else part
    bool variant = false;  // a record's variant part: ends with the record
    std::size_t pushedAt = 0;
};

enum class UnitPart : std::uint8_t { Unknown, Interface, Implementation };

// Everything a conditional branch may change, so that each branch of an {$IFDEF} starts from
// the same structure and the code after {$ENDIF} goes on from the first branch.
struct State {
    std::vector<Frame> frames;
    int depth = 0;
    bool lastEnds = true;  // the last token ended a statement: the next line is not a continuation
    int stmtOut = 0;       // a statement's first line: its column in the output
    int stmtIn = 0;        // ... and as written
    bool inHeading = false;
    int headingDepth = 0;
    int headingCol = 0;
    bool headingBody = false;
    bool pendingRoutine = false;  // a heading that may be followed by its declarations and body
    int pendingCol = 0;
    UnitPart part = UnitPart::Unknown;
    bool asmMode = false;
    bool typeAlias = false;  // "= type": a type helper may follow
    std::size_t sigIndex = 0;
};

struct Conditional {
    bool tracked = false;
    int col = 0;
    State atIf;
    bool hasElse = false;
    State firstBranchEnd;
};

// What the spacing rules need to know of the last significant token.
struct Sig {
    Kind kind = Kind::Symbol;
    Word word = Word::None;
    char sym = 0;         // a symbol's first byte
    char sym2 = 0;        // and its second, for := <= .. and the like
    bool unary = false;   // + - @ ^ before their operand
    bool binary = false;  // an operator with a blank on each side
    bool assign = false;
    bool angleAsWritten = false;  // < or > that may belong to a generic
    bool declColon = false;
    bool any = false;
};

bool IsWordChar(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c >= 0x80;
}
bool IsBreak(char c) {
    return c == '\r' || c == '\n';
}
bool HasBreak(std::string_view gap) {
    for (char c : gap) {
        if (IsBreak(c)) return true;
    }
    return false;
}
bool IsWordLike(Kind k) {
    return k == Kind::Reserved || k == Kind::Identifier || k == Kind::Number || k == Kind::String ||
           k == Kind::Character;
}
// Words that read as a statement's frame, kept apart from the brackets beside them.
bool IsControlWord(Word w) {
    switch (w) {
        case Word::If:
        case Word::While:
        case Word::Until:
        case Word::Case:
        case Word::With:
        case Word::Then:
        case Word::Do:
        case Word::Of:
        case Word::To:
        case Word::Downto:
        case Word::Else:
            return true;
        default:
            return false;
    }
}

bool IsWordOperator(Word w) {
    switch (w) {
        case Word::And:
        case Word::Or:
        case Word::Xor:
        case Word::Div:
        case Word::Mod:
        case Word::Shl:
        case Word::Shr:
        case Word::In:
        case Word::Is:
        case Word::As:
            return true;
        default:
            return false;
    }
}

// Two tokens written together must not become one, or a comment, when a blank between them goes.
bool WouldMerge(std::string_view a, std::string_view b) {
    const unsigned char la = static_cast<unsigned char>(a.back());
    const unsigned char fb = static_cast<unsigned char>(b.front());
    if (IsWordChar(la) && IsWordChar(fb)) return true;
    if (a.size() == 1 && (la == '$' || la == '#' || la == '&' || la == '%') && (IsWordChar(fb) || fb == '$'))
        return true;
    if (la == '\'' && fb == '\'') return true;
    static constexpr std::string_view kPairs[] = {":=", "<=", ">=", "<>", "><", "..", "+=", "-=", "*=", "/=",
                                                  "**", "<<", ">>", "@@", "(.", ".)", "(*", "*)", "//"};
    const char pair[2] = {static_cast<char>(la), static_cast<char>(fb)};
    for (std::string_view p : kPairs) {
        if (p == std::string_view(pair, 2)) return true;
    }
    return false;
}

class Formatter {
public:
    Formatter(std::string_view text, const FormatStyle& style,
              const std::function<void(std::string_view)>* write)
        : t_(text), style_(style), write_(write) {
        size_ = std::clamp(style.indentSize, 0, kMaxFormatIndent);
        tabWidth_ = std::clamp(style.tabWidth, 1, kMaxTabWidth);
        out_.resize(write ? kPiece + 4096 : text.size() + text.size() / 8 + 64);
    }

    std::string Run();

private:
    // --- structure -----------------------------------------------------------------------------
    int Clamp(int col) const { return std::clamp(col, base_, maxCol_); }
    int TopDepth() const { return st_.frames.empty() ? 0 : st_.frames.back().depth; }
    Frame* Top() { return st_.frames.empty() ? nullptr : &st_.frames.back(); }
    bool TopIs(FrameKind k) const { return !st_.frames.empty() && st_.frames.back().kind == k; }
    int Cur() const {
        if (st_.frames.empty()) return base_;
        return Clamp(st_.frames.back().col + size_);
    }
    void Push(FrameKind kind, int col) {
        Frame f;
        f.kind = kind;
        f.col = Clamp(col);
        f.depth = st_.depth;
        f.pushedAt = st_.sigIndex;
        st_.frames.push_back(f);
    }
    void PushStmt(StmtKind stmt, int col) {
        Push(FrameKind::Stmt, col);
        st_.frames.back().stmt = stmt;
    }
    void PopWhile(FrameKind k) {
        while (TopIs(k)) st_.frames.pop_back();
    }
    // The nearest frame that is no single statement.
    const Frame* Enclosing() const {
        for (auto it = st_.frames.rbegin(); it != st_.frames.rend(); ++it) {
            if (it->kind != FrameKind::Stmt) return &*it;
        }
        return nullptr;
    }

    void ResolvePending(const PascalToken& t);
    int CloseEnd();
    int CloseUntil();
    int TryPart();
    int Else();
    int Consume(const PascalToken& t, const PascalToken* next, bool lineFirst);
    bool IsVisibility(const PascalToken& t, const PascalToken* next) const;
    bool ForcesFreshLine(const PascalToken& t, const PascalToken* next) const;
    bool LineHoldsOnlyDirectives(const PascalToken& t) const;
    int Conditional(const PascalToken& t, int col);

    // --- text ----------------------------------------------------------------------------------
    std::string_view Text(const PascalToken& t) const { return {t_.data() + t.offset, t.length}; }
    bool NextSignificant(const PascalToken* next, PascalToken& sig) const;
    void Classify(const PascalToken& t, const PascalToken* next, Sig& s) const;
    void InlineGap(const PascalToken& prev, const PascalToken& cur, const Sig& curSig, std::string_view gap);
    void EmitBreaks(std::string_view gap);
    void EmitToken(const PascalToken& t);
    int WrittenColumn(std::string_view gap) const;
    void Flush(bool all);

    std::string_view t_;
    PascalScanner scanner_{t_};
    FormatStyle style_;
    const std::function<void(std::string_view)>* write_;
    int size_ = 2;
    int tabWidth_ = kDefaultTabWidth;
    int base_ = 0;
    int maxCol_ = kMaxColumn;
    int lineCol_ = 0;
    State st_;
    std::vector<struct Conditional> conditionals_;
    std::size_t openConditionals_ = 0;
    // The last significant token's and the current one's, used in turn: never copied, since a
    // copy of the small fields costs a stalled load on every token.
    Sig sigs_[2];
    Sig* prevSig_ = &sigs_[0];
    std::string_view prevText_;
    // The result so far is out_'s first len_ bytes: written through a pointer, since appending
    // to a string costs a call for every token.
    std::string out_;
    std::size_t len_ = 0;
    char* Room(std::size_t n) {
        if (len_ + n > out_.size()) out_.resize(std::max(out_.size() * 2, len_ + n));
        return out_.data() + len_;
    }
    void Put(std::string_view s) {
        std::memcpy(Room(s.size()), s.data(), s.size());
        len_ += s.size();
    }
    void Put(char c) {
        *Room(1) = c;
        ++len_;
    }
    void PutBlanks(std::size_t n) {
        std::memset(Room(n), ' ', n);
        len_ += n;
    }
};

bool EqualsWord(std::string_view text, std::string_view lower) {
    return EqualIgnoringAsciiCase(text, lower);
}

bool Formatter::NextSignificant(const PascalToken* next, PascalToken& sig) const {
    if (next == nullptr) return false;
    if (next->kind != Kind::Comment && next->kind != Kind::Directive) {
        sig = *next;
        return true;
    }
    PascalScanner peek = scanner_;
    peek.Seek(next->offset + next->length);
    while (peek.Next(sig)) {
        if (sig.kind != Kind::Comment && sig.kind != Kind::Directive) return true;
    }
    return false;
}

bool Formatter::IsVisibility(const PascalToken& t, const PascalToken* next) const {
    if (t.kind != Kind::Identifier) return false;
    const std::string_view w = Text(t);
    const bool strict = EqualsWord(w, "strict");
    if (!strict && !EqualsWord(w, "private") && !EqualsWord(w, "protected") && !EqualsWord(w, "public") &&
        !EqualsWord(w, "published") && !EqualsWord(w, "automated"))
        return false;
    PascalToken sig;
    if (!NextSignificant(next, sig)) return !strict;
    const std::string_view n = Text(sig);
    if (strict) return EqualsWord(n, "private") || EqualsWord(n, "protected");
    if (sig.kind == Kind::Symbol) return false;  // a field or variable of that name
    return true;
}

bool Formatter::ForcesFreshLine(const PascalToken& t, const PascalToken* next) const {
    if (t.kind == Kind::Identifier) return st_.depth <= TopDepth() && IsVisibility(t, next);
    if (t.kind != Kind::Reserved) return false;
    switch (t.word) {
        case Word::End:
        case Word::Until:
        case Word::Except:
        case Word::Finally:
        case Word::Else:
            return true;
        case Word::Begin:
        case Word::Implementation:
        case Word::Initialization:
        case Word::Finalization:
            return st_.depth <= TopDepth();
        case Word::Procedure:
        case Word::Function:
        case Word::Constructor:
        case Word::Destructor:
        case Word::Property:
            if (prevSig_->kind == Kind::Symbol && (prevSig_->sym == '=' || prevSig_->sym == ':' ||
                                                   prevSig_->sym == '(' || prevSig_->sym == ','))
                return false;
            return st_.depth <= TopDepth();
        default:
            return false;
    }
}

void Formatter::ResolvePending(const PascalToken& t) {
    if (!st_.pendingRoutine) return;
    bool confirm = false;
    if (t.kind == Kind::Identifier) {
        const std::string_view w = Text(t);
        if (!EqualsWord(w, "forward") && !EqualsWord(w, "external"))
            return;  // a directive: still the heading
    } else if (t.kind == Kind::Reserved) {
        switch (t.word) {
            case Word::Inline:
                return;
            case Word::Var:
            case Word::Const:
            case Word::Type:
            case Word::Label:
            case Word::Resourcestring:
            case Word::Threadvar:
            case Word::Begin:
            case Word::Asm:
                confirm = true;
                break;
            case Word::Procedure:
            case Word::Function:
            case Word::Constructor:
            case Word::Destructor:
                // A routine nested in one that has no body yet, where every heading has one.
                confirm = st_.part == UnitPart::Implementation;
                break;
            default:
                break;
        }
    } else {
        return;
    }
    st_.pendingRoutine = false;
    if (confirm) Push(FrameKind::Routine, st_.pendingCol);
}

int Formatter::CloseEnd() {
    while (!st_.frames.empty()) {
        const Frame f = st_.frames.back();
        st_.frames.pop_back();
        if (f.kind == FrameKind::Stmt || f.kind == FrameKind::Section || f.kind == FrameKind::Routine)
            continue;
        if (f.kind == FrameKind::Case && f.variant) continue;
        if (f.kind == FrameKind::Asm) st_.asmMode = false;
        return f.col;
    }
    st_.asmMode = false;
    return base_;
}

int Formatter::CloseUntil() {
    for (auto it = st_.frames.rbegin(); it != st_.frames.rend(); ++it) {
        if (it->kind == FrameKind::Stmt || it->kind == FrameKind::Section) continue;
        if (it->kind != FrameKind::Repeat) break;
        const int col = it->col;
        st_.frames.erase(std::prev(it.base()), st_.frames.end());
        return col;
    }
    return Cur();
}

int Formatter::TryPart() {
    for (auto it = st_.frames.rbegin(); it != st_.frames.rend(); ++it) {
        if (it->kind == FrameKind::Stmt || it->kind == FrameKind::Section) continue;
        if (it->kind != FrameKind::Try) break;
        it->inElse = false;
        const int col = it->col;
        st_.frames.erase(it.base(), st_.frames.end());
        return col;
    }
    return Cur();
}

int Formatter::Else() {
    for (auto it = st_.frames.rbegin(); it != st_.frames.rend() && it->kind == FrameKind::Stmt; ++it) {
        if (it->stmt != StmtKind::Then || it->depth != st_.depth) continue;
        const int col = it->col;
        st_.frames.erase(std::prev(it.base()), st_.frames.end());
        PushStmt(StmtKind::Else, col);
        return col;
    }
    const Frame* outer = Enclosing();
    if (outer != nullptr &&
        ((outer->kind == FrameKind::Case && !outer->head) || outer->kind == FrameKind::Try)) {
        PopWhile(FrameKind::Stmt);
        st_.frames.back().inElse = true;
        return st_.frames.back().col;
    }
    const int col = Cur();
    PushStmt(StmtKind::Else, col);
    return col;
}

// Takes the token into the structure. The column the token's line takes when the token starts a
// line that is no continuation.
int Formatter::Consume(const PascalToken& t, const PascalToken* next, bool lineFirst) {
    // Most tokens inside a line (names, numbers, strings, operators) change no structure.
    if (!lineFirst && t.kind != Kind::Reserved && !st_.pendingRoutine && !st_.typeAlias &&
        prevSig_->kind != Kind::Identifier && !(TopIs(FrameKind::Class) && st_.frames.back().head)) {
        const char c = t_[t.offset];
        if (t.kind != Kind::Symbol ||
            (c != '(' && c != ')' && c != '[' && c != ']' && c != ';' && c != ':')) {
            st_.lastEnds = false;
            ++st_.sigIndex;
            return lineCol_;
        }
    }
    ResolvePending(t);
    const std::size_t index = st_.sigIndex;
    Frame* top = Top();
    const bool freshStmt = top != nullptr && top->kind == FrameKind::Stmt && top->pushedAt + 1 == index;
    // A class's heading (heritage, sealed, helper for) lasts until its first member.
    if (top != nullptr && top->kind == FrameKind::Class && top->head && st_.depth == top->depth) {
        const bool headingWord =
            (t.kind == Kind::Symbol && (Text(t) == "(" || Text(t) == ")" || Text(t) == ";")) ||
            t.word == Word::Of || t.word == Word::End || t.word == Word::For ||
            (t.kind == Kind::Identifier &&
             (prevSig_->word == Word::For || EqualsWord(Text(t), "sealed") ||
              EqualsWord(Text(t), "abstract") || EqualsWord(Text(t), "helper")));
        if (!headingWord || lineFirst) top->head = false;
        if (t.word == Word::Of && (prevSig_->word == Word::Class || prevSig_->word == Word::Object)) {
            st_.frames.pop_back();  // class of: a class reference type
            top = Top();
        }
    }
    const int here = lineFirst ? Cur() : lineCol_;
    int anchor = Cur();
    bool ends = false;
    const bool afterEnds = st_.lastEnds || index == 0 || prevSig_->word == Word::Class;
    const char sym = t.kind == Kind::Symbol ? t_[t.offset] : '\0';

    if (t.kind == Kind::Reserved) {
        if (st_.typeAlias && t.word != Word::Type) st_.typeAlias = false;
        switch (t.word) {
            case Word::End:
                anchor = CloseEnd();
                ends = true;
                break;
            case Word::Until:
                anchor = CloseUntil();
                break;
            case Word::Except:
            case Word::Finally:
                anchor = TryPart();
                ends = true;
                break;
            case Word::Else:
                anchor = Else();
                ends = true;
                break;
            case Word::Begin:
            case Word::Try:
            case Word::Repeat:
            case Word::Case:
            case Word::Asm: {
                if (t.word == Word::Begin || t.word == Word::Asm) {
                    st_.inHeading = false;
                    PopWhile(FrameKind::Section);
                }
                int col = lineFirst ? Cur() : lineCol_;
                if (TopIs(FrameKind::Routine) && (t.word == Word::Begin || t.word == Word::Asm)) {
                    col = st_.frames.back().col;
                    st_.frames.pop_back();
                } else if (freshStmt && st_.frames.back().stmt != StmtKind::Label) {
                    col = st_.frames.back().col;  // if ... then / begin: at the statement's level
                } else if (freshStmt && !lineFirst) {
                    col = st_.frames.back().col;  // 1: begin ... end
                }
                const Frame* outer = Enclosing();
                const bool variant =
                    t.word == Word::Case && outer != nullptr &&
                    (outer->kind == FrameKind::Record || (outer->kind == FrameKind::Case && outer->variant));
                anchor = col;
                const FrameKind kind = t.word == Word::Begin    ? FrameKind::Block
                                       : t.word == Word::Try    ? FrameKind::Try
                                       : t.word == Word::Repeat ? FrameKind::Repeat
                                       : t.word == Word::Case   ? FrameKind::Case
                                                                : FrameKind::Asm;
                Push(kind, col);
                st_.frames.back().head = t.word == Word::Case;
                st_.frames.back().variant = variant;
                if (t.word == Word::Asm) st_.asmMode = true;
                ends = t.word != Word::Case;
                break;
            }
            case Word::Of:
                if (top != nullptr && top->kind == FrameKind::Case && top->head && top->depth == st_.depth) {
                    top->head = false;
                    ends = true;
                }
                break;
            case Word::Then:
            case Word::Do:
                PushStmt(t.word == Word::Then ? StmtKind::Then : StmtKind::Do, st_.stmtOut);
                ends = true;
                break;
            case Word::Var:
            case Word::Const:
            case Word::Type:
            case Word::Label:
            case Word::Resourcestring:
            case Word::Threadvar: {
                if (t.word == Word::Type && prevSig_->kind == Kind::Symbol && prevSig_->sym == '=' &&
                    prevSig_->sym2 == 0) {
                    st_.typeAlias = true;
                    break;
                }
                const Frame* outer = Enclosing();
                const bool inCode = outer != nullptr && outer->kind != FrameKind::Section &&
                                    outer->kind != FrameKind::Routine && outer->kind != FrameKind::Class &&
                                    outer->kind != FrameKind::Record;
                if (!afterEnds || st_.depth > TopDepth() || st_.inHeading || inCode) break;
                PopWhile(FrameKind::Section);
                anchor = TopIs(FrameKind::Routine) ? st_.frames.back().col : (lineFirst ? Cur() : lineCol_);
                Push(FrameKind::Section, anchor);
                ends = true;
                break;
            }
            case Word::Procedure:
            case Word::Function:
            case Word::Constructor:
            case Word::Destructor:
            case Word::Property: {
                const bool heading = afterEnds && st_.depth <= TopDepth();
                if (heading) {
                    PopWhile(FrameKind::Section);
                    anchor = Cur();
                    const Frame* outer = Enclosing();
                    st_.headingBody = t.word != Word::Property && st_.part != UnitPart::Interface &&
                                      prevSig_->word != Word::Class &&
                                      !(outer != nullptr && (outer->kind == FrameKind::Class ||
                                                             outer->kind == FrameKind::Record));
                    st_.headingCol = lineFirst ? anchor : lineCol_;
                } else {
                    st_.headingBody = false;
                }
                st_.inHeading = true;
                st_.headingDepth = st_.depth;
                break;
            }
            case Word::Class:
            case Word::Object:
            case Word::Dispinterface:
            case Word::Interface:
            case Word::Record: {
                const bool afterEquals =
                    (prevSig_->kind == Kind::Symbol && prevSig_->sym == '=' && prevSig_->sym2 == 0) ||
                    prevSig_->word == Word::Packed;
                if (t.word == Word::Record || afterEquals) {
                    Push(t.word == Word::Record ? FrameKind::Record : FrameKind::Class,
                         lineFirst ? here : lineCol_);
                    st_.frames.back().head = t.word != Word::Record;
                    anchor = here;
                    ends = true;
                } else if (t.word == Word::Interface) {
                    st_.frames.clear();
                    st_.part = UnitPart::Interface;
                    st_.pendingRoutine = false;
                    anchor = base_;
                    ends = true;
                } else if (t.word == Word::Class && lineFirst) {
                    PascalToken sig;
                    if (NextSignificant(next, sig) && sig.kind == Kind::Reserved && sig.word != Word::Of)
                        PopWhile(FrameKind::Section);  // class procedure, class var, ...
                    anchor = Cur();
                }
                break;
            }
            case Word::Implementation:
                st_.frames.clear();
                st_.part = UnitPart::Implementation;
                anchor = base_;
                ends = true;
                break;
            case Word::Initialization:
            case Word::Finalization:
                st_.frames.clear();
                anchor = base_;
                Push(FrameKind::Block, base_);
                ends = true;
                break;
            case Word::Program:
            case Word::Library:
                st_.part = UnitPart::Implementation;
                break;
            default:
                break;
        }
    } else if (t.kind == Kind::Identifier) {
        if (lineFirst && st_.depth <= TopDepth() && IsVisibility(t, next)) {
            for (auto it = st_.frames.rbegin(); it != st_.frames.rend(); ++it) {
                if (it->kind == FrameKind::Class || it->kind == FrameKind::Record) {
                    st_.frames.erase(it.base(), st_.frames.end());
                    break;
                }
            }
            if (TopIs(FrameKind::Class) || TopIs(FrameKind::Record)) {
                anchor = st_.frames.back().col;
                st_.frames.back().head = false;
            } else {
                // A piece of a class declaration: what follows are its members.
                anchor = Cur();
                Push(FrameKind::Class, anchor);
            }
            ends = true;
        } else if (!lineFirst && prevSig_->kind == Kind::Identifier && EqualsWord(prevText_, "strict") &&
                   (EqualsWord(Text(t), "private") || EqualsWord(Text(t), "protected"))) {
            ends = true;
        } else if (st_.typeAlias && EqualsWord(Text(t), "helper")) {
            Push(FrameKind::Class, lineCol_);
            st_.frames.back().head = true;
        } else if (lineFirst && afterEnds && st_.depth <= TopDepth() && EqualsWord(Text(t), "operator")) {
            // Free Pascal's operator overloads are routines too.
            PopWhile(FrameKind::Section);
            anchor = Cur();
            const Frame* outer = Enclosing();
            st_.headingBody =
                st_.part != UnitPart::Interface &&
                !(outer != nullptr && (outer->kind == FrameKind::Class || outer->kind == FrameKind::Record));
            st_.headingCol = anchor;
            st_.inHeading = true;
            st_.headingDepth = st_.depth;
        }
        st_.typeAlias = false;
    } else if (t.kind == Kind::Symbol) {
        switch (sym) {
            case '(':
            case '[':
                ++st_.depth;
                break;
            case ')':
            case ']':
                st_.depth = std::max(0, st_.depth - 1);
                while (!st_.frames.empty() && st_.frames.back().depth > st_.depth) st_.frames.pop_back();
                if (TopIs(FrameKind::Class) && st_.frames.back().head && st_.frames.back().depth == st_.depth)
                    ends = true;
                break;
            case ';':
                if (t.length != 1) break;
                if (st_.inHeading && st_.depth <= st_.headingDepth) {
                    st_.inHeading = false;
                    if (st_.headingBody) {
                        st_.pendingRoutine = true;
                        st_.pendingCol = st_.headingCol;
                    }
                    st_.headingBody = false;
                }
                while (TopIs(FrameKind::Stmt) && st_.frames.back().depth >= st_.depth) st_.frames.pop_back();
                if (TopIs(FrameKind::Class) && st_.frames.back().head && st_.frames.back().depth == st_.depth)
                    st_.frames.pop_back();  // a forward declaration
                ends = st_.depth <= TopDepth();
                break;
            case ':':
                if (t.length == 1 && top != nullptr && top == Top() && top->kind == FrameKind::Case &&
                    !top->head && !top->inElse && top->depth == st_.depth) {
                    PushStmt(StmtKind::Label, st_.stmtOut);
                    ends = true;
                }
                break;
            default:
                break;
        }
        st_.typeAlias = false;
    } else {
        st_.typeAlias = false;
    }
    st_.lastEnds = ends;
    ++st_.sigIndex;
    return anchor;
}

// {$IF...}, {$ELSE...} and {$ENDIF} (or {$IFEND}, and the Mac forms {$IFC}, {$ELSEC}, {$ENDC}).
// The column of the directive's line: {$ELSE} and {$ENDIF} line up with their {$IF}.
int Formatter::Conditional(const PascalToken& t, int col) {
    std::string_view s = Text(t);
    s.remove_prefix(s.front() == '{' ? 2 : 3);
    std::size_t n = 0;
    while (n < s.size() && ((s[n] >= 'a' && s[n] <= 'z') || (s[n] >= 'A' && s[n] <= 'Z'))) ++n;
    const std::string_view name = s.substr(0, n);
    const auto is = [&](std::string_view w) { return EqualIgnoringAsciiCase(name, w); };
    if (is("if") || is("ifdef") || is("ifndef") || is("ifopt") || is("ifc")) {
        // Entries are kept for reuse, so that the copies of the structure keep their memory.
        if (openConditionals_ == conditionals_.size()) conditionals_.emplace_back();
        struct Conditional& c = conditionals_[openConditionals_++];
        c.col = col;
        c.hasElse = false;
        c.tracked = openConditionals_ <= kMaxConditionals && st_.frames.size() <= kMaxTrackedFrames;
        if (c.tracked) c.atIf = st_;
    } else if (is("else") || is("elseif") || is("elsec") || is("elifc")) {
        if (openConditionals_ == 0) return col;
        struct Conditional& c = conditionals_[openConditionals_ - 1];
        if (!c.tracked) return c.col;
        if (!c.hasElse) {
            c.hasElse = true;
            c.firstBranchEnd = st_;
        }
        st_ = c.atIf;
        return c.col;
    } else if (is("endif") || is("ifend") || is("endc")) {
        if (openConditionals_ == 0) return col;
        const struct Conditional& c = conditionals_[--openConditionals_];
        if (c.tracked && c.hasElse) st_ = c.firstBranchEnd;
        return c.col;
    }
    return col;
}

bool Formatter::LineHoldsOnlyDirectives(const PascalToken& t) const {
    PascalScanner peek = scanner_;
    peek.Seek(t.offset + t.length);
    std::size_t end = t.offset + t.length;
    PascalToken n;
    while (peek.Next(n)) {
        if (HasBreak(t_.substr(end, n.offset - end))) return true;
        if (n.kind != Kind::Directive && n.kind != Kind::Comment) return false;
        end = n.offset + n.length;
    }
    return true;
}

void Formatter::Classify(const PascalToken& t, const PascalToken* next, Sig& s) const {
    s = Sig{};
    s.any = true;
    s.kind = t.kind;
    s.word = t.word;
    if (t.kind == Kind::Reserved) {
        s.binary = IsWordOperator(t.word);
        return;
    }
    if (t.kind != Kind::Symbol) return;
    const std::string_view text = Text(t);
    s.sym = text[0];
    s.sym2 = text.size() > 1 ? text[1] : '\0';
    const Sig& p = *prevSig_;
    const bool operand =
        p.any && ((p.kind != Kind::Symbol && p.kind != Kind::Reserved) || p.word == Word::Nil ||
                  (p.kind == Kind::Symbol && p.sym2 == 0 &&
                   (p.sym == ')' || p.sym == ']' || (p.sym == '^' && !p.unary))));
    if (text.size() == 2) {
        s.assign = text == ":=" || text == "+=" || text == "-=" || text == "*=" || text == "/=";
        s.binary = !s.assign && text != "..";
        return;
    }
    switch (text[0]) {
        case '+':
        case '-':
            s.unary = !operand;
            s.binary = operand;
            break;
        case '*':
        case '/':
        case '=':
            s.binary = true;
            break;
        case '@':
            s.unary = true;
            break;
        case '^':
            s.unary = !(p.any && (p.kind == Kind::Identifier ||
                                  (p.kind == Kind::Symbol && p.sym2 == 0 &&
                                   (p.sym == ')' || p.sym == ']' || (p.sym == '^' && !p.unary)))));
            break;
        case '<':
        case '>': {
            // A comparison where a generic's brackets cannot stand; elsewhere as written.
            const bool literalBefore =
                p.any && (p.kind == Kind::Number || p.kind == Kind::String || p.kind == Kind::Character ||
                          (p.kind == Kind::Symbol && (p.sym == ')' || p.sym == ']')));
            bool literalAfter = false;
            if (next != nullptr) {
                literalAfter = next->kind == Kind::Number || next->kind == Kind::String ||
                               next->kind == Kind::Character ||
                               (text[0] == '<' && next->kind == Kind::Symbol && t_[next->offset] == '(');
            }
            s.binary = literalBefore || literalAfter;
            s.angleAsWritten = !s.binary;
            break;
        }
        case ':':
            s.declColon = st_.inHeading || st_.depth <= TopDepth();
            break;
        default:
            break;
    }
}

void Formatter::InlineGap(const PascalToken& prev, const PascalToken& cur, const Sig& b,
                          std::string_view gap) {
    enum { Keep, None, One } rule = Keep;
    const Sig& a = *prevSig_;
    const auto sym = [](const Sig& s, char c) { return s.kind == Kind::Symbol && s.sym == c && s.sym2 == 0; };
    const bool ops = style_.spaceAroundOperators;
    if (prev.kind == Kind::Comment || prev.kind == Kind::Directive || cur.kind == Kind::Comment ||
        cur.kind == Kind::Directive) {
        rule = Keep;
    } else if (sym(b, ',') || sym(b, ';') || sym(a, '(') || sym(a, '[') || sym(b, ')') || sym(b, ']')) {
        rule = None;
    } else if (sym(a, ',') || sym(a, ';')) {
        rule = One;
    } else if ((a.kind == Kind::Symbol && a.sym == '.' && a.sym2 == '.') ||
               (b.kind == Kind::Symbol && b.sym == '.' && b.sym2 == '.')) {
        rule = None;
    } else if (a.assign || b.assign || a.binary || b.binary) {
        rule = ops ? One : Keep;
    } else if ((IsControlWord(a.word) && sym(b, '(')) ||
               ((sym(a, ')') || sym(a, ']')) && IsControlWord(b.word))) {
        rule = One;
    } else if (a.angleAsWritten || b.angleAsWritten) {
        rule = Keep;
    } else if (b.declColon) {
        rule = None;
    } else if (a.declColon) {
        rule = One;
    } else if (a.unary) {
        rule = None;
    } else if (IsWordLike(a.kind) && IsWordLike(b.kind)) {
        rule = gap.empty() ? Keep : One;
    }
    // Blanks that keep two tokens apart stay; none come between two the compiler reads as one.
    if ((rule == None && !gap.empty()) || (rule == One && gap.empty())) {
        if (WouldMerge(Text(prev), Text(cur))) rule = Keep;
    }
    switch (rule) {
        case Keep:
            Put(gap);
            break;
        case None:
            break;
        case One:
            Put(' ');
            break;
    }
}

void Formatter::EmitBreaks(std::string_view gap) {
    // Blanks between a lone CR and an LF stay as one blank: without it the two line breaks
    // would become one CR LF.
    bool afterLoneCr = false, blank = false;
    for (std::size_t k = 0; k < gap.size(); ++k) {
        const char c = gap[k];
        if (!IsBreak(c)) {
            blank = afterLoneCr;
            continue;
        }
        if (c == '\n' && blank) Put(' ');
        Put(c);
        afterLoneCr = c == '\r' && (k + 1 == gap.size() || gap[k + 1] != '\n');
        blank = false;
    }
}

int Formatter::WrittenColumn(std::string_view gap) const {
    std::size_t k = gap.size();
    while (k > 0 && !IsBreak(gap[k - 1])) --k;
    int col = 0;
    for (; k < gap.size(); ++k) {
        col = gap[k] == '\t' ? (col / tabWidth_ + 1) * tabWidth_ : col + 1;
        if (col > 1'000'000) break;  // beyond any clamp
    }
    return col;
}

void Formatter::EmitToken(const PascalToken& t) {
    const std::string_view text = Text(t);
    if (t.kind != Kind::Reserved || style_.reservedWords == ReservedWordCase::Keep || st_.asmMode) {
        // Most tokens are short: a copy of a fixed 16 bytes is one move, where a copy of the
        // token's own length is a call. The bytes past the token are overwritten next.
        if (text.size() <= 16 && t.offset + 16 <= t_.size()) {
            std::memcpy(Room(16), text.data(), 16);
            len_ += text.size();
        } else {
            Put(text);
        }
        return;
    }
    // Reserved words are ASCII letters only.
    char* at = Room(text.size());
    const bool upper = style_.reservedWords == ReservedWordCase::Upper;
    for (char c : text) *at++ = static_cast<char>(upper ? c & ~0x20 : c | 0x20);
    len_ += text.size();
}

void Formatter::Flush(bool all) {
    if (write_ == nullptr || (!all && len_ < kPiece)) return;
    if (len_ > 0) (*write_)(std::string_view(out_.data(), len_));
    len_ = 0;
}

std::string Formatter::Run() {
    std::size_t start = 0;
    if (t_.starts_with(kByteOrderMark)) {
        Put(kByteOrderMark);
        start = kByteOrderMark.size();
    }
    scanner_.Seek(start);
    PascalToken cur, next, prev;
    bool hasCur = scanner_.Next(cur);
    bool first = true;
    std::size_t prevEnd = start;
    while (hasCur) {
        const bool hasNext = scanner_.Next(next);
        const PascalToken* peek = hasNext ? &next : nullptr;
        const std::string_view gap(t_.data() + prevEnd, cur.offset - prevEnd);
        const bool lineStart = first || cur.afterBreak;
        const bool significant = cur.kind != Kind::Comment && cur.kind != Kind::Directive;
        const bool asmBody = st_.asmMode && !(cur.kind == Kind::Reserved && cur.word == Word::End &&
                                              !(prev.kind == Kind::Symbol && t_[prev.offset] == '@'));
        if (asmBody) {
            // The assembler's own layout is kept as it is, byte for byte.
            Put(gap);
            Put(Text(cur));
        } else {
            Sig& sig = prevSig_ == &sigs_[0] ? sigs_[1] : sigs_[0];
            if (significant) Classify(cur, peek, sig);
            if (lineStart) {
                if (st_.asmMode) {
                    std::size_t k = gap.size();
                    while (k > 0 && !IsBreak(gap[k - 1])) --k;
                    Put(gap.substr(0, k));
                } else {
                    EmitBreaks(gap);
                }
                const int written = WrittenColumn(gap);
                if (first) {
                    base_ = std::min(written, 1'000'000);
                    maxCol_ = std::max(base_, kMaxColumn);
                    st_.stmtOut = base_;
                    st_.stmtIn = written;
                }
                const int continued = Clamp(st_.stmtOut + (written - st_.stmtIn));
                const bool fresh = first || st_.lastEnds || (significant && ForcesFreshLine(cur, peek));
                int col = fresh ? Cur() : continued;
                if (significant) {
                    lineCol_ = col;
                    const int anchor = Consume(cur, peek, true);
                    if (fresh) {
                        col = first ? base_ : anchor;
                        st_.stmtOut = col;
                        st_.stmtIn = written;
                    }
                } else if (cur.kind == Kind::Directive) {
                    // At column 0 before an {$IF} records its column, so that its {$ENDIF} follows it.
                    const bool column0 = style_.directivesAtColumn0 && LineHoldsOnlyDirectives(cur);
                    col = Conditional(cur, column0 ? 0 : col);
                    if (column0) col = 0;
                } else if (first) {
                    col = base_;
                }
                if (first && !significant) col = base_;
                lineCol_ = col;
                PutBlanks(static_cast<std::size_t>(col));
            } else {
                if (st_.asmMode) {
                    Put(gap);
                } else {
                    InlineGap(prev, cur, sig, gap);
                }
                if (significant) {
                    Consume(cur, peek, false);
                } else if (cur.kind == Kind::Directive) {
                    Conditional(cur, lineCol_);
                }
            }
            EmitToken(cur);
            if (significant) {
                prevSig_ = &sig;
                prevText_ = Text(cur);
            }
        }
        prev = cur;
        prevEnd = cur.offset + cur.length;
        cur = next;
        hasCur = hasNext;
        first = false;
        Flush(false);
    }
    EmitBreaks(t_.substr(prevEnd));
    Flush(true);
    out_.resize(len_);
    return std::move(out_);
}

}  // namespace

std::optional<ReservedWordCase> ParseReservedWordCase(std::string_view text) {
    if (EqualIgnoringAsciiCase(text, "lower")) return ReservedWordCase::Lower;
    if (EqualIgnoringAsciiCase(text, "upper")) return ReservedWordCase::Upper;
    if (EqualIgnoringAsciiCase(text, "keep")) return ReservedWordCase::Keep;
    return std::nullopt;
}

std::string FormatPascal(std::string_view text, const FormatStyle& style) {
    return Formatter(text, style, nullptr).Run();
}

void FormatPascal(std::string_view text, const FormatStyle& style,
                  const std::function<void(std::string_view)>& write) {
    Formatter(text, style, &write).Run();
}

}  // namespace tavrill
