#include "app/Placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace tavrill {
namespace {

constexpr int kWidth = 190;
constexpr int kHeight = 74;

// A 1920x1080 primary monitor with a task bar along the bottom, and a 1280x1024 one to its left.
const Monitor kPrimary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
const Monitor kLeft{{-1280, 0, 0, 1024}, {-1280, 0, 0, 1024}};
// A lower one to its right: below its bottom edge, a window is nearer to it than to the primary.
const Monitor kRightLow{{1920, 0, 3200, 600}, {1920, 0, 3200, 600}};

TEST(PlacementTest, APositionAtLeastPartlyOnAMonitorIsKeptElseItMovesIntoTheNearestWorkArea) {
    const struct {
        const char* what;
        WindowPosition saved;
        std::vector<Monitor> monitors;
        WindowPosition expected;
    } cases[] = {
        {"the default place", {32, 420}, {kPrimary}, {32, 420}},
        {"one pixel showing at the right", {1919, 500}, {kPrimary}, {1919, 500}},
        {"one pixel showing at the top-left",
         {-kWidth + 1, -kHeight + 1},
         {kPrimary},
         {-kWidth + 1, -kHeight + 1}},
        {"under the task bar is still on the monitor", {100, 1050}, {kPrimary}, {100, 1050}},
        {"on the monitor to the left", {-900, 300}, {kPrimary, kLeft}, {-900, 300}},
        {"on a left monitor that is gone", {-900, 300}, {kPrimary}, {0, 300}},
        {"on a right monitor that is gone", {2400, 700}, {kPrimary}, {1920 - kWidth, 700}},
        {"below everything: into the work area, above the task bar",
         {500, 1300},
         {kPrimary},
         {500, 1040 - kHeight}},
        {"just touching the right edge shows nothing", {1920, 10}, {kPrimary}, {1920 - kWidth, 10}},
        {"off a corner", {-5000, -5000}, {kPrimary}, {0, 0}},
        {"nearer the left monitor", {-900, 1500}, {kPrimary, kLeft}, {-900, 1024 - kHeight}},
        {"nearer the primary", {1000, 1500}, {kLeft, kPrimary}, {1000, 1040 - kHeight}},
        {"below a lower monitor's bottom edge", {2500, 1000}, {kPrimary, kRightLow}, {2500, 600 - kHeight}},
        {"the largest values a settings file holds", {INT_MAX, INT_MIN}, {kPrimary}, {1920 - kWidth, 0}},
        {"no monitors known: as saved", {-5000, 5000}, {}, {-5000, 5000}},
    };
    for (const auto& c : cases) {
        const WindowPosition p = PlaceOnScreen(c.saved, kWidth, kHeight, c.monitors);
        EXPECT_EQ(p.x, c.expected.x) << c.what;
        EXPECT_EQ(p.y, c.expected.y) << c.what;
    }
}

TEST(PlacementTest, AWindowLargerThanTheWorkAreaKeepsItsTopLeftCornerInside) {
    const Monitor small{{0, 0, 100, 60}, {0, 10, 100, 60}};
    const WindowPosition p = PlaceOnScreen({400, 400}, kWidth, kHeight, std::vector{small});
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 10);
}

}  // namespace
}  // namespace tavrill
