#pragma once
// A clipboard session opened with our own window, closed when it goes out of
// scope. Text: UTF-8 in the program, Unicode text (CF_UNICODETEXT) on the
// clipboard, from which the system makes CF_TEXT for programs that ask for it;
// and a snapshot of every format for Keep my clipboard.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/BridgeHost.h"
#include "win32/UniqueHandle.h"

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

// What the user had on the clipboard: every memory format byte for byte, the
// bitmap and the enhanced metafile copied with their own functions. Palettes,
// old-style metafile pictures, owner-drawn, private and GDI-object formats are
// left out: their handles are not memory that can be copied.
class ClipboardSnapshot : public SavedClipboard {
public:
    // Copies what the open session's clipboard holds.
    static std::unique_ptr<ClipboardSnapshot> Take(const ClipboardSession& session);
    // Empties the clipboard and hands the saved formats over to it; a format
    // that cannot be stored is left out, and the snapshot is spent afterwards.
    void PutBack(ClipboardSession& session);

private:
    struct Memory {
        UINT format;
        std::vector<char> bytes;
    };
    std::vector<Memory> memory_;
    UniqueBitmap bitmap_;
    UniqueEnhMetaFile enhMetaFile_;
};

}  // namespace tavrill
