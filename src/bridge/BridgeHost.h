#pragma once
// Everything the bridge needs of the window system and the clipboard. The
// Windows implementation (win32/WindowsHost) is a thin layer over user32; the
// unit tests use an in-memory host with a little window tree and a clipboard.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavrill {

// An opaque window handle; 0 is "none".
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

enum class Answer { Yes, No, Cancel };

// A copy of everything that was on the clipboard; only the host that made it
// knows what is inside.
class SavedClipboard {
public:
    virtual ~SavedClipboard() = default;
};

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
    // The clipboard afterwards holds exactly this text and no other format.
    virtual void WriteClipboardText(std::string_view text) = 0;

    // Moves whenever any program changes the clipboard.
    virtual std::uint32_t ClipboardSequence() = 0;
    // A copy of every format on the clipboard that can be copied (the others are
    // left out); nothing when the clipboard cannot be opened.
    virtual std::unique_ptr<SavedClipboard> SaveClipboard() = 0;
    // Empties the clipboard and puts the saved formats back.
    virtual void RestoreClipboard(std::unique_ptr<SavedClipboard> saved) = 0;

    // Message boxes, modal for the whole program, without an icon.
    virtual void ShowNotice(std::string_view text, std::string_view caption) = 0;       // OK
    virtual Answer AskYesNoCancel(std::string_view text, std::string_view caption) = 0;  // Yes default
    virtual bool AskYesNo(std::string_view text, std::string_view caption) = 0;          // true for Yes
};

}  // namespace tavrill
