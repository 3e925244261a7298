#pragma once
// The screen's dots per inch, 96 when the system cannot tell.
#include <windows.h>

namespace platform::win32 {

struct Dpi {
    int x = 96, y = 96;
};

inline Dpi ScreenDpi() {
    Dpi dpi;
    if (HDC dc = GetDC(nullptr)) {
        dpi.x = GetDeviceCaps(dc, LOGPIXELSX);
        dpi.y = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
    }
    if (dpi.x <= 0) dpi.x = 96;
    if (dpi.y <= 0) dpi.y = 96;
    return dpi;
}

}  // namespace platform::win32
