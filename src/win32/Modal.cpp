#include "win32/Modal.h"

#include <algorithm>

namespace tavrill {
namespace {

// A named CALLBACK rather than a lambda: on 32-bit Windows the callback must be
// __stdcall, which a lambda cannot convert to.
BOOL CALLBACK CollectEnabled(HWND hwnd, LPARAM param) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

}  // namespace

ProgramModal::ProgramModal(HWND except) : active_(GetActiveWindow()) {
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled_));
    std::erase(disabled_, except);
    for (HWND hwnd : disabled_) EnableWindow(hwnd, FALSE);
}

ProgramModal::~ProgramModal() {
    for (HWND hwnd : disabled_)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}

}  // namespace tavrill
