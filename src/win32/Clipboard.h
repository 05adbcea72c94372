#pragma once
// A clipboard session opened with our own window, closed when it goes out of
// scope. Plain text (CF_TEXT) only.

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrill {

class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner);
    ~ClipboardSession();
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;

    explicit operator bool() const { return open_; }

    void Clear();
    // The text up to its first NUL; empty when there is no text.
    std::string Text() const;
    // Empties the clipboard and leaves exactly this text on it.
    bool SetText(std::string_view text);

private:
    bool open_;
};

bool ClipboardHasText();

}  // namespace tavrill
