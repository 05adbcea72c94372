#pragma once
// Program-wide modality, as message boxes and dialogs need it: while a box is
// open every other window of the program is disabled.

#include <windows.h>

#include <vector>

namespace tavrill {

// Disables every other top-level window of the program while it lives, and on
// the way out enables them again and re-activates the window that was active.
class ProgramModal {
public:
    explicit ProgramModal(HWND except = nullptr);
    ~ProgramModal();
    ProgramModal(const ProgramModal&) = delete;
    ProgramModal& operator=(const ProgramModal&) = delete;

private:
    std::vector<HWND> disabled_;
    HWND active_;
};

}  // namespace tavrill
