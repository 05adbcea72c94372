#include "win32/Clipboard.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "win32/UniqueHandle.h"
#include "win32/Utf.h"

namespace tavrill {
namespace {

// Another program may hold the clipboard for a moment; try a few times.
bool OpenWithRetry(HWND owner) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
    ~GlobalLockGuard() {
        if (data_) GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* data() const { return data_; }

private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

ClipboardSession::ClipboardSession(HWND owner) : open_(OpenWithRetry(owner)) {
}

ClipboardSession::~ClipboardSession() {
    if (open_) CloseClipboard();
}

void ClipboardSession::Clear() {
    if (open_) EmptyClipboard();
}

namespace {

// The text of one clipboard format up to its first NUL character; the data block
// may be larger than the text, so never read past its end.
template <class Char>
std::optional<std::basic_string<Char>> FormatText(UINT format) {
    HANDLE data = GetClipboardData(format);
    if (!data) return std::nullopt;
    GlobalLockGuard lock(data);
    if (!lock.data()) return std::nullopt;
    const Char* text = static_cast<const Char*>(lock.data());
    const size_t units = GlobalSize(data) / sizeof(Char);
    return std::basic_string<Char>(text, std::find(text, text + units, Char{}));
}

}  // namespace

std::string ClipboardSession::Text() const {
    if (!open_) return {};
    // Unicode first: the editor's own format since it became Unicode, and one the
    // system also makes from an older editor's plain text.
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) {
        if (const auto wide = FormatText<wchar_t>(CF_UNICODETEXT)) return Narrow(*wide);
    }
    if (const auto ansi = FormatText<char>(CF_TEXT)) return AnsiToUtf8(*ansi);
    return {};
}

bool ClipboardSession::SetText(std::string_view text) {
    if (!open_ || !EmptyClipboard()) return false;
    const std::wstring wide = Widen(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    UniqueGlobal memory{GlobalAlloc(GMEM_MOVEABLE, bytes)};
    if (!memory) return false;
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.data()) return false;
        std::memcpy(lock.data(), wide.c_str(), bytes);  // the terminating NUL included
    }
    // The clipboard owns the memory only once SetClipboardData has succeeded.
    if (!SetClipboardData(CF_UNICODETEXT, memory.get())) return false;
    memory.release();
    return true;
}

bool ClipboardHasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0 || IsClipboardFormatAvailable(CF_TEXT) != 0;
}

}  // namespace tavrill
