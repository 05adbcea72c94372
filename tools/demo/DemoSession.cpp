// A short scripted session for the demo on a machine without a desktop: the
// sample editor holds a procedure, one line of it is selected, and Title Case
// is chosen from the tool bar as a user would. Prints the text before and
// after, then keeps both programs on screen for a moment so that the caller
// can take a screenshot (it waits for the line "SCREENSHOT").

#include <cstdio>
#include <string>

#include "Harness.h"

using namespace tavrill::e2e;

int main() {
    const std::string text =
        "procedure TInventory.add_item(const item_name: string);\r\n"
        "begin\r\n"
        "  if item_names.IndexOf(item_name) < 0 then\r\n"
        "    item_names.Add(item_name);\r\n"
        "  item_count := item_names.count;\r\n"
        "end;\r\n";
    const std::string line = "item_count := item_names.count;";
    try {
        Session session({.editor = {.text = text, .fileName = "Unit1.pas"}});
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
        std::printf("SCREENSHOT\n");
        std::fflush(stdout);
        Pause(Millis{6000});
        const bool changed = session.Editor().Text() != text;
        return changed ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo: %s\n", e.what());
        return 1;
    }
}
