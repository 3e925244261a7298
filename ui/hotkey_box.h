#pragma once
// The system's hot-key box: the user presses a combination and the box shows and holds it;
// Backspace empties it.
#include <functional>

#include "platform/hotkey.h"
#include "ui/control_args.h"

namespace ui {

class HotkeyPeer : public ControlPeer {
  public:
    virtual void SetCombo(const platform::KeyCombo& combo) = 0;
};

class HotkeyBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    const platform::KeyCombo& Combo() const { return combo_; }
    // Raises onChange when the combination differs, as the user's does.
    void SetCombo(const platform::KeyCombo& combo);

    std::function<void()> onChange;

    // For peers and tests: the user pressed a combination (empty: cleared the box).
    void UserSetCombo(const platform::KeyCombo& combo);

  private:
    platform::KeyCombo combo_;
};

}  // namespace ui
