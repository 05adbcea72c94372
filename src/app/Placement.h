#pragma once
// Where the tool bar goes at start: where it was saved, unless that would leave it
// entirely off every monitor (a monitor unplugged since, a changed arrangement),
// where the user could never reach it again.

#include <span>

#include "app/Settings.h"

namespace tavrill {

// A rectangle in screen pixels; right and bottom lie just outside it.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Monitor {
    ScreenRect bounds;    // the whole monitor
    ScreenRect workArea;  // without the task bar and docked tool bars
};

// The position for a window of this size saved at `saved`: `saved` itself when the
// window would show at least one pixel on some monitor; otherwise the nearest point
// that puts it inside the work area of the monitor nearest to it (its top-left
// corner when the window is larger than the work area). With no monitors at all,
// `saved`.
WindowPosition PlaceOnScreen(WindowPosition saved, int width, int height, std::span<const Monitor> monitors);

}  // namespace tavrill
