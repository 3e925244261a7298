#pragma once
#include <string>

#include "platform/window_id.h"

namespace platform {

// The notification-area icon. Its mouse messages reach the window's form as tray
// notifications (the form's onTrayNotify), never as mouse moves.
class Tray {
  public:
    virtual ~Tray() = default;
    // The tip is cut to what the system's record holds (63 characters).
    virtual bool Add(WindowId window, const std::string& tip) = 0;
    virtual void Remove() = 0;
};

}  // namespace platform
