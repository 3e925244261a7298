#include "ui/win32/line_peer.h"

#include <algorithm>

#include "ui/win32/win32_backend.h"

namespace ui::win32 {

// A rule is designed with no height at all; the window needs the two pixels it draws.
Win32LinePeer::Win32LinePeer(Win32Backend& backend, Line&, Container& parent,
                             const ControlArgs& args) {
    ControlArgs rule = args;
    rule.text.clear();
    rule.bounds.height = std::max(rule.bounds.height, backend.GetScale().ToTwipsY(2));
    window_.Create(backend, parent, "Static", SS_ETCHEDHORZ, 0, rule, *this);
}

}  // namespace ui::win32
