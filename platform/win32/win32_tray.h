#pragma once
#include "platform/tray.h"
#include "platform/win32/handles.h"

namespace platform {

class Win32Tray : public Tray {
  public:
    // The window gets `callbackMessage` with the mouse message in lParam: a private
    // message, so real mouse moves over the window are never taken for tray clicks.
    explicit Win32Tray(unsigned callbackMessage) : callbackMessage_(callbackMessage) {}
    Win32Tray(const Win32Tray&) = delete;
    Win32Tray& operator=(const Win32Tray&) = delete;
    ~Win32Tray() override;
    bool Add(WindowId window, const std::string& tip) override;
    void Remove() override;

  private:
    unsigned callbackMessage_;
    WindowId window_ = 0;
    win32::IconHandle icon_;
    bool added_ = false;
};

}  // namespace platform
