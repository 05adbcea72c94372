#include "win32/Modal.h"

#include <algorithm>

namespace tavrill {

ProgramModal::ProgramModal(HWND except) : active_(GetActiveWindow()) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* self = reinterpret_cast<ProgramModal*>(param);
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) self->disabled_.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
    std::erase(disabled_, except);
    for (HWND hwnd : disabled_) EnableWindow(hwnd, FALSE);
}

ProgramModal::~ProgramModal() {
    for (HWND hwnd : disabled_)
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    if (active_ && IsWindow(active_)) SetActiveWindow(active_);
}

}  // namespace tavrill
