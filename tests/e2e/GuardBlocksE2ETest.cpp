// The guard blocks and the string rewrites from the user's side, and what they make compiles: the
// session writes the editor's results into a unit, which a later ctest step hands to Free Pascal.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

bool EditorStartsWith(Session& s, const std::string& text) {
    return WaitFor([&] { return s.Editor().Text().starts_with(text); });
}

// Chooses a block that asks for a name, types it and presses Enter (OK) or Esc (Cancel).
void ChooseNamed(Session& s, WORD key, std::string_view caption, std::string_view name, WORD close) {
    s.Command(kBlocksButton, {key});
    const Dialog d = s.AwaitDialog(caption);
    TypeText(name);
    if (!d.Close(close)) throw HarnessError("the dialog stayed");
}

TEST(GuardBlocksE2ETest, BlocksNestAroundTheSelectionQuoteAndUnquoteAndTheUnitCompiles) {
    std::remove("GeneratedBlocks.pas");
    Session s({.editor = {.text = "  List.Free;"}});
    s.Command(kBlocksButton, {'T'});
    ASSERT_TRUE(s.Editor().Shows("  try\r\n    List.Free;\r\n  finally\r\n\r\n  end;\r\n"))
        << s.Editor().Text();
    s.Command(kBlocksButton, {'X'});
    ASSERT_TRUE(EditorStartsWith(s, "  try\r\n    try\r\n")) << s.Editor().Text();
    const std::string frames = s.Editor().Text();
    ChooseNamed(s, 'D', "Insert {$IFDEF}", "DEBUG", VK_ESCAPE);  // Cancel delivers nothing
    Pause(Millis{500});
    EXPECT_EQ(s.Editor().Text(), frames);
    // A define the compiler has, so that it compiles what the block holds.
    ChooseNamed(s, 'D', "Insert {$IFDEF}", "FPC", VK_RETURN);
    ASSERT_TRUE(EditorStartsWith(s, "  {$IFDEF FPC}\r\n    try\r\n")) << s.Editor().Text();
    ChooseNamed(s, 'R', "Insert {$REGION}", "Clean up", VK_RETURN);
    ASSERT_TRUE(EditorStartsWith(s, "  {$REGION 'Clean up'}\r\n    {$IFDEF FPC}\r\n")) << s.Editor().Text();
    const std::string body = s.Editor().Text();

    const std::string message = "It's done:\r\n'all' of it";
    s.Editor().SelectAll();
    TypeText(message);  // typing replaces the selection
    ASSERT_TRUE(s.Editor().Shows(message)) << s.Editor().Text();
    s.Command(kFormatButton, {'Q'});
    const std::string quoted = "'It''s done:'#13#10 +\r\n'''all'' of it'";
    ASSERT_TRUE(s.Editor().Shows(quoted)) << s.Editor().Text();
    s.Command(kFormatButton, {'U'});
    EXPECT_TRUE(s.Editor().Shows(message)) << s.Editor().Text();

    // Where the ctest step looks for it: the test's working folder.
    std::ofstream unit("GeneratedBlocks.pas", std::ios::binary);
    unit << "unit GeneratedBlocks;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\n"
         << "procedure Run(List: TObject);\r\nbegin\r\n"
         << body << "end;\r\n\r\nconst\r\n  kMessage = " << quoted << ";\r\n\r\nend.\r\n";
    EXPECT_TRUE(unit.good());
}

}  // namespace
}  // namespace tavrill::e2e
