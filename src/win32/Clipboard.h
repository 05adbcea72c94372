#pragma once
// A clipboard session opened with our own window, closed when it goes out of
// scope. Text only: UTF-8 in the program, Unicode text (CF_UNICODETEXT) on the
// clipboard, from which the system makes CF_TEXT for programs that ask for it.

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
    // The text up to its first NUL, as UTF-8: the Unicode text when there is
    // one, else the plain text in the ANSI code page; empty when there is none.
    std::string Text() const;
    // Empties the clipboard and leaves exactly this text on it, as Unicode text.
    bool SetText(std::string_view text);

private:
    bool open_;
};

// True when the clipboard offers Unicode or plain text.
bool ClipboardHasText();

}  // namespace tavrill
