#include "win32/HotKeys.h"

namespace tavrill {

// The core's modifier bits are the MOD_ values, so they pass through as they are.
static_assert(kModAlt == MOD_ALT && kModCtrl == MOD_CONTROL && kModShift == MOD_SHIFT && kModWin == MOD_WIN);

bool WindowHotKeys::Register(int id, Shortcut s) {
    // MOD_NOREPEAT: a key held down runs its command once, not at the keyboard's repeat rate.
    return RegisterHotKey(window_, id, s.modifiers | MOD_NOREPEAT, s.key) != FALSE;
}

void WindowHotKeys::Unregister(int id) {
    UnregisterHotKey(window_, id);  // an id that was never registered is no harm
}

void WaitForModifierRelease(DWORD limitMs) {
    const DWORD start = GetTickCount();
    const auto held = [] {
        for (const int key : {VK_CONTROL, VK_MENU, VK_SHIFT, VK_LWIN, VK_RWIN})
            if (GetAsyncKeyState(key) & 0x8000) return true;
        return false;
    };
    while (held() && GetTickCount() - start < limitMs) Sleep(5);
}

}  // namespace tavrill
