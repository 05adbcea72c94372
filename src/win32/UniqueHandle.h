#pragma once
// One move-only owner for every kind of Windows handle: the closing function is
// part of the type, so no exit path needs its own cleanup.

#include <windows.h>

#include <utility>

namespace tavrill {

template <class H, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(H h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    H get() const { return h_; }
    explicit operator bool() const { return h_ != H{}; }
    H release() { return std::exchange(h_, H{}); }
    void reset(H h = H{}) {
        if (h_) Close(h_);
        h_ = h;
    }

private:
    H h_ = H{};
};

namespace detail {
inline void CloseFile(HANDLE h) { CloseHandle(h); }
inline void DeleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { DestroyMenu(h); }
inline void DestroyWindowHandle(HWND h) { DestroyWindow(h); }
inline void DeleteEnhMetaFileHandle(HENHMETAFILE h) { DeleteEnhMetaFile(h); }
inline void FreeGlobal(HGLOBAL h) { GlobalFree(h); }
}  // namespace detail

using UniqueFile = UniqueHandle<HANDLE, &detail::CloseFile>;
using UniqueMenu = UniqueHandle<HMENU, &detail::DestroyMenuHandle>;
using UniqueFont = UniqueHandle<HFONT, &detail::DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &detail::DeleteGdiObject>;
using UniqueWindow = UniqueHandle<HWND, &detail::DestroyWindowHandle>;
using UniqueEnhMetaFile = UniqueHandle<HENHMETAFILE, &detail::DeleteEnhMetaFileHandle>;
using UniqueGlobal = UniqueHandle<HGLOBAL, &detail::FreeGlobal>;

// CreateFile reports failure with INVALID_HANDLE_VALUE rather than a null handle;
// this makes its result fit UniqueFile.
inline UniqueFile OpenedFile(HANDLE h) { return UniqueFile{h == INVALID_HANDLE_VALUE ? nullptr : h}; }

}  // namespace tavrill
