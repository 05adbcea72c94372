#include "app/BlockCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include "base/Error.h"
#include "base/Files.h"
#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

using testing::FakeHost;

// Gives the prepared answer and notes what the bridge had done by the time it was shown.
template <class Base, class Values>
class FakeDialog : public Base {
public:
    std::optional<Values> answer;
    std::function<void()> onRun;
    int runs = 0;
    std::optional<Values> Run() override {
        ++runs;
        if (onRun) onRun();
        return answer;
    }
};

using FakeIf = FakeDialog<IfDialog, IfValues>;
using FakeForNext = FakeDialog<ForNextDialog, ForNextValues>;
using FakeWhile = FakeDialog<WhileDialog, WhileValues>;
using FakeCase = FakeDialog<CaseDialog, CaseValues>;
using FakeProc = FakeDialog<ProcDialog, ProcValues>;
using FakeFnCall = FakeDialog<FnCallDialog, std::string>;

struct BlockCommandsTest : ::testing::Test {
    FakeHost host;
    Bridge bridge{host};
    WindowHandle control = host.AddEditor("  a;\r\n  b;\r\n");
    std::filesystem::path folder;

    void SetUp() override {
        host.foreground = host.editorWindow;
        bridge.Tick();
        bridge.WorkingText() = "earlier";
        folder = std::filesystem::temp_directory_path() /
                 ("tavrill-blocks-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directory(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string ProgramFolder() const {
        std::string f = folder.string() + "/";
        std::replace(f.begin(), f.end(), '/', '\\');
        return f;
    }
    void WriteTemplate(const char* name, std::string_view bytes) {
        ASSERT_TRUE(WriteFileBytes(ProgramFolder() + name, bytes));
    }
    const std::string& EditorText() { return host.Window(control).text; }
    bool Pasted() const {
        return std::count(host.sent.begin(), host.sent.end(), "paste " + std::to_string(control)) > 0;
    }
    // Whether the editor's selection had been copied (and read, for a read fetch) when the dialog opened.
    std::function<void()> ExpectFetchedBeforeDialog(bool read) {
        return [this, read] {
            EXPECT_EQ(host.sent, std::vector<std::string>{"copy " + std::to_string(control)});
            EXPECT_EQ(bridge.WorkingText(), read ? "  a;\r\n  b;\r\n" : "earlier");
        };
    }
};

TEST_F(BlockCommandsTest, BeginEndIsCopyOnlyAndBecomesTheWorkingText) {
    BeginEndCommand(bridge);
    EXPECT_EQ(EditorText(), "begin\r\n\r\nend;");
    EXPECT_EQ(bridge.WorkingText(), "begin\r\n\r\nend;");
}

TEST_F(BlockCommandsTest, IfThenOkDeliversTheBlockAndCancelNothing) {
    FakeIf dialog;
    dialog.onRun = ExpectFetchedBeforeDialog(true);
    IfThenCommand(bridge, dialog);
    EXPECT_FALSE(Pasted());
    EXPECT_EQ(bridge.WorkingText(), "  a;\r\n  b;\r\n");

    dialog.onRun = nullptr;
    dialog.answer = IfValues{"Ok", false, "not a number", true};
    IfThenCommand(bridge, dialog);
    const std::string block = " if Ok then begin\r\n  a;\r\n  b;\r\n\r\n end;  {if Ok}\r\n";
    EXPECT_EQ(EditorText(), block);
    EXPECT_EQ(bridge.WorkingText(), block);
}

TEST_F(BlockCommandsTest, LoopsDeliverTheSelectionBackOnCancelAndKeepItAsWorkingText) {
    FakeForNext forNext;
    forNext.onRun = ExpectFetchedBeforeDialog(true);
    ForNextCommand(bridge, forNext);
    EXPECT_TRUE(Pasted());
    EXPECT_EQ(EditorText(), "  a;\r\n  b;\r\n");

    forNext.onRun = nullptr;
    forNext.answer = ForNextValues{"i", "1", "N", true, true, "9"};
    ForNextCommand(bridge, forNext);
    const std::string forBlock = "  for i := 1 downto N do begin\r\n    a;\r\n    b;\r\n  end; {next i}\r\n";
    EXPECT_EQ(EditorText(), forBlock);
    EXPECT_EQ(bridge.WorkingText(), "  a;\r\n  b;\r\n");

    FakeWhile loop;
    loop.answer = WhileValues{WhileKind::While, "x", false, "3"};
    WhileCommand(bridge, loop);
    EXPECT_EQ(EditorText(), "   while x do begin\r\n   end; {while}\r\n");
    EXPECT_EQ(bridge.WorkingText(), forBlock);  // what the fetch found, not the result
}

TEST_F(BlockCommandsTest, LoopCancelAfterAFailedFetchDeliversTheEarlierText) {
    host.Close(host.editorWindow);
    host.foreground = host.AddWindow("Notepad");
    bridge.Tick();
    FakeWhile loop;
    WhileCommand(bridge, loop);
    EXPECT_EQ(host.Clipboard(), "earlier");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Could not copy");
}

TEST_F(BlockCommandsTest, CaseUsesOnlyTheDialogAndCancelDeliversNothing) {
    FakeCase dialog;
    dialog.onRun = ExpectFetchedBeforeDialog(true);
    CaseOfCommand(bridge, dialog);
    EXPECT_FALSE(Pasted());

    dialog.onRun = nullptr;
    dialog.answer = CaseValues{"Color", false, "", std::string(200, 'r') + "\r\nclBlue\r\n", false};
    CaseOfCommand(bridge, dialog);
    EXPECT_EQ(EditorText(),
              " case Color of\r\n   " + std::string(200, 'r') + ":\r\n   clBlue:\r\n end; {case of}\r\n");
    EXPECT_EQ(bridge.WorkingText(), "  a;\r\n  b;\r\n");
}

TEST_F(BlockCommandsTest, ProcSkeletonIsCopyOnlyAndLeavesTheWorkingText) {
    FakeProc dialog;
    dialog.onRun = ExpectFetchedBeforeDialog(false);
    ProcCommand(bridge, dialog, ProgramFolder());
    EXPECT_FALSE(Pasted());

    dialog.onRun = nullptr;
    dialog.answer = ProcValues{ProcKind::Function, "Calc", "a: integer", "integer", false, true};
    ProcCommand(bridge, dialog, ProgramFolder());  // no template needed without the comment
    EXPECT_EQ(EditorText(), "function Calc(a: integer):integer;\r\nvar i: integer;\r\nbegin\r\n\r\nend;\r\n");
    EXPECT_EQ(bridge.WorkingText(), "earlier");
}

TEST_F(BlockCommandsTest, ProcCommentIsReadAfreshWithItsLineBreaksMadeCrLf) {
    FakeProc dialog;
    dialog.answer = ProcValues{ProcKind::Procedure, "P", "", std::nullopt, true, false};
    WriteTemplate(kProcHeadFile, "{ Purpose: }\n{ Author: }");
    ProcCommand(bridge, dialog, ProgramFolder());
    EXPECT_EQ(EditorText(), "{ Purpose: }\r\n{ Author: }\r\nprocedure P;\r\nbegin\r\n\r\nend;\r\n");
    WriteTemplate(kProcHeadFile, "");
    ProcCommand(bridge, dialog, ProgramFolder());
    EXPECT_EQ(EditorText(), "procedure P;\r\nbegin\r\n\r\nend;\r\n");
}

TEST_F(BlockCommandsTest, MissingTemplateIsAnErrorAndDeliversNothing) {
    FakeProc dialog;
    dialog.answer = ProcValues{ProcKind::Procedure, "P", "", std::nullopt, true, false};
    const std::function<void()> commands[] = {
        [&] { ProcCommand(bridge, dialog, ProgramFolder()); },
        [&] { UnitHeadCommand(bridge, ProgramFolder()); },
        [&] { ProcHeadCommand(bridge, ProgramFolder()); },
    };
    const char* files[] = {kProcHeadFile, kUnitHeadFile, kProcHeadFile};
    for (int i = 0; i < 3; ++i) {
        try {
            commands[i]();
            ADD_FAILURE() << "no error from command " << i;
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot open file " + ProgramFolder() + files[i]);
        }
    }
    EXPECT_FALSE(Pasted());
    EXPECT_EQ(bridge.WorkingText(), "earlier");
}

TEST_F(BlockCommandsTest, FunctionCallWrapsOnOkAndPastesTheSelectionBackOnCancel) {
    FakeFnCall dialog;
    dialog.onRun = ExpectFetchedBeforeDialog(true);
    FnCallCommand(bridge, dialog);
    EXPECT_TRUE(Pasted());
    EXPECT_EQ(EditorText(), "  a;\r\n  b;\r\n");

    dialog.onRun = nullptr;
    dialog.answer = "Foo";
    FnCallCommand(bridge, dialog);
    EXPECT_EQ(EditorText(), "Foo(  a;\r\n  b;\r\n)");
    EXPECT_EQ(bridge.WorkingText(), "Foo(  a;\r\n  b;\r\n)");
}

}  // namespace
}  // namespace tavrill
