#include "app/BlockCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "ErrorOf.h"
#include "TempFolder.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

// Gives its answer on OK; `shown` runs while the dialog is up and says whether the user chose OK.
template <class Base, class Values>
struct FakeDialog : Base {
    FakeDialog(Values a, std::function<bool()> s) : answer(std::move(a)), shown(std::move(s)) {}
    std::optional<Values> Run() override { return shown() ? std::optional(answer) : std::nullopt; }
    Values answer;
    std::function<bool()> shown;
};

const std::string kSelection = "  a;\r\n  b;\r\n";

struct BlockCommandsTest : ::testing::Test {
    testing::FakeHost host;
    Bridge bridge{host};
    WindowHandle control = host.AddEditor(kSelection);
    testing::TempFolder folder;

    void SetUp() override {
        host.foreground = host.editorWindow;
        bridge.Tick();
        Reset();
    }

    // Each command starts from the same selection and an earlier working text.
    void Reset() {
        host.Window(control).text = host.Window(control).selection = kSelection;
        host.sent.clear();
        bridge.WorkingText() = "earlier";
    }
    std::string ProgramFolder() const { return folder.Folder(); }
    const std::string& EditorText() { return host.Window(control).text; }
    bool Pasted() const { return std::ranges::count(host.sent, "paste " + std::to_string(control)) > 0; }
};

TEST_F(BlockCommandsTest, FetchBeforeTheDialogThenCancelOrOk) {
    BeginEndCommand(bridge);  // no dialog; the pair becomes the working text
    EXPECT_EQ(EditorText(), "begin\r\n\r\nend;");
    EXPECT_EQ(bridge.WorkingText(), "begin\r\n\r\nend;");

    bool ok = false;
    std::vector<std::string> sentAtDialog;
    const auto shown = [&] {
        sentAtDialog = host.sent;
        return ok;
    };
    FakeDialog<IfDialog, IfValues> ifThen{{"Ok", false, "not a number", true}, shown};
    FakeDialog<ForNextDialog, ForNextValues> forNext{{"i", "1", "N", true, true, "9"}, shown};
    FakeDialog<WhileDialog, WhileValues> loop{{WhileKind::While, "x", false, "3"}, shown};
    const std::string label(200, 'r');  // however long, one label
    FakeDialog<CaseDialog, CaseValues> caseOf{{"Color", false, "", label + "\r\nclBlue\r\n"}, shown};
    FakeDialog<ProcDialog, ProcValues> proc{{ProcKind::Function, "Calc", "a: T", "T", false, true}, shown};
    FakeDialog<FnCallDialog, std::string> call{"Foo", shown};
    // A read fetch makes the selection the working text, a copy-only one leaves it; on OK some
    // commands make the block the working text; on Cancel some paste the working text back.
    const std::tuple<std::function<void()>, std::string, bool, bool, bool> cases[] = {
        {[&] { IfThenCommand(bridge, ifThen); },
         " if Ok then begin\r\n  a;\r\n  b;\r\n\r\n end;  {if Ok}\r\n", true, true, false},
        {[&] { ForNextCommand(bridge, forNext); },
         "  for i := 1 downto N do begin\r\n    a;\r\n    b;\r\n  end; {next i}\r\n", true, false, true},
        {[&] { WhileCommand(bridge, loop); }, "   while x do begin\r\n   end; {while}\r\n", true, false,
         true},
        {[&] { CaseOfCommand(bridge, caseOf); },
         " case Color of\r\n   " + label + ":\r\n   clBlue:\r\n end; {case of}\r\n", true, false, false},
        {[&] { ProcCommand(bridge, proc, ProgramFolder()); },  // no template needed without the comment
         "function Calc(a: T):T;\r\nvar i: integer;\r\nbegin\r\n\r\nend;\r\n", false, false, false},
        {[&] { FnCallCommand(bridge, call); }, "Foo(  a;\r\n  b;\r\n)", true, true, true},
    };
    for (const auto& [run, block, reads, blockIsWorking, cancelPastesBack] : cases) {
        SCOPED_TRACE(block);
        const std::string fetched = reads ? kSelection : "earlier";
        Reset();
        ok = false;
        run();
        EXPECT_EQ(sentAtDialog, std::vector<std::string>{"copy " + std::to_string(control)});
        EXPECT_EQ(Pasted(), cancelPastesBack);
        EXPECT_EQ(bridge.WorkingText(), fetched);

        Reset();
        ok = true;
        run();
        EXPECT_EQ(EditorText(), block);
        EXPECT_EQ(bridge.WorkingText(), blockIsWorking ? block : fetched);
    }
}

TEST_F(BlockCommandsTest, EverySpinIsReadInsideItsRangeHoweverItWasTyped) {
    // "0000000100000000" once built a case block of 1.2 GB. The reading rule is NumbersTest's;
    // here each dialog's range, 1 to 10.
    const std::pair<std::string, int> cases[] = {{"0000000100000000", 10}, {"-3", 1}, {"007", 7}};
    for (const auto& [spin, indent] : cases) {
        SCOPED_TRACE(spin);
        const std::string pad(static_cast<size_t>(indent), ' ');
        FakeDialog<IfDialog, IfValues> ifThen{{"c", false, spin, false}, [] { return true; }};
        FakeDialog<ForNextDialog, ForNextValues> forNext{{"i", "1", "N", false, false, spin},
                                                         [] { return true; }};
        FakeDialog<WhileDialog, WhileValues> loop{{WhileKind::With, "r", false, spin}, [] { return true; }};
        FakeDialog<CaseDialog, CaseValues> caseOf{{"k", false, spin, "1"}, [] { return true; }};
        const std::pair<std::function<void()>, std::string> commands[] = {
            {[&] { IfThenCommand(bridge, ifThen); }, pad + "if c then begin\r\n" + pad + "end;  {if c}\r\n"},
            {[&] { ForNextCommand(bridge, forNext); },
             pad + "for i := 1 to N do begin\r\n" + pad + "end; {next i}\r\n"},
            {[&] { WhileCommand(bridge, loop); }, pad + "with r do begin\r\n" + pad + "end; {with}\r\n"},
            {[&] { CaseOfCommand(bridge, caseOf); },
             pad + "case k of\r\n" + pad + "  1:\r\n" + pad + "end; {case of}\r\n"},
        };
        for (const auto& [command, block] : commands) {
            Reset();
            command();
            EXPECT_EQ(EditorText().substr(0, 200), block);  // a runaway block is not printed whole
        }
    }
}

TEST_F(BlockCommandsTest, LoopCancelAfterAFailedFetchDeliversTheEarlierText) {
    host.Close(host.editorWindow);
    host.foreground = host.AddWindow("Notepad");
    bridge.Tick();
    FakeDialog<WhileDialog, WhileValues> loop{{}, [] { return false; }};
    WhileCommand(bridge, loop);
    EXPECT_EQ(host.Clipboard(), "earlier");
}

TEST_F(BlockCommandsTest, TemplatesAreReadAfreshWithCrLfAndAMissingOneDeliversNothing) {
    FakeDialog<ProcDialog, ProcValues> dialog{{.name = "P", .useComment = true}, [] { return true; }};
    const auto run = [&] { ProcCommand(bridge, dialog, ProgramFolder()); };
    ASSERT_TRUE(WriteFileBytes(ProgramFolder() + kProcHeadFile, "{ Purpose: }\n{ Author: }"));
    run();
    EXPECT_EQ(EditorText(), "{ Purpose: }\r\n{ Author: }\r\nprocedure P;\r\nbegin\r\n\r\nend;\r\n");

    ASSERT_TRUE(DeleteFileAt(ProgramFolder() + kProcHeadFile));
    Reset();
    const std::pair<std::function<void()>, const char*> commands[] = {
        {run, kProcHeadFile},
        {[&] { UnitHeadCommand(bridge, ProgramFolder()); }, kUnitHeadFile},
        {[&] { ProcHeadCommand(bridge, ProgramFolder()); }, kProcHeadFile},
    };
    for (const auto& [command, file] : commands)
        EXPECT_EQ(testing::ErrorOf(command), "Cannot open file " + ProgramFolder() + file);
    EXPECT_FALSE(Pasted());
    EXPECT_EQ(bridge.WorkingText(), "earlier");
}

}  // namespace
}  // namespace tavrill
