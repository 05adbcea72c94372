// A tool bar saved on a monitor that is gone comes back onto the screen at the next start.

#include <gtest/gtest.h>

#include "Harness.h"

namespace tavrill::e2e {
namespace {

TEST(PlacementE2ETest, APositionOffEveryMonitorMovesIntoTheWorkAreaAndIsSavedFromThere) {
    Session s(
        {.startEditor = false, .files = {{"tavrill.ini", "[Main]\r\nWindowX=5000\r\nWindowY=-3000\r\n"}}});
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const RECT frame = WindowRect(s.ToolBar());
    EXPECT_EQ(frame.right, work.right);  // moved as little as needed: to the right edge, the top
    EXPECT_EQ(frame.top, work.top);
    s.Exit();
    EXPECT_EQ(s.ReadProgramFile("tavrill.ini"), "[Main]\r\nWindowX=" + std::to_string(frame.left) +
                                                    "\r\nWindowY=" + std::to_string(frame.top) + "\r\n");
}

}  // namespace
}  // namespace tavrill::e2e
