#pragma once
#include "platform/desktop.h"

namespace platform {

class Win32Desktop : public Desktop {
  public:
    int MsgBox(WindowId owner, const std::string& text, const std::string& title,
               unsigned style) override;
    ScreenMetrics Screen() override;
    bool TaskbarRect(PixelRect& rect) override;
    void SetForeground(WindowId window) override;
    DiskSpace DiskFreeSpace(const std::string& root) override;
    Picture AppIcon() override;
    Picture LoadPicture(const std::string& path) override;
    std::string LowerCase(std::string_view text) override;
    std::string WithoutAccents(std::string_view text) override;
};

}  // namespace platform
