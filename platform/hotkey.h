#pragma once
// A key combination held for the whole system while the program runs.
#include <functional>

namespace platform {

// Modifier bits as the system takes them for a hot key.
enum KeyModifier : unsigned { kModAlt = 0x1, kModControl = 0x2, kModShift = 0x4, kModWin = 0x8 };

struct KeyCombo {
    unsigned modifiers = 0;  // KeyModifier bits
    unsigned key = 0;        // a virtual-key code; 0: no combination at all
    bool Empty() const { return key == 0; }
    bool operator==(const KeyCombo&) const = default;
};

class Hotkey {
  public:
    virtual ~Hotkey() = default;
    // Holds `combo` in place of the earlier one; `pressed` runs from the message loop each
    // time the user presses it. False when the system refuses (another program holds it).
    virtual bool Register(const KeyCombo& combo, std::function<void()> pressed) = 0;
    virtual void Unregister() = 0;
    // While suspended the combination reaches the window with the focus like any keys, so
    // a box can take it as typed; the one held comes back after.
    virtual void Suspend(bool suspended) = 0;
};

}  // namespace platform
