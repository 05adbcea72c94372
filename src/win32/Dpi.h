#pragma once
// Screen resolution per monitor. The program declares per-monitor DPI awareness
// (version 2) in its manifest, so the system neither stretches nor blurs its
// windows: each window lays itself out for the dots per inch of the monitor it is
// on, and again when it moves to a monitor of another resolution (WM_DPICHANGED).
// The per-monitor functions exist from Windows 8.1 and 10 on; they are looked up at
// run time, and on older systems the system-wide resolution stands for every monitor.

#include <windows.h>

namespace tavrill {

// Dots per inch at which the system draws at 100%.
inline constexpr int kBaseDpi = 96;

// The resolution of the monitor the window is on.
int WindowDpi(HWND window);

// The resolution of the monitor nearest to a screen point.
int DpiAt(POINT screen);

// The outer rectangle of a window whose client area is `client`, with the frame
// and caption sizes of that resolution.
RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int dpi);

// The pictures come at 16, 24 and 32 pixels (100%, 150% and 200%): the index (0, 1,
// 2) of the largest one that is no larger than 16 pixels scaled to the resolution.
int PictureSizeIndex(int dpi);

// Points in pixels at a resolution: the height to pass to CreateFont (negative: the
// character height without the internal leading).
int FontHeight(int points, int dpi);

}  // namespace tavrill
