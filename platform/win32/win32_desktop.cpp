#include "platform/win32/win32_desktop.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

#include "platform/text.h"
#include "platform/win32/program_icon.h"
#include "platform/win32/screen_dpi.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_shell.h"

namespace platform {

int Win32Desktop::MsgBox(WindowId owner, const std::string& text, const std::string& title,
                         unsigned style) {
    return MessageBoxW(reinterpret_cast<HWND>(owner), Wide(text).c_str(), Wide(title).c_str(),
                       style | MB_SETFOREGROUND);
}

ScreenMetrics Win32Desktop::Screen() {
    ScreenMetrics m;
    const win32::Dpi dpi = win32::ScreenDpi();
    m.dpiX = dpi.x;
    m.dpiY = dpi.y;
    m.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    m.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    m.smallIconWidth = GetSystemMetrics(SM_CXSMICON);
    m.smallIconHeight = GetSystemMetrics(SM_CYSMICON);
    return m;
}

bool Win32Desktop::TaskbarRect(PixelRect& rect) {
    APPBARDATA data = {};
    data.cbSize = sizeof(data);
    rect = {};
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &data)) return false;
    rect = {data.rc.left, data.rc.top, data.rc.right, data.rc.bottom};
    return true;
}

void Win32Desktop::SetForeground(WindowId window) {
    SetForegroundWindow(reinterpret_cast<HWND>(window));
}

DiskSpace Win32Desktop::DiskFreeSpace(const std::string& root) {
    ULARGE_INTEGER available = {}, total = {}, free = {};
    DiskSpace space;
    // A missing drive must not raise the "insert a disk" box of the system.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (GetDiskFreeSpaceExW(Wide(root).c_str(), &available, &total, &free)) {
        space.availableToCaller = available.QuadPart;
        space.total = total.QuadPart;
        space.free = free.QuadPart;
    }
    SetErrorMode(oldMode);
    return space;
}

Picture Win32Desktop::AppIcon() {
    HICON icon = win32::LoadSmallProgramIcon();
    if (!icon) return {};
    return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(icon), DestroyGdiPicture);
}

Picture Win32Desktop::LoadPicture(const std::string& path) {
    const std::wstring file = Wide(path);
    HANDLE bitmap = LoadImageW(nullptr, file.c_str(), IMAGE_BITMAP, 0, 0,
                               LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (bitmap)
        return Picture(Picture::Kind::Bitmap, reinterpret_cast<std::uintptr_t>(bitmap),
                       DestroyGdiPicture);
    HANDLE icon = LoadImageW(nullptr, file.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    if (icon)
        return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(icon),
                       DestroyGdiPicture);
    return {};
}

std::string Win32Desktop::LowerCase(std::string_view text) {
    // The search folds every item's name on each keystroke: ASCII, most names, folds alike
    // without a round trip through UTF-16.
    if (IsAscii(text)) return AsciiLower(text);
    std::wstring wide = Wide(text);
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8(wide);
}

// The letters split into base and accents (MAP_COMPOSITE), the accents (the combining marks
// of U+0300 to U+036F) left out.
std::string Win32Desktop::WithoutAccents(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    const std::wstring wide = Wide(text);
    const int size = static_cast<int>(wide.size());
    const int needed = FoldStringW(MAP_COMPOSITE, wide.data(), size, nullptr, 0);
    if (wide.empty() || needed <= 0) return std::string(text);
    std::wstring split(static_cast<std::size_t>(needed), L'\0');
    if (FoldStringW(MAP_COMPOSITE, wide.data(), size, split.data(), needed) <= 0)
        return std::string(text);
    std::erase_if(split, [](wchar_t c) { return c >= 0x300 && c <= 0x36F; });
    return Utf8(split);
}

}  // namespace platform
