#include "text/PascalTokens.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

// The spans written as kind letter and text: R reserved, I identifier, N number,
// S string, H character (#), C comment, D directive.
std::string Render(std::string_view text) {
    std::string out;
    for (const PascalSpan& s : PascalTokens(text)) {
        out += out.empty() ? "" : " ";
        out += "RINSHCD"[static_cast<int>(s.kind)];
        out += ':';
        out += text.substr(s.offset, s.length);
    }
    return out;
}

TEST(PascalTokensTest, EachKindWithItsEdges) {
    const struct {
        std::string_view text, spans;
    } cases[] = {
        {"BEGIN x:=1; End", "R:BEGIN I:x N:1 R:End"},
        {"&begin beginning _a1", "I:&begin I:beginning I:_a1"},
        {"Größe := 2", "I:Größe N:2"},
        {"1.5e-3 $FF 1..9 2e x", "N:1.5e-3 N:$FF N:1 N:9 N:2 I:e I:x"},
        {"s := 'it''s';", "I:s S:'it''s'"},
        {"'' ''''", "S:'' S:''''"},
        {"'open\r\nx", "S:'open I:x"},
        {"'a'#13#10'b'#$0A", "S:'a' H:#13 H:#10 S:'b' H:#$0A"},
        {"a // b { c\r\nd", "I:a C:// b { c I:d"},
        {"{ one\r\n(* two } x", "C:{ one\r\n(* two } I:x"},
        {"(* { *) x (*) y *)", "C:(* { *) I:x C:(*) y *)"},
        {"{$IFDEF X} (*$R+*) {$", "D:{$IFDEF X} D:(*$R+*) D:{$"},
        {"{ open to the end\r\nbegin", "C:{ open to the end\r\nbegin"},
        {"(* open", "C:(* open"},
        {"x: Integer; // end", "I:x I:Integer C:// end"},
        {"", ""},
        {"implementation Implementation", "R:implementation R:Implementation"},
        {"\xEF\xBB\xBFunit U;", "R:unit I:U"},
        {"'open\nx", "S:'open I:x"},
        {"x // note \t\r\ny", "I:x C:// note I:y"},
        {"s := '''\n  it's ''\n  ''';", "I:s S:'''\n  it's ''\n  '''"},
        {"s := ''''\nx", "I:s S:'''' I:x"},
        {"s := '''\nnever closed", "I:s S:''' I:never I:closed"},
    };
    for (const auto& c : cases) EXPECT_EQ(Render(c.text), c.spans) << c.text;
}

// The formatter reads symbols too: a compound operator is one token, any other byte its own.
TEST(PascalTokensTest, ScannerGivesSymbolsAsTokens) {
    const std::string_view text = "a:=b<>c..d>=e(*x*)>>f\x0c";
    std::string out;
    PascalScanner scanner(text);
    for (PascalToken t; scanner.Next(t);) out += std::string(text.substr(t.offset, t.length)) + "|";
    EXPECT_EQ(out, "a|:=|b|<>|c|..|d|>=|e|(*x*)|>|>|f|\x0c|");
}

}  // namespace
}  // namespace tavrill
