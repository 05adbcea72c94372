#pragma once
// The Object Pascal tokens of a text, found in one pass: the one lexer of the product. The stash
// preview colours the spans; the formatter reads every token, symbols included, through the
// scanner. Pure; the text is UTF-8 and only ASCII bytes decide anything.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tavrill {

enum class PascalKind {
    Reserved,    // begin, end, procedure, ... in any letter case
    Identifier,  // also an escaped reserved word (&begin)
    Number,      // 12, 1.5e-3, $FF
    String,      // 'it''s', an unterminated one up to the line's end, and a ''' block of lines '''
    Character,   // #13, #$0A: one span for each
    Comment,     // { }, (* *) and // to the line's end; an open one to the end of the text
    Directive,   // {$IFDEF X} and (*$R+*)
};

struct PascalSpan {
    std::size_t offset = 0;  // in bytes
    std::size_t length = 0;
    PascalKind kind = PascalKind::Identifier;
    bool operator==(const PascalSpan&) const = default;
};

// The spans in text order, not overlapping. Blanks, line breaks and symbols
// belong to no span.
std::vector<PascalSpan> PascalTokens(std::string_view text);

// The reserved words, in alphabetical order (the table in PascalTokens.cpp follows it).
enum class PascalWord : std::uint8_t {
    None,
    And,
    Array,
    As,
    Asm,
    Begin,
    Case,
    Class,
    Const,
    Constructor,
    Destructor,
    Dispinterface,
    Div,
    Do,
    Downto,
    Else,
    End,
    Except,
    Exports,
    File,
    Finalization,
    Finally,
    For,
    Function,
    Goto,
    If,
    Implementation,
    In,
    Inherited,
    Initialization,
    Inline,
    Interface,
    Is,
    Label,
    Library,
    Mod,
    Nil,
    Not,
    Object,
    Of,
    Or,
    Out,
    Packed,
    Procedure,
    Program,
    Property,
    Raise,
    Record,
    Repeat,
    Resourcestring,
    Set,
    Shl,
    Shr,
    String,
    Then,
    Threadvar,
    To,
    Try,
    Type,
    Unit,
    Until,
    Uses,
    Var,
    While,
    With,
    Xor,
};

enum class PascalTokenKind : std::uint8_t {
    Reserved,
    Identifier,
    Number,
    String,
    Character,
    Comment,
    Directive,
    Symbol,  // := <= >= <> .. += -= *= /= ** >< as one token; any other byte on its own
};

struct PascalToken {
    std::size_t offset = 0;
    std::size_t length = 0;
    PascalTokenKind kind = PascalTokenKind::Symbol;
    PascalWord word = PascalWord::None;  // for Reserved
    bool afterBreak = false;             // a line break stands between it and the token before
};

// Token by token, for readers that want every symbol as well (the formatter). Blanks, tabs and
// line breaks (CR LF, LF, CR) separate tokens and belong to none; a // comment leaves the blanks
// at its line's end outside, so that they count as trailing blanks.
class PascalScanner {
public:
    // A UTF-8 byte order mark at the very start belongs to no token.
    explicit PascalScanner(std::string_view text, std::size_t from = 0)
        : t_(text), i_(from == 0 && text.starts_with("\xEF\xBB\xBF") ? 3 : from) {}
    // The next token, or false at the end of the text.
    bool Next(PascalToken& token);
    std::size_t Position() const { return i_; }
    // Goes on from another place of the same text (a copy of a scanner looking ahead keeps what
    // the original learnt about unclosed strings).
    void Seek(std::size_t position) { i_ = position; }

private:
    std::size_t SkipQuoted(std::size_t from) const;
    std::size_t MultiLineStringEnd(std::size_t from, std::size_t quotes);

    std::string_view t_;
    std::size_t i_ = 0;
    // No line after failedFrom_ starts with failedQuotes_ quotes or more: remembered so that many
    // unclosed openers cost one search, not one each to the end of the text.
    std::size_t failedFrom_ = 0;
    std::size_t failedQuotes_ = 0;
};

}  // namespace tavrill
