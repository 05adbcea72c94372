#include "win32/Monitors.h"

#include <windows.h>

namespace tavrill {
namespace {

ScreenRect FromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// A named CALLBACK rather than a lambda: on 32-bit Windows the callback must be __stdcall.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
    MONITORINFO info{sizeof info};
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<Monitor>*>(param)->push_back(
            {FromRect(info.rcMonitor), FromRect(info.rcWork)});
    }
    return TRUE;
}

}  // namespace

std::vector<Monitor> CurrentMonitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace tavrill
