#pragma once
// Everything the bridge needs of the window system and the clipboard. The
// Windows implementation (win32/WindowsHost) is a thin layer over user32; the
// unit tests use an in-memory host with a little window tree and a clipboard.

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrill {

// An opaque window handle; 0 is "none".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

enum class Answer { Yes, No, Cancel };

class BridgeHost {
public:
    virtual ~BridgeHost() = default;

    virtual WindowHandle ForegroundWindow() = 0;
    // The tool bar's window now; it changes when Stay on Top re-creates the window.
    virtual WindowHandle OwnWindow() = 0;
    virtual bool WindowExists(WindowHandle w) = 0;
    // At most 98 bytes; empty when it cannot be read.
    virtual std::string ClassName(WindowHandle w) = 0;
    virtual WindowHandle FirstChild(WindowHandle w) = 0;
    virtual WindowHandle NextSibling(WindowHandle w) = 0;
    // At most 127 bytes; empty for none or a window without a title.
    virtual std::string WindowTitle(WindowHandle w) = 0;

    // Sent synchronously; a none or dead handle makes them do nothing.
    virtual void SendCopy(WindowHandle w) = 0;
    virtual void SendPaste(WindowHandle w) = 0;
    virtual void SendUndo(WindowHandle w) = 0;
    virtual void BringToFront(WindowHandle w) = 0;

    virtual void ClearClipboard() = 0;
    virtual bool ClipboardHasText() = 0;
    // The plain text up to its first NUL; empty when there is none.
    virtual std::string ReadClipboardText() = 0;
    // The clipboard afterwards holds exactly this text and no other format. False when
    // it could not be opened or the text could not be stored; it may then hold anything.
    virtual bool WriteClipboardText(std::string_view text) = 0;

    // Message boxes, modal for the whole program, without an icon.
    virtual void ShowNotice(std::string_view text, std::string_view caption) = 0;        // OK
    virtual Answer AskYesNoCancel(std::string_view text, std::string_view caption) = 0;  // Yes default
    virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;          // true for Yes
};

}  // namespace tavrill
