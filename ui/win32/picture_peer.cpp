#include "ui/win32/picture_peer.h"

namespace ui::win32 {

using Kind = platform::Picture::Kind;

Win32PicturePeer::Win32PicturePeer(Win32Backend& backend, PictureBox&, Container& parent,
                                   const ControlArgs& args) {
    ControlArgs untitled = args;
    untitled.text.clear();
    window_.Create(backend, parent, "Static", SS_OWNERDRAW, 0, untitled, *this);
}

void Win32PicturePeer::SetPicture(const platform::Picture& picture) {
    kind_ = picture.kind();
    handle_ = picture.handle();
    if (window_.hwnd()) InvalidateRect(window_.hwnd(), nullptr, TRUE);
}

bool Win32PicturePeer::OnReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    Draw(item->hDC, item->rcItem);
    result = TRUE;
    return true;
}

void Win32PicturePeer::Draw(HDC dc, const RECT& area) const {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (kind_ == Kind::Icon && handle_) {
        DrawIconEx(dc, area.left, area.top, reinterpret_cast<HICON>(handle_), width, height, 0,
                   nullptr, DI_NORMAL);
    } else if (kind_ == Kind::Bitmap && handle_) {
        auto bitmap = reinterpret_cast<HBITMAP>(handle_);
        BITMAP info{};
        if (!GetObjectW(bitmap, sizeof(info), &info)) return;
        DcHandle memory(CreateCompatibleDC(dc));
        if (!memory) return;
        HGDIOBJ old = SelectObject(memory.get(), bitmap);
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, area.left, area.top, width, height, memory.get(), 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
        SelectObject(memory.get(), old);
    }
}

}  // namespace ui::win32
