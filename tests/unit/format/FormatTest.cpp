#include "format/Format.h"

#include <gtest/gtest.h>

namespace tavrill {
namespace {

struct Case {
    std::string_view in, out;
};

// Each rule as input -> output; every output must also come back unchanged.
void ExpectFormats(const Case (&cases)[], std::size_t n, const FormatStyle& style = {}) {
    for (std::size_t k = 0; k < n; ++k) {
        const Case& c = cases[k];
        const std::string once = FormatPascal(c.in, style);
        EXPECT_EQ(once, c.out) << "input:\n" << c.in;
        EXPECT_EQ(FormatPascal(once, style), once) << "not idempotent:\n" << c.in;
    }
}
#define EXPECT_FORMATS(cases, ...) ExpectFormats(cases, std::size(cases) __VA_OPT__(, ) __VA_ARGS__)

TEST(FormatTest, IndentationFollowsTheStructure) {
    const Case cases[] = {
        {"begin\nx;\nbegin\ny;\nend;\nend;", "begin\n  x;\n  begin\n    y;\n  end;\nend;"},
        {"if a then\nx\nelse\ny;\nz;", "if a then\n  x\nelse\n  y;\nz;"},
        {"if a then\nbegin\nx;\nend\nelse if b then\ny;",
         "if a then\nbegin\n  x;\nend\nelse if b then\n  y;"},
        {"if a then begin\nx;\nend else begin\ny;\nend;",
         "if a then begin\n  x;\nend else begin\n  y;\nend;"},
        {"for i := 0 to 9 do\nif a then\nb;\nc;", "for i := 0 to 9 do\n  if a then\n    b;\nc;"},
        {"while a do\nbegin\nb;\nend;", "while a do\nbegin\n  b;\nend;"},
        {"case x of\n1: a;\n2:\nb;\n3: begin\nc;\nend;\nelse\nd;\ne;\nend;",
         "case x of\n  1: a;\n  2:\n    b;\n  3: begin\n    c;\n  end;\nelse\n  d;\n  e;\nend;"},
        {"case x of\n1:\nbegin\nc;\nend;\nend;", "case x of\n  1:\n    begin\n      c;\n    end;\nend;"},
        {"case x of\n1: if a then b else c;\nelse d;\nend;",
         "case x of\n  1: if a then b else c;\nelse d;\nend;"},
        {"try\nx;\nexcept\non E: Exception do\ny;\nend;",
         "try\n  x;\nexcept\n  on E: Exception do\n    y;\nend;"},
        {"try\nx;\nfinally\ny;\nend;", "try\n  x;\nfinally\n  y;\nend;"},
        {"repeat\nx;\nuntil y;", "repeat\n  x;\nuntil y;"},
        {"type\nTFoo = class(TBase)\nprivate\nFX: Integer;\nstrict protected\nprocedure A; virtual;\n"
         "public\nproperty X: Integer read FX;\nend;\nTFwd = class;\nTRef = class of TFoo;\nTRec = record\n"
         "a: Integer;\ncase Byte of\n0: (b: Char);\nend;",
         "type\n  TFoo = class(TBase)\n  private\n    FX: Integer;\n  strict protected\n    procedure A; "
         "virtual;\n"
         "  public\n    property X: Integer read FX;\n  end;\n  TFwd = class;\n  TRef = class of TFoo;\n"
         "  TRec = record\n    a: Integer;\n    case Byte of\n      0: (b: Char);\n  end;"},
        {"implementation\nprocedure A;\nprocedure B;\nbegin\nend;\nvar\nx: Integer;\nbegin\nend;",
         "implementation\nprocedure A;\n  procedure B;\n  begin\n  end;\nvar\n  x: Integer;\nbegin\nend;"},
        {"interface\nprocedure A;\nprocedure B;\nconst\nC = 1;",
         "interface\nprocedure A;\nprocedure B;\nconst\n  C = 1;"},
        {"function F: Integer; external 'lib';\nvar\nx: Integer;",
         "function F: Integer; external 'lib';\nvar\n  x: Integer;"},
        {"x := Foo(a,\n      b) +\n   c;\ny;", "x := Foo(a,\n      b) +\n   c;\ny;"},
        {"begin\n   x := Foo(a,\n            b);\nend;", "begin\n  x := Foo(a,\n           b);\nend;"},
        {"initialization\nx;\nfinalization\ny;\nend.", "initialization\n  x;\nfinalization\n  y;\nend."},
        {"begin\n\tx;\n  \t  y;\nend;", "begin\n  x;\n  y;\nend;"},
    };
    EXPECT_FORMATS(cases);
    const Case four[] = {{"begin\nif a then\nb;\nend;", "begin\n    if a then\n        b;\nend;"}};
    EXPECT_FORMATS(four, FormatStyle{.indentSize = 4});
}

TEST(FormatTest, SpacingWithinALine) {
    const Case cases[] = {
        {"x:=a+b*c-d/e;", "x := a + b * c - d / e;"},
        {"if(a=b)and(c<>d)then", "if (a = b) and (c <> d) then"},
        {"f( a , b ,c ) ;", "f(a, b, c);"},
        {"x := - 1; y := a * -b; p := @ q; r := ^ T;", "x := -1; y := a * -b; p := @q; r := ^T;"},
        {"a[ 1 .. 9 ] := p ^. x;", "a[1..9] := p ^. x;"},
        {"var x : Integer; procedure P(a : Integer; b:string);",
         "var x: Integer; procedure P(a: Integer; b: string);"},
        {"Write(x:10:2); s := 'a'  +  #13#10;", "Write(x:10:2); s := 'a' + #13#10;"},
        {"if i<10 then x := TList<Integer>.Create;", "if i < 10 then x := TList<Integer>.Create;"},
        {"if a<b then", "if a<b then"},
        {"x := a  ;  // note  ", "x := a;  // note"},
        {"x := y{c}+z; a:=a shr 2", "x := y{c}+ z; a := a shr 2"},
        {"f( (*c*)a);  (* (x) *)", "f( (*c*)a);  (* (x) *)"},
        {"x := a- -b; y := a > > b; z := ( .5 .)", "x := a - -b; y := a > > b; z := ( .5 .)"},
    };
    EXPECT_FORMATS(cases);
    const Case kept[] = {{"x:=a+b;f( a,b )", "x:=a+b; f(a, b)"}};
    EXPECT_FORMATS(kept, FormatStyle{.spaceAroundOperators = false});
}

TEST(FormatTest, ReservedWordsTakeTheChosenCase) {
    const Case lower[] = {{"BEGIN Result := Nil; End; &Begin; Override; Begin2",
                           "begin Result := nil; end; &Begin; Override; Begin2"}};
    EXPECT_FORMATS(lower);
    const Case upper[] = {{"begin x := a div b; end;", "BEGIN x := a DIV b; END;"}};
    EXPECT_FORMATS(upper, FormatStyle{.reservedWords = ReservedWordCase::Upper});
    const Case keep[] = {{"Begin x; END;", "Begin x; END;"}};
    EXPECT_FORMATS(keep, FormatStyle{.reservedWords = ReservedWordCase::Keep});
}

TEST(FormatTest, LineBreaksStayWhereAndWhatTheyAre) {
    const Case cases[] = {
        {"begin\r\nx;\ny;\rz;\r\nend;", "begin\r\n  x;\n  y;\r  z;\r\nend;"},
        {"begin  \r\n   \r\n\tx;\t\r\n\r\nend;  \r\n  ", "begin\r\n\r\n  x;\r\n\r\nend;\r\n"},
        {"a;\r  \nb;\r\t", "a;\r \nb;\r"},
        {"", ""},
        {"  \n\n", "\n\n"},
        {"\xEF\xBB\xBFunit U;", "\xEF\xBB\xBFunit U;"},
    };
    EXPECT_FORMATS(cases);
}

TEST(FormatTest, StringsCommentsAndAssemblerStayByteForByte) {
    const Case cases[] = {
        {"begin\ns:='a  :=b' ;\nend;", "begin\n  s := 'a  :=b';\nend;"},
        {"begin\n{ one  \n      two }\nx;\nend;", "begin\n  { one  \n      two }\n  x;\nend;"},
        {"begin\nasm\n   mov eax,1  \n@@end: nop\nend;\nx;\nend;",
         "begin\n  asm\n   mov eax,1  \n@@end: nop\n  end;\n  x;\nend;"},
        {"begin\ns := '''\n    BEGIN  x:=1\n  ''';\nend;",
         "begin\n  s := '''\n    BEGIN  x:=1\n  ''';\nend;"},
        {"s := 'open\nbegin", "s := 'open\nbegin"},
    };
    EXPECT_FORMATS(cases);
}

TEST(FormatTest, FragmentsKeepTheirFirstLinesIndentation) {
    const Case cases[] = {
        {"    x := 1;\n  end;\n        y;\nend;", "    x := 1;\n    end;\n    y;\n    end;"},
        {"      1: a;\n      2:\n    b;\n    end;", "      1: a;\n      2:\n      b;\n      end;"},
        {"  private\n  FX: Integer;\n  public\n  procedure A;\n  end;",
         "  private\n    FX: Integer;\n  public\n    procedure A;\n  end;"},
        {"    if a then\n  begin\n  b;\n  end;", "    if a then\n    begin\n      b;\n    end;"},
        {"\t\tx;\n y;", "                x;\n                y;"},
        {"        b);\n  x;", "        b);\n        x;"},
        {"end; end; end.", "end; end; end."},
    };
    EXPECT_FORMATS(cases);
    // A written tab reaches the next multiple of the tab width, for the base and for the offset
    // of a statement's further lines alike.
    const Case tabs[] = {{"\tx := a +\n\t\tb;", "    x := a +\n        b;"}};
    EXPECT_FORMATS(tabs, {.tabWidth = 4});
}

TEST(FormatTest, DirectivesFollowTheCodeAndEachBranchStandsAlone) {
    const Case cases[] = {
        {"begin\n{$IFDEF A}\nif a then begin\n{$ELSE}\nif b then begin\n{$ENDIF}\nx;\nend;\nend;",
         "begin\n  {$IFDEF A}\n  if a then begin\n  {$ELSE}\n  if b then begin\n  {$ENDIF}\n    x;\n  "
         "end;\nend;"},
        {"{$ifdef A}\nprocedure P(a: Integer);\n{$else}\nprocedure P(a: Longint);\n{$endif}\nbegin\nx;\nend;",
         "{$ifdef A}\nprocedure P(a: Integer);\n{$else}\nprocedure P(a: Longint);\n{$endif}\nbegin\n  "
         "x;\nend;"},
        {"{$ENDIF}\n{$ELSE}\nx;", "{$ENDIF}\n{$ELSE}\nx;"},
    };
    EXPECT_FORMATS(cases);
    const Case column0[] = {
        {"begin\n{$IFDEF A} {x}\nx;{$R+}\n  {$ENDIF}\nend;",
         "begin\n{$IFDEF A} {x}\n  x;{$R+}\n{$ENDIF}\nend;"},
        {"f(a,\n     {$IFDEF A}\n     b{$ENDIF} x);", "f(a,\n{$IFDEF A}\n     b{$ENDIF} x);"},
        {"f(a,\n     {$IFDEF A}\n     b,\n     {$ENDIF} x);", "f(a,\n{$IFDEF A}\n     b,\n{$ENDIF} x);"},
    };
    EXPECT_FORMATS(column0, FormatStyle{.directivesAtColumn0 = true});
}

TEST(FormatTest, ReservedWordCaseIsReadFromItsSettingsName) {
    EXPECT_EQ(ParseReservedWordCase("Upper"), ReservedWordCase::Upper);
    EXPECT_EQ(ParseReservedWordCase("lower"), ReservedWordCase::Lower);
    EXPECT_EQ(ParseReservedWordCase("KEEP"), ReservedWordCase::Keep);
    EXPECT_EQ(ParseReservedWordCase("title"), std::nullopt);
    EXPECT_EQ(ParseReservedWordCase(""), std::nullopt);
}

}  // namespace
}  // namespace tavrill
