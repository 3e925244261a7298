#include "ui/win32/image_list_peer.h"

namespace ui::win32 {

namespace {
constexpr UINT kFlags = ILC_COLOR32 | ILC_MASK;

// A copy of the bitmap at the list's size; null when the bitmap already has that size.
BitmapHandle FitBitmap(HBITMAP source, int width, int height) {
    BITMAP info{};
    if (!GetObjectW(source, sizeof(info), &info)) return {};
    if (info.bmWidth == width && info.bmHeight == height) return {};
    HDC screen = GetDC(nullptr);
    BitmapHandle fitted(CreateCompatibleBitmap(screen, width, height));
    DcHandle from(CreateCompatibleDC(screen)), to(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    if (!fitted || !from || !to) return {};
    HGDIOBJ oldFrom = SelectObject(from.get(), source);
    HGDIOBJ oldTo = SelectObject(to.get(), fitted.get());
    SetStretchBltMode(to.get(), HALFTONE);
    StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(from.get(), oldFrom);
    SelectObject(to.get(), oldTo);
    return fitted;
}
}  // namespace

Win32ImageListPeer::Win32ImageListPeer()
    : list_(ImageList_Create(width_, height_, kFlags, 16, 64)) {}

void Win32ImageListPeer::SetImageSize(int width, int height) {
    width_ = width;
    height_ = height;
    if (list_) ImageList_SetIconSize(list_.get(), width, height);  // drops every picture
}

void Win32ImageListPeer::Clear() {
    if (list_) ImageList_RemoveAll(list_.get());
}

int Win32ImageListPeer::Add(const platform::Picture& picture) {
    return Put(-1, picture);
}

bool Win32ImageListPeer::Replace(int index, const platform::Picture& picture) {
    return index >= 0 && Put(index, picture) == index;
}

int Win32ImageListPeer::Put(int index, const platform::Picture& picture) {
    if (!list_ || !picture) return -1;
    using Kind = platform::Picture::Kind;
    if (picture.kind() == Kind::Icon) {
        return ImageList_ReplaceIcon(list_.get(), index, reinterpret_cast<HICON>(picture.handle()));
    }
    if (picture.kind() != Kind::Bitmap) return -1;
    auto bitmap = reinterpret_cast<HBITMAP>(picture.handle());
    BitmapHandle fitted = FitBitmap(bitmap, width_, height_);
    if (fitted) bitmap = fitted.get();
    if (index < 0) return ImageList_Add(list_.get(), bitmap, nullptr);
    return ImageList_Replace(list_.get(), index, bitmap, nullptr) ? index : -1;
}

platform::Picture Win32ImageListPeer::Copy(int index) const {
    HICON icon = list_ ? ImageList_GetIcon(list_.get(), index, ILD_NORMAL) : nullptr;
    if (!icon) return {};
    return platform::Picture(platform::Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(icon),
                             [](platform::Picture::Kind, std::uintptr_t handle) {
                                 DestroyIcon(reinterpret_cast<HICON>(handle));
                             });
}

}  // namespace ui::win32
