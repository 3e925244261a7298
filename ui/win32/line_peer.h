#pragma once
#include "ui/line.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// An etched STATIC: it draws its rule along its top edge, two pixels high.
class Win32LinePeer : public ChildPeer<ControlPeer> {
  public:
    Win32LinePeer(Win32Backend& backend, Line&, Container& parent, const ControlArgs& args);
};

}  // namespace ui::win32
