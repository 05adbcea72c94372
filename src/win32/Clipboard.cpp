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

namespace tavrill {
namespace {

// Formats whose data is a handle of some other kind, or whose meaning only the
// program that put it there knows; they are left out of a snapshot.
bool IsCopiedAsMemory(UINT format) {
    switch (format) {
        case CF_BITMAP:
        case CF_ENHMETAFILE:
        case CF_PALETTE:
        case CF_METAFILEPICT:  // memory, but holding a metafile handle
        case CF_OWNERDISPLAY:
        case CF_DSPTEXT:
        case CF_DSPBITMAP:
        case CF_DSPMETAFILEPICT:
        case CF_DSPENHMETAFILE:
            return false;
        default:
            return !(format >= CF_PRIVATEFIRST && format <= CF_PRIVATELAST) &&
                   !(format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST);
    }
}

std::vector<char> MemoryBytes(HANDLE data) {
    // GlobalSize is 0 for a handle that is not global memory: nothing is copied.
    const SIZE_T size = data ? GlobalSize(data) : 0;
    GlobalLockGuard lock(size ? data : nullptr);
    if (!lock.data()) return {};
    std::vector<char> bytes(size);
    std::memcpy(bytes.data(), lock.data(), size);
    return bytes;
}

bool StoreMemory(UINT format, const std::vector<char>& bytes) {
    UniqueGlobal memory{GlobalAlloc(GMEM_MOVEABLE, bytes.size())};
    if (!memory) return false;
    {
        GlobalLockGuard lock(memory.get());
        if (!lock.data()) return false;
        std::memcpy(lock.data(), bytes.data(), bytes.size());
    }
    if (!SetClipboardData(format, memory.get())) return false;
    memory.release();  // the clipboard owns it now
    return true;
}

}  // namespace

std::unique_ptr<ClipboardSnapshot> ClipboardSnapshot::Take(const ClipboardSession& session) {
    auto snapshot = std::make_unique<ClipboardSnapshot>();
    if (!session) return snapshot;
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
        HANDLE data = GetClipboardData(format);
        if (!data) continue;
        if (format == CF_BITMAP) {
            snapshot->bitmap_.reset(static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0)));
        } else if (format == CF_ENHMETAFILE) {
            snapshot->enhMetaFile_.reset(CopyEnhMetaFile(static_cast<HENHMETAFILE>(data), nullptr));
        } else if (IsCopiedAsMemory(format)) {
            if (auto bytes = MemoryBytes(data); !bytes.empty())
                snapshot->memory_.push_back({format, std::move(bytes)});
        }
    }
    return snapshot;
}

void ClipboardSnapshot::PutBack(ClipboardSession& session) {
    if (!session) return;
    session.Clear();
    // Each format is stored on its own: one that fails costs only itself.
    for (const Memory& m : memory_) StoreMemory(m.format, m.bytes);
    if (bitmap_ && SetClipboardData(CF_BITMAP, bitmap_.get())) bitmap_.release();
    if (enhMetaFile_ && SetClipboardData(CF_ENHMETAFILE, enhMetaFile_.get())) enhMetaFile_.release();
    memory_.clear();
}

}  // namespace tavrill
