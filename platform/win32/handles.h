#pragma once
// Move-only owners of one system object each: the one handle-owning idiom of both
// win32 trees.
#include <windows.h>

#include <commctrl.h>

#include <utility>

namespace platform::win32 {

template <class H, BOOL(WINAPI* Free)(H)>
class Owned {
  public:
    Owned() = default;
    explicit Owned(H handle) : handle_(handle) {}
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    ~Owned() { Reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    H release() { return std::exchange(handle_, nullptr); }
    void Reset(H handle = nullptr) {
        if (handle_) Free(handle_);
        handle_ = handle;
    }
    // For owners that must see the system's answer (a file's close reports a failed
    // delayed write); true when there was nothing to close.
    bool Close() { return !handle_ || Free(std::exchange(handle_, nullptr)) != FALSE; }

  private:
    H handle_ = nullptr;
};

inline BOOL WINAPI DeleteFont(HFONT font) {
    return DeleteObject(font);
}
inline BOOL WINAPI DeleteBitmap(HBITMAP bitmap) {
    return DeleteObject(bitmap);
}

using FontHandle = Owned<HFONT, DeleteFont>;
using BitmapHandle = Owned<HBITMAP, DeleteBitmap>;
using IconHandle = Owned<HICON, DestroyIcon>;
using MenuHandle = Owned<HMENU, DestroyMenu>;
using AccelHandle = Owned<HACCEL, DestroyAcceleratorTable>;
using ImageListHandle = Owned<HIMAGELIST, ImageList_Destroy>;
using DcHandle = Owned<HDC, DeleteDC>;
using WindowHandle = Owned<HWND, DestroyWindow>;
using KernelHandle =
    Owned<HANDLE, CloseHandle>;  // not for files: they fail as INVALID_HANDLE_VALUE

}  // namespace platform::win32
