#pragma once
// A box that takes a key combination as the user presses it and shows it in the words the
// settings file uses. Backspace alone empties it; the dialog keeps Tab, Shift+Tab, and
// Enter and Esc pressed alone.
#include <functional>

#include "platform/hotkey.h"
#include "ui/control_args.h"

namespace ui {

class HotkeyPeer : public ControlPeer {};

class HotkeyBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    const platform::KeyCombo& Combo() const { return combo_; }
    // Raises onChange when the combination differs, as the user's does.
    void SetCombo(const platform::KeyCombo& combo);

    std::function<void()> onChange;
    std::function<void()> onGotFocus, onLostFocus;

    // For peers and tests: `key` is a virtual-key code, `modifiers` the KeyModifier bits
    // held down as it comes.
    bool TakesKey(unsigned key, unsigned modifiers) const;
    void UserPressedKey(unsigned key, unsigned modifiers);
    // A key was let go; `modifiers` are those still held (none when the focus left).
    void UserReleasedKey(unsigned modifiers);
    void RaiseGotFocus() {
        if (onGotFocus) onGotFocus();
    }
    void RaiseLostFocus();

  private:
    void Show(unsigned held);

    platform::KeyCombo combo_;
    bool building_ = false;  // modifiers are held and their key has not come yet
};

}  // namespace ui
