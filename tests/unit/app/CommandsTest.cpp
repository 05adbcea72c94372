// Every row of the command table, walked through the fake editor: a swapped,
// missing or miswired row fails here. Then the rules all editor commands share:
// nothing selected, a failed fetch, Cancel.
#include "app/Commands.h"

#include <gtest/gtest.h>

#include <map>

#include "MapProfile.h"
#include "TempFolder.h"
#include "app/SnippetInsert.h"
#include "base/Files.h"
#include "bridge/EditorFixture.h"
#include "text/Case.h"
#include "text/Indent.h"

namespace tavrill {
namespace {

// Answers every dialog the same way, or cancels them all; logs what the tool bar was asked to do.
struct FakeUi : CommandUi, TemplateUi {
    bool cancel = false;
    std::vector<std::string> log;
    bool onTop = true;

    template <class T>
    std::optional<T> Answer(const char* what, T value) {
        log.push_back(what);
        return cancel ? std::nullopt : std::optional<T>(std::move(value));
    }
    std::optional<IfValues> AskIfThen() override { return Answer("if", IfValues{"ok", true, "3", true}); }
    std::optional<ForNextValues> AskForNext() override {
        return Answer("for", ForNextValues{"i", "0", "9", true, true, "2"});
    }
    std::optional<WhileValues> AskWhile() override {
        return Answer("while", WhileValues{WhileKind::While, "go", true});
    }
    std::optional<CaseValues> AskCaseOf() override {
        return Answer("case", CaseValues{"k", true, "2", "1\r\n2"});
    }
    std::optional<ProcValues> AskProcedure() override {
        return Answer("proc", ProcValues{ProcKind::Function, "Run", "a: Integer", "Boolean"});
    }
    std::optional<std::string> AskFunctionCall() override { return Answer("call", std::string("Exit")); }
    std::optional<std::string> AskDefineName() override { return Answer("define", std::string("DEBUG")); }
    std::optional<std::string> AskRegionCaption() override { return Answer("region", std::string("Init")); }
    std::optional<std::string> AskIndent(std::string_view text) override {
        return Answer("indent", IndentDialogRewrite(text, true, "2"));
    }
    std::optional<SaveValues> AskSnippet(std::string_view code) override {
        return Answer("save", SaveValues{"snip", "d", "[" + std::string(code) + "]"});
    }
    std::optional<std::string> BrowseStash() override { return Answer("browse", std::string("snippet")); }
    std::optional<std::string> AskAlignToken(const std::vector<std::string>&) override {
        return Answer("align", std::string("="));
    }
    std::string NewGuid() override { return "{0A1B2C3D-0000-4000-8000-00000000000F}"; }
    TemplateUi& Templates() override { return *this; }
    std::optional<std::vector<std::string>> AskTemplateInputs(const std::vector<TemplateInput>&) override {
        return {};
    }
    TemplateValues SystemValues(TemplateNeeds) override { return {}; }
    PaletteChoice chosen;
    std::optional<PaletteChoice> FindInPalette() override { return Answer("palette", chosen); }
    void Minimize() override { log.push_back("minimize"); }
    bool StayOnTop() const override { return onTop; }
    void SetStayOnTop(bool on) override { onTop = on; }
    void EditShortcuts() override { log.push_back("shortcuts"); }
    void Exit() override { log.push_back("exit"); }
    void ShowAbout() override { log.push_back("about"); }
    void ShowHelp() override { log.push_back("help"); }
    void OpenWebPage(std::string_view address) override { log.push_back(std::string(address)); }
};

struct CommandsTest : testing::EditorFixture {
    FakeUi ui;
    testing::MapProfile ini;
    SettingsStore store{ini, "tavrill.ini"};
    Settings settings;
    testing::TempFolder dir;
    Folders folders{dir.Folder(), dir.Folder()};
    CommandContext context{bridge, ui, settings, store, folders};

    CommandsTest() {
        WriteFileBytes(dir.Folder() + "UnitHead.txt", "{ unit }\n");
        WriteFileBytes(dir.Folder() + "ProcHead.txt", "{ proc }");
    }
    void Run(std::string_view caption) {
        for (const CommandRow& row : Commands())
            if (row.caption == caption) return RunCommand(row, context);
        FAIL() << "no row " << caption;
    }
    bool Pasted() const {
        return std::any_of(host.sent.begin(), host.sent.end(),
                           [](const std::string& s) { return s.starts_with("paste"); });
    }
};

// What each editor command makes of the selection "ab := 1;" with FakeUi's answers.
const std::map<std::string_view, std::string_view> kResults = {
    {"&Undo", "ab := 1;"},  // nothing pasted yet: nothing to undo
    {"Lock to &Window", "ab := 1;"},
    {"&begin...end", "begin\r\n\r\nend;"},
    {"case ... of", "  case k of\r\n    1:\r\n    2:\r\n    else \r\n  end; {case of}\r\n"},
    {"&if...then", "   if ok then begin\r\nab := 1;\r\n   end else begin\r\n   end;  {if ok}\r\n"},
    {"&for...next", "for i := 0 downto 9 do begin\r\n  ab := 1;\r\nend; {next i}\r\n"},
    {"&while / repeat / with", "while go do begin\r\n  ab := 1;\r\nend; {while}\r\n"},
    {"pr&ocedure / function", "function Run(a: Integer):Boolean;\r\nbegin\r\n\r\nend;\r\n"},
    {"f&unction call (...)", "Exit(ab := 1;)"},
    {"insert &UNIT comment", "{ unit }\r\n"},
    {"insert &PROC comment", "{ proc }"},
    {"&try...finally", "try\r\n  ab := 1;\r\nfinally\r\n\r\nend;\r\n"},
    {"try...e&xcept", "try\r\n  ab := 1;\r\nexcept\r\n\r\nend;\r\n"},
    {"con&ditional {$IFDEF}", "{$IFDEF DEBUG}\r\n  ab := 1;\r\n{$ENDIF}\r\n"},
    {"{$&REGION}", "{$REGION 'Init'}\r\n  ab := 1;\r\n{$ENDREGION}\r\n"},
    {"&UPPER CASE", "AB := 1;"},
    {"&lower case", "ab := 1;"},
    {"&Title Case", "Ab := 1;"},
    {"&Flip Case", "AB := 1;"},
    {"&Sentence case", "Ab := 1;"},
    {"&Indent / unindent", "  ab := 1;"},
    {"&use //", "//ab := 1;"},
    {"u&se {...}", "{ ab := 1; }"},
    {"us&e  (*...*)", "(* ab := 1; *)"},
    {"U&ncomment", "ab := 1;"},
    {"&Toggle comment", "//ab := 1;"},
    {"Sort &lines", "ab := 1;"},
    {"Sort lines &descending", "ab := 1;"},
    {"&Align on :=", "ab := 1;"},
    {"&Reverse assignment", "1 := ab;"},
    {"&Quote as string", "'ab := 1;'"},
    {"&Unquote string", "ab := 1;"},  // not a string expression: nothing pasted
    {"Stash clip for later use", "ab := 1;"},
    {"Retrieve code from stash", "snippet"},
    {"Insert &GUID", "['{0A1B2C3D-0000-4000-8000-00000000000F}']"},
};

// The rows that need a selection of their own to show what they do: selection, result.
const std::map<std::string_view, std::pair<std::string_view, std::string_view>> kOwnSelections = {
    {"&Format selection", {"if x then\r\ny:=1;", "if x then\r\n  y := 1;"}},
    {"Trim trailing &blanks", {"a := 1;  \r\n\tb;\t", "a := 1;\r\n\tb;"}},
    {"Ta&bs to blanks", {"\tb; {\t}", "        b; {\t}"}},
    {"Delete blank lines", {"a;\r\n\r\n \r\nb;", "a;\r\nb;"}},
    {"Compact blank lines", {"a;\r\n\r\n \r\nb;", "a;\r\n\r\nb;"}},
    {"&Join lines", {"a :=\r\n  1;", "a := 1;"}},
    {"Align on...", {"a = 1;\r\nbcd = 2;", "a   = 1;\r\nbcd = 2;"}},
    {"&Quote as multi-line string", {"a\r\nb", "'''\r\na\r\nb\r\n'''"}},
};

TEST_F(CommandsTest, EveryEditorRowDoesItsOwnWork) {
    for (const CommandRow& row : Commands()) {
        if (!row.usesEditor) continue;
        SCOPED_TRACE(row.caption);
        host.answers = {tavrill::Answer::Cancel};  // Lock to Window's question
        if (const auto own = kOwnSelections.find(row.caption); own != kOwnSelections.end()) {
            Select(std::string(own->second.first));
            Run(row.caption);
            EXPECT_EQ(EditorText(), own->second.second);
            continue;
        }
        Select("ab := 1;");
        const auto expected = kResults.find(row.caption);
        ASSERT_NE(expected, kResults.end()) << "a row without a test row";
        Run(row.caption);
        EXPECT_EQ(EditorText(), expected->second);
        EXPECT_EQ(Boxes(), row.caption == "Lock to &Window" ? 1u : 0u);
        host.boxes.clear();
    }
    EXPECT_EQ(ReadFileBytes(dir.Folder() + "snip.pas"), "//TAVRILL:d\r\n[ab := 1;]\r\n");
    EXPECT_EQ(ini.values["Format/AlignOn1"], "=") << "offered first next time";
}

TEST_F(CommandsTest, WindowRowsReachTheToolBarAndTheSwitchesAreKept) {
    for (const char* caption : {"Mi&nimize", "&Keyboard shortcuts...", "E&xit", "&About", "&Help",
                                "Goto Pelmora Systems on the web", "Goto Tavrill on the web"})
        Run(caption);
    EXPECT_EQ(ui.log, (std::vector<std::string>{"minimize", "shortcuts", "exit", "about", "help",
                                                "https://www.pelmora-systems.example/index.htm",
                                                "https://www.pelmora-systems.example/support/tavrill.htm"}));
    const auto checked = [&](std::string_view caption) {
        for (const CommandRow& row : Commands())
            if (row.caption == caption) return row.checked(context);
        return false;
    };
    Run("&Stay on Top");
    EXPECT_FALSE(checked("&Stay on Top"));
    Run("&Any editor");
    Run("Keep my c&lipboard");
    EXPECT_TRUE(checked("&Any editor") && checked("Keep my c&lipboard"));
    EXPECT_EQ(ini.values["Main/AnyEditor"], "1");
    EXPECT_EQ(ini.values["Main/KeepClipboard"], "1");
    EXPECT_TRUE(bridge.AnyEditor() && bridge.KeepClipboard());
    host.answers = {tavrill::Answer::Yes};
    Run("Lock to &Window");
    EXPECT_TRUE(checked("Lock to &Window"));
}

TEST_F(CommandsTest, ThePaletteRunsTheChosenRowAsItsMenuItemOrInsertsTheChosenSnippet) {
    ASSERT_TRUE(WriteFileBytes(dir.Folder() + "loop.pas", "//TAVRILL:d\nfor\n"));
    const std::pair<PaletteChoice, const char*> cases[] = {
        {{FindCommand("SortLinesDescending"), {}}, "b\r\na"},
        {{FindCommand("IfThen"), {}},
         "   if ok then begin\r\na\r\nb\r\n   end else begin\r\n   end;  {if ok}\r\n"},
        {{std::nullopt, "loop.pas"}, "for\r\n"},
    };
    for (const auto& [choice, result] : cases) {
        Select("a\r\nb");
        ui.chosen = choice;
        Run("&Find a command...");
        EXPECT_EQ(EditorText(), result);
    }
    ui.cancel = true;  // Esc
    Select("a\r\nb");
    Run("&Find a command...");
    EXPECT_EQ(EditorText(), "a\r\nb");
    EXPECT_EQ(Boxes(), 0u);
}

// Nothing selected: an earlier result or the user's clipboard never comes back.
TEST_F(CommandsTest, WithNothingSelectedTextCommandsDoNothingAndBlocksGetAnEmptyBody) {
    Select("abc");
    Run("&UPPER CASE");
    host.CaretAtEnd(control);
    for (const char* caption : {"&lower case", "&use //", "&Quote as string", "&Indent / unindent",
                                "Sort &lines", "&Format selection"}) {
        host.sent.clear();
        Run(caption);
        EXPECT_EQ(EditorText(), "ABC") << caption;
        EXPECT_FALSE(Pasted()) << caption;
    }
    host.SetClipboardText("the user's text");
    Run("&try...finally");
    EXPECT_EQ(EditorText(), "ABCtry\r\nfinally\r\n\r\nend;\r\n");
    host.CaretAtEnd(control);
    Run("Stash clip for later use");
    EXPECT_EQ(ReadFileBytes(dir.Folder() + "snip.pas"), "//TAVRILL:d\r\n[]\r\n") << "an empty code box";
    EXPECT_EQ(Boxes(), 0u);
}

TEST_F(CommandsTest, CancelOrAFailedFetchPastesNothing) {
    ui.cancel = true;
    for (const CommandRow& row : Commands()) {
        if (!row.usesEditor || row.caption == "Lock to &Window") continue;
        Select("ab := 1;");
        host.sent.clear();
        const std::size_t asked = ui.log.size();
        Run(row.caption);
        if (ui.log.size() > asked) {
            EXPECT_FALSE(Pasted()) << row.caption;
        }
    }
    ui.cancel = false;
    host.foreground = host.AddWindow("Notepad");
    bridge.Tick();
    for (const CommandRow& row : Commands()) {
        if (!row.usesEditor || row.caption == "&Undo" || row.caption == "Lock to &Window") continue;
        host.sent.clear();
        host.boxes.clear();
        Run(row.caption);
        EXPECT_FALSE(Pasted()) << row.caption;
        EXPECT_EQ(Boxes(), 1u) << row.caption;
        EXPECT_EQ(host.boxes.at(0).text, "Source window was not a Delphi TEditWindow.") << row.caption;
    }
}

TEST(CommandTableTest, MenusHoldEveryRowOnceWithTheirSubmenusAndNames) {
    std::vector<bool> seen(Commands().size());
    const auto walk = [&](const auto& self, const std::vector<MenuEntry>& entries) -> void {
        for (const MenuEntry& e : entries) {
            if (e.kind == MenuEntry::Kind::Submenu) self(self, e.submenu);
            if (e.kind != MenuEntry::Kind::Item) continue;
            EXPECT_FALSE(seen.at(e.command)) << e.caption;
            seen[e.command] = true;
        }
    };
    for (const Menu m : {Menu::General, Menu::Blocks, Menu::Format, Menu::Help, Menu::Stash})
        walk(walk, MenuEntries(m));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
    const auto separators = [](const std::vector<MenuEntry>& entries) {
        std::vector<std::string_view> before;  // the caption after each separator
        for (std::size_t i = 0; i + 1 < entries.size(); ++i)
            if (entries[i].kind == MenuEntry::Kind::Separator) before.push_back(entries[i + 1].caption);
        return before;
    };
    using Captions = std::vector<std::string_view>;
    EXPECT_EQ(separators(MenuEntries(Menu::General)), Captions{"E&xit"});
    EXPECT_EQ(separators(MenuEntries(Menu::Blocks)), (Captions{"insert &UNIT comment", "&try...finally"}));
    const std::vector<MenuEntry> format = MenuEntries(Menu::Format);
    EXPECT_EQ(separators(format),
              (Captions{"&Toggle comment", "&Format selection", "Trim trailing &blanks"}));
    EXPECT_EQ(format.front().caption, "&Case");
    EXPECT_EQ(separators(format.front().submenu), Captions{"&Sentence case"});
    EXPECT_EQ(CommandName(Commands()[*FindCommand("CommentParen")]), "Comment out: use (*...*)");
    EXPECT_EQ(CommandName(Commands()[*FindCommand("CaseUpper")]), "UPPER CASE");
}

}  // namespace
}  // namespace tavrill
