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
inline void CloseFile(HANDLE h) {
    CloseHandle(h);
}
inline void DeleteGdiObject(HGDIOBJ h) {
    DeleteObject(h);
}
inline void DestroyMenuHandle(HMENU h) {
    DestroyMenu(h);
}
inline void DestroyWindowHandle(HWND h) {
    DestroyWindow(h);
}
inline void DeleteEnhMetaFileHandle(HENHMETAFILE h) {
    DeleteEnhMetaFile(h);
}
inline void DeleteMemoryDC(HDC h) {
    DeleteDC(h);
}
inline void CloseFind(HANDLE h) {
    FindClose(h);
}
inline void FreeGlobal(HGLOBAL h) {
    GlobalFree(h);
}
inline void DestroyIconHandle(HICON h) {
    DestroyIcon(h);
}
}  // namespace detail

using UniqueFile = UniqueHandle<HANDLE, &detail::CloseFile>;
using UniqueMenu = UniqueHandle<HMENU, &detail::DestroyMenuHandle>;
using UniqueFont = UniqueHandle<HFONT, &detail::DeleteGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, &detail::DeleteGdiObject>;
using UniqueIcon = UniqueHandle<HICON, &detail::DestroyIconHandle>;  // from LoadImage with a size
using UniqueWindow = UniqueHandle<HWND, &detail::DestroyWindowHandle>;
using UniqueEnhMetaFile = UniqueHandle<HENHMETAFILE, &detail::DeleteEnhMetaFileHandle>;
using UniqueMemoryDC = UniqueHandle<HDC, &detail::DeleteMemoryDC>;  // from CreateCompatibleDC
using UniqueFind = UniqueHandle<HANDLE, &detail::CloseFind>;        // from FindFirstFile, see ValidOrNull
using UniqueGlobal = UniqueHandle<HGLOBAL, &detail::FreeGlobal>;    // release() once the system owns it

// CreateFile and FindFirstFile report failure with INVALID_HANDLE_VALUE rather
// than a null handle; this makes their results fit UniqueFile and UniqueFind.
inline HANDLE ValidOrNull(HANDLE h) {
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}
inline UniqueFile OpenedFile(HANDLE h) {
    return UniqueFile{ValidOrNull(h)};
}

// A window's device context from GetDC, released at the end of the scope.
// ScreenDC{nullptr} is the whole screen's.
class ScreenDC {
public:
    explicit ScreenDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~ScreenDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a device context and selects the one it replaced
// back at the end of the scope, so that the object can be deleted afterwards.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (old_) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace tavrill
