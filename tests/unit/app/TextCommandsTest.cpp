#include "app/TextCommands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "bridge/FakeHost.h"

namespace tavrill {
namespace {

using testing::FakeHost;

// An editor in the foreground that the timer has seen; `selection` is what a copy request gives.
struct TextCommandsTest : ::testing::Test {
    FakeHost host;
    Bridge bridge{host};
    LineList memo;
    WindowHandle control = host.AddEditor("");

    void Select(const std::string& selection) {
        host.Window(control).selection = selection;
        host.Window(control).text = selection;
    }
    void Start(const std::string& selection) {
        Select(selection);
        host.foreground = host.editorWindow;
        bridge.Tick();
    }
    // The fetch finds no editor: the working text stays what an earlier command left.
    void StartWithoutEditor(const std::string& earlier) {
        bridge.WorkingText() = earlier;
        host.Close(host.editorWindow);
    }
    int Pastes() const {
        return static_cast<int>(std::count_if(host.sent.begin(), host.sent.end(),
                                              [](const std::string& s) { return s.starts_with("paste"); }));
    }
    std::string Delivered() const { return host.Clipboard().value_or("<no text>"); }
};

TEST_F(TextCommandsTest, CaseCommandsConvertTheSelection) {
    const std::pair<CaseConversion, std::string> cases[] = {
        {CaseConversion::Upper, "MY_VAR := SOME_FUNC(X);"},
        {CaseConversion::Lower, "my_var := some_func(x);"},
        {CaseConversion::Title, "My_Var := Some_Func(X);"},
        {CaseConversion::Flip, "MY_VAR := SOME_fUNC(X);"},
    };
    Start("");
    for (const auto& [conversion, expected] : cases) {
        Select("my_var := some_Func(x);");
        CaseCommand(bridge, conversion);
        EXPECT_EQ(host.Window(control).text, expected);
        EXPECT_EQ(bridge.WorkingText(), expected);
    }
}

TEST_F(TextCommandsTest, CaseCommandWithNothingFetchedIgnoresTheEarlierText) {
    StartWithoutEditor("earlier result");
    CaseCommand(bridge, CaseConversion::Upper);
    EXPECT_EQ(Pastes(), 0);
    EXPECT_EQ(bridge.WorkingText(), "");

    Start("");  // an empty selection is nothing to convert either
    CaseCommand(bridge, CaseConversion::Upper);
    EXPECT_EQ(Pastes(), 0);
}

TEST_F(TextCommandsTest, CommentCommandsWorkOnAnEarlierTextWhenTheFetchFindsNone) {
    StartWithoutEditor("a\r\n\r\nb");
    CommentSlashCommand(bridge, memo);
    EXPECT_EQ(Delivered(), "//a\r\n//\r\n//b");
    EXPECT_EQ(memo.GetText(), "//a\r\n//\r\n//b");
    EXPECT_EQ(bridge.WorkingText(), "");

    CommentSlashCommand(bridge, memo);  // now the working text is empty, and that is delivered
    EXPECT_EQ(Delivered(), "");

    CommentBraceCommand(bridge);
    EXPECT_EQ(Delivered(), "{  }");
    bridge.WorkingText() = "x := 0;\r\n";
    CommentBraceCommand(bridge);
    EXPECT_EQ(Delivered(), "{ x := 0;\r\n }");
    CommentParenCommand(bridge);
    EXPECT_EQ(Delivered(), "(* x := 0;\r\n *)");
    EXPECT_EQ(bridge.WorkingText(), "x := 0;\r\n");
}

TEST_F(TextCommandsTest, UncommentLeavesTheWorkingTextAsEachCaseSays) {
    struct Case {
        std::string selection;
        std::optional<std::string> delivered;
        std::string workingText;
    };
    const Case cases[] = {
        {"  { x := 0; }\r\n", "x := 0;", " x := 0; "},
        {"(*\r\nx *)", "x", "\r\nx "},
        {"//a\r\n//  b\r\n", "a\r\n  b", ""},
        {"  x := 0;\r\n", "x := 0;", ""},
        {"  { a }\r\n// b", std::nullopt, "{ a }\r\n// b"},
        {"(a) // b", std::nullopt, "(a) // b"},
        {" \r\n\t", std::nullopt, ""},
    };
    Start("");
    for (const Case& c : cases) {
        Select(c.selection);
        host.SetClipboardText("<before>");
        UncommentCommand(bridge, memo);
        EXPECT_EQ(host.Clipboard(), c.delivered.value_or(c.selection)) << c.selection;
        EXPECT_EQ(host.Window(control).text, c.delivered.value_or(c.selection)) << c.selection;
        EXPECT_EQ(bridge.WorkingText(), c.workingText) << c.selection;
    }
}

class FakeIndentDialog : public IndentDialog {
  public:
    std::optional<std::string> shown;
    bool ok = true;
    std::string spinText = "2";
    bool indent = true;
    std::string edited;  // when set, the user's text replaces what was shown

    std::optional<std::string> Run(std::string_view text) override {
        shown = std::string(text);
        if (!ok) return std::nullopt;
        return IndentDialogRewrite(edited.empty() ? text : edited, indent, spinText);
    }
};

TEST_F(TextCommandsTest, IndentShowsTheFetchedTextAndDeliversOnlyOnOk) {
    FakeIndentDialog dialog;
    Start("a\r\n  b\r\n");
    IndentCommand(bridge, dialog);
    EXPECT_EQ(dialog.shown, "a\r\n  b\r\n");
    EXPECT_EQ(host.Window(control).text, "  a\r\n    b\r\n");
    EXPECT_EQ(bridge.WorkingText(), "a\r\n  b\r\n");

    dialog.indent = false;
    dialog.edited = "    x\r\n y";
    IndentCommand(bridge, dialog);
    EXPECT_EQ(host.Window(control).text, "  x\r\ny");

    dialog.ok = false;
    Select("  c");
    IndentCommand(bridge, dialog);
    EXPECT_EQ(host.Window(control).text, "  c");
    EXPECT_EQ(Pastes(), 2);
}

TEST_F(TextCommandsTest, IndentWithNothingFetchedShowsTheEarlierText) {
    FakeIndentDialog dialog;
    StartWithoutEditor("earlier");
    IndentCommand(bridge, dialog);
    EXPECT_EQ(dialog.shown, "earlier");
    EXPECT_EQ(Delivered(), "  earlier");
}

}  // namespace
}  // namespace tavrill
