#pragma once
#include <windows.h>

#include "ui/timer.h"

namespace ui {
class Win32Backend;
}

namespace ui::win32 {

// A SetTimer on the container's window. The id is unique in the process and never reused,
// so the container's WM_TIMER finds this peer through the backend, or nobody.
class Win32TimerPeer : public TimerPeer {
  public:
    Win32TimerPeer(Win32Backend& backend, Timer& timer, HWND window);
    Win32TimerPeer(const Win32TimerPeer&) = delete;
    Win32TimerPeer& operator=(const Win32TimerPeer&) = delete;
    ~Win32TimerPeer() override;
    void Start(int intervalMs) override;
    void Stop() override;
    void Fire() { timer_.Tick(); }

  private:
    Win32Backend& backend_;
    Timer& timer_;
    HWND window_;  // not owned
    UINT_PTR id_;
};

}  // namespace ui::win32
