#pragma once
// Taking what other programs drag onto a window through OLE: files from the shell, links
// from a browser. Nothing is taken that the owner does not want, and nothing is ever moved.
#include <windows.h>

#include <functional>

#include "platform/win32/dropped_files.h"

namespace ui::win32 {

// OLE on this thread for as long as it lives: a window can register for drops only then.
// Balanced only when this call counted; in another model's thread drops come through
// WM_DROPFILES alone.
class OleSession {
  public:
    OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession();

  private:
    bool ours_;
};

struct DropHandlers {
    // Answered at once, as the pointer moves in: whether the window would take it.
    std::function<bool(const platform::win32::DroppedData&)> wouldTake;
    std::function<void(platform::win32::DroppedData)> take;
};

class DropTarget;

// A window's registration as a drop target, revoked before the window goes.
class DropRegistration {
  public:
    DropRegistration() = default;
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;
    ~DropRegistration() { Revoke(); }

    void Register(HWND window, DropHandlers handlers);  // left unregistered when OLE refuses
    void Revoke();                                      // while the window still exists

  private:
    HWND window_ = nullptr;
    DropTarget* target_ = nullptr;  // one reference ours
};

}  // namespace ui::win32
