// A short scripted session for the demo on a machine without a desktop: the
// sample editor holds a procedure, one line of it is selected, and Title Case
// is chosen from the tool bar as a user would. Prints the text before and
// after, then keeps both programs on screen for a moment so that the caller
// can take a screenshot (it waits for the line "SCREENSHOT"). With --dialogs, it
// then opens the stash browser on a saved snippet, the if...then dialog and the
// about box, one after another, each for a screenshot of its own.

#include <cstdio>
#include <functional>
#include <string>

#include "Harness.h"

using namespace tavrill::e2e;

namespace {

void AskForScreenshot() {
    std::printf("SCREENSHOT\n");
    std::fflush(stdout);
    Pause(Millis{4000});
}

// Opens a dialog, presses the keys in it, asks for a screenshot and closes it with Esc.
void ShowDialog(Session& session, std::string_view caption, const std::function<void()>& open,
                std::initializer_list<WORD> keys = {}) {
    open();
    if (!session.WaitForDialog(caption)) throw HarnessError("no dialog \"" + std::string(caption) + "\"");
    PressKeys(keys);
    AskForScreenshot();
    PressKeys({VK_ESCAPE});
}

}  // namespace

int main(int argc, char** argv) {
    const bool dialogs = argc > 1 && std::string(argv[1]) == "--dialogs";
    SetProcessDPIAware();  // window rectangles and mouse coordinates in the same pixels, at any resolution
    PrepareWine();
    const std::string text =
        "procedure TInventory.add_item(const item_name: string);\r\n"
        "begin\r\n"
        "  if item_names.IndexOf(item_name) < 0 then\r\n"
        "    item_names.Add(item_name);\r\n"
        "  item_count := item_names.count;\r\n"
        "end;\r\n";
    const std::string line = "item_count := item_names.count;";
    try {
        SessionOptions options{.editor = {.text = text, .fileName = "Unit1.pas"}};
        if (dialogs) {
            options.files = {{"stash\\add_item.pas", "//TAVRILL:add an item once\r\n" + text},
                             // Below the editor, which the tool bar would cover on a 200% screen.
                             {"tavrill.ini", "[Main]\r\nWindowX=32\r\nWindowY=600\r\n"}};
        }
        Session session(options);
        std::printf("Before:\n%s\n", session.Editor().Text().c_str());
        // Selected as the mouse would, without counting key strokes.
        const size_t at = text.find(line);
        session.Editor().Focus();
        SendMessageA(session.Editor().Control(), EM_SETSEL, at, at + line.size());
        session.WaitForTarget();
        // Format button, then the Case submenu (the first item) and Title Case in it. The
        // menu opens under the mouse pointer, so Home rather than Down reaches its first item.
        session.ChooseFromMenu(kFormatButton, {VK_HOME, VK_RIGHT, 'T'});
        WaitFor([&] { return session.Editor().Text() != text; });
        std::printf("After Title Case of \"%s\":\n%s\n", line.c_str(), session.Editor().Text().c_str());
        AskForScreenshot();
        const bool changed = session.Editor().Text() != text;
        if (dialogs) {
            // The snippet and its preview, as the user sees them after a click on it.
            ShowDialog(session, "Your code stash", [&] { session.ClickButton(kLoadButton); }, {VK_DOWN});
            ShowDialog(session, "Insert IF...THEN...", [&] { session.ChooseFromMenu(kBlocksButton, {'I'}); });
            ShowDialog(session, "About Tavrill", [&] { session.ChooseFromMenu(kHelpButton, {'A'}); });
        }
        return changed ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo: %s\n", e.what());
        return 1;
    }
}
