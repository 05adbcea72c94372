#include "win32/Dpi.h"

namespace tavrill {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// A function of a system library, or nullptr on a system that lacks it. Through
// void(*)() because a FARPROC cast straight to another signature draws a warning.
template <class F>
F SystemFunction(const wchar_t* library, const char* name) {
    // Loaded once and kept for the run, as the system keeps user32 and shcore anyway.
    HMODULE module = GetModuleHandleW(library);
    if (!module) module = LoadLibraryW(library);
    if (!module) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kBaseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

}  // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int DpiAt(POINT screen) {
    static const auto getDpiForMonitor =
        SystemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (getDpiForMonitor &&
        SUCCEEDED(
            getDpiForMonitor(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) &&
        y > 0)
        return static_cast<int>(y);
    return SystemDpi();
}

RECT FrameAround(RECT client, DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi =
        SystemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (!adjustForDpi || !adjustForDpi(&client, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&client, style, FALSE, exStyle);
    return client;
}

int PictureSizeIndex(int dpi) {
    return dpi >= 2 * kBaseDpi ? 2 : dpi >= kBaseDpi * 3 / 2 ? 1 : 0;
}

int FontHeight(int points, int dpi) {
    return -MulDiv(points, dpi, 72);
}

}  // namespace tavrill
