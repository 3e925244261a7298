#pragma once
// The program's own icon (resource 1), at a size of the caller's choosing: the window, the
// tray and the sidebar all show it. Null in a program without one (a test).
#include <windows.h>

namespace platform::win32 {

inline HICON LoadProgramIcon(int width, int height) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                         width, height, LR_DEFAULTCOLOR));
}

inline HICON LoadSmallProgramIcon() {
    return LoadProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}

}  // namespace platform::win32
