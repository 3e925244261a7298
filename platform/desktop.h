#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/picture.h"
#include "platform/twips.h"
#include "platform/window_id.h"

namespace platform {

// Message-box styles and answers, with the system's values.
enum MsgBoxStyle : unsigned {
    kMbOk = 0x0,
    kMbYesNo = 0x4,
    kMbIconCritical = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconExclamation = 0x30,
    kMbIconInformation = 0x40,
};
enum MsgBoxAnswer : int { kIdOk = 1, kIdCancel = 2, kIdYes = 6, kIdNo = 7 };

// The primary screen in pixels and its dots per inch; twips are derived, never stored.
struct ScreenMetrics {
    int widthPixels = 0;
    int heightPixels = 0;
    int dpiX = 96;
    int dpiY = 96;
    // The system's small-icon size: tree pictures follow it (32 x 32 at 200 %).
    int smallIconWidth = 16;
    int smallIconHeight = 16;

    int WidthTwips() const { return PixelsToTwips(widthPixels, dpiX); }
    int HeightTwips() const { return PixelsToTwips(heightPixels, dpiY); }
    int ToTwipsY(int pixels) const { return PixelsToTwips(pixels, dpiY); }
};

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct DiskSpace {
    std::uint64_t availableToCaller = 0;
    std::uint64_t total = 0;
    std::uint64_t free = 0;
};

class Desktop {
  public:
    virtual ~Desktop() = default;
    virtual int MsgBox(WindowId owner, const std::string& text, const std::string& title,
                       unsigned style) = 0;
    virtual ScreenMetrics Screen() = 0;
    // The taskbar's rectangle in pixels; false (and an empty rectangle) when there is none.
    virtual bool TaskbarRect(PixelRect& rect) = 0;
    virtual void SetForeground(WindowId window) = 0;
    // Counts stay 0 when the query fails.
    virtual DiskSpace DiskFreeSpace(const std::string& root) = 0;
    // The program's own icon, as the window and the tray show it.
    virtual Picture AppIcon() = 0;
    // A picture file (bitmap, icon, ...); an empty picture when it cannot be read as one.
    virtual Picture LoadPicture(const std::string& path) = 0;
    // The text with its capitals made small by Unicode's rules, as the system folds them:
    // E acute becomes e acute and Cyrillic De becomes de, as A becomes a.
    virtual std::string LowerCase(std::string_view text) = 0;
    // The text with the accents taken off its letters (e acute as e), by the system's rules.
    virtual std::string WithoutAccents(std::string_view text) = 0;
};

}  // namespace platform
