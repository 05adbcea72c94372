#pragma once
// The shortcuts as system-wide hot keys of one window, which gets WM_HOTKEY
// with the id when one is pressed.

#include <windows.h>

#include "app/Shortcuts.h"

namespace tavrill {

class WindowHotKeys : public HotKeyRegistry {
public:
    explicit WindowHotKeys(HWND window) : window_(window) {}
    bool Register(int id, Shortcut s) override;
    void Unregister(int id) override;

private:
    HWND window_;
};

// Waits, at most `limitMs`, until the user has let go of Ctrl, Alt, Shift and
// Win. A hot key fires while they are still held; a command that runs before
// they are released would see them on the keys it sends, and a lone Alt
// released over a fresh dialog would open its system menu.
void WaitForModifierRelease(DWORD limitMs);

}  // namespace tavrill
