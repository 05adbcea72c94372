#include "app/Placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tavrill {
namespace {

// Wide enough that a position read from the settings file (any int) plus the size cannot overflow.
struct Box {
    std::int64_t left, top, right, bottom;
};

Box Widen(const ScreenRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

bool Overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Squared distance between the nearest points of the two boxes; 0 when they touch. In double,
// since the square of a gap between far-apart int positions does not fit 64 bits.
double Distance(const Box& a, const Box& b) {
    const auto dx = static_cast<double>(std::max({std::int64_t{0}, b.left - a.right, a.left - b.right}));
    const auto dy = static_cast<double>(std::max({std::int64_t{0}, b.top - a.bottom, a.top - b.bottom}));
    return dx * dx + dy * dy;
}

// The start of a run of `length` moved as little as possible to lie in [low, high);
// `low` when it does not fit.
int Fit(int start, int length, int low, int high) {
    return static_cast<int>(
        std::max<std::int64_t>(low, std::min<std::int64_t>(start, std::int64_t{high} - length)));
}

}  // namespace

WindowPosition PlaceOnScreen(WindowPosition saved, int width, int height, std::span<const Monitor> monitors) {
    const Box window{saved.x, saved.y, std::int64_t{saved.x} + width, std::int64_t{saved.y} + height};
    const Monitor* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const Monitor& monitor : monitors) {
        const Box bounds = Widen(monitor.bounds);
        if (Overlap(window, bounds)) return saved;
        if (const double distance = Distance(window, bounds); distance < nearestDistance) {
            nearest = &monitor;
            nearestDistance = distance;
        }
    }
    if (!nearest) return saved;
    const ScreenRect& area = nearest->workArea;
    return {Fit(saved.x, width, area.left, area.right), Fit(saved.y, height, area.top, area.bottom)};
}

}  // namespace tavrill
