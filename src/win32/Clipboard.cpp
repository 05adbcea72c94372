#include "win32/Clipboard.h"

#include <cstring>

#include "win32/UniqueHandle.h"

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
    explicit GlobalLockGuard(HGLOBAL memory) : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr) {}
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

ClipboardSession::ClipboardSession(HWND owner) : open_(OpenWithRetry(owner)) {}

ClipboardSession::~ClipboardSession() {
    if (open_) CloseClipboard();
}

void ClipboardSession::Clear() {
    if (open_) EmptyClipboard();
}

std::string ClipboardSession::Text() const {
    if (!open_) return {};
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return {};
    GlobalLockGuard lock(data);
    if (!lock.data()) return {};
    // The data block may be larger than the text; never read past its end.
    const size_t size = GlobalSize(data);
    const char* text = static_cast<const char*>(lock.data());
    return std::string(text, strnlen(text, size));
}

bool ClipboardSession::SetText(std::string_view text) {
    if (!open_ || !EmptyClipboard()) return false;
    UniqueGlobal memory{GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)};
    if (!memory) return false;
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.data()) return false;
        std::memcpy(lock.data(), text.data(), text.size());
        static_cast<char*>(lock.data())[text.size()] = '\0';
    }
    // The clipboard owns the memory only once SetClipboardData has succeeded.
    if (!SetClipboardData(CF_TEXT, memory.get())) return false;
    memory.release();
    return true;
}

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

}  // namespace tavrill
