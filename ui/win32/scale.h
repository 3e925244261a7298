#pragma once
// Twips (1440 an inch) to the screen's pixels and back.
#include <windows.h>

#include "platform/twips.h"
#include "platform/win32/screen_dpi.h"
#include "ui/control.h"

namespace ui::win32 {

struct Scale {
    int dpiX = 96, dpiY = 96;

    int ToPixelsX(int twips) const { return platform::TwipsToPixels(twips, dpiX); }
    int ToPixelsY(int twips) const { return platform::TwipsToPixels(twips, dpiY); }
    int ToTwipsX(int pixels) const { return platform::PixelsToTwips(pixels, dpiX); }
    int ToTwipsY(int pixels) const { return platform::PixelsToTwips(pixels, dpiY); }
    // Each length is converted on its own, as the designs were laid out.
    RECT ToPixels(const Bounds& b) const {
        const int left = ToPixelsX(b.left), top = ToPixelsY(b.top);
        return {left, top, left + ToPixelsX(b.width), top + ToPixelsY(b.height)};
    }
    Bounds ToTwips(const RECT& r) const {
        return {ToTwipsX(r.left), ToTwipsY(r.top), ToTwipsX(r.right - r.left),
                ToTwipsY(r.bottom - r.top)};
    }

    static Scale OfScreen() {
        const platform::win32::Dpi dpi = platform::win32::ScreenDpi();
        return {dpi.x, dpi.y};
    }
};

}  // namespace ui::win32
