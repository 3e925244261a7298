#include "ui/win32/timer_peer.h"

#include "ui/win32/win32_backend.h"

namespace ui::win32 {

Win32TimerPeer::Win32TimerPeer(Win32Backend& backend, Timer& timer, HWND window)
    : backend_(backend), timer_(timer), window_(window), id_(backend.AddTimer(*this)) {}

Win32TimerPeer::~Win32TimerPeer() {
    Stop();
    backend_.RemoveTimer(id_);
}

void Win32TimerPeer::Start(int intervalMs) {
    // Without a window SetTimer would make a thread timer with an id of its own choosing.
    if (window_) SetTimer(window_, id_, static_cast<UINT>(intervalMs), nullptr);
}

void Win32TimerPeer::Stop() {
    if (window_ && IsWindow(window_)) KillTimer(window_, id_);
}

}  // namespace ui::win32
