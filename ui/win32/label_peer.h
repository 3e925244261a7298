#pragma once
#include "ui/label.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// A STATIC window; & marks an access key as in the designs.
class Win32LabelPeer : public ChildPeer<ControlPeer> {
  public:
    Win32LabelPeer(Win32Backend& backend, Label&, Container& parent, const ControlArgs& args) {
        window_.Create(backend, parent, "Static", SS_LEFT, 0, args, *this);
    }
};

}  // namespace ui::win32
