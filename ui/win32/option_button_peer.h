#pragma once
#include "ui/option_button.h"
#include "ui/win32/check_box_peer.h"

namespace ui::win32 {

// The first button of a group takes the Tab stop and starts the group (WS_GROUP); the
// system then moves the selection between the buttons of the group with the arrow keys.
class Win32OptionButtonPeer : public Win32CheckablePeer<OptionButton> {
  public:
    Win32OptionButtonPeer(Win32Backend& backend, OptionButton& option, Container& parent,
                          const ControlArgs& args)
        : Win32CheckablePeer(option) {
        const bool first = option.StartsGroup();
        window_.Create(backend, parent, "Button", BS_AUTORADIOBUTTON | (first ? WS_TABSTOP : 0), 0,
                       args, *this, first);
    }
};

}  // namespace ui::win32
