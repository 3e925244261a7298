#pragma once
#include "ui/hotkey_box.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// A HOTKEY_CLASS window. It speaks in its own modifier bits, which the peer turns into the
// ones a hot key is registered with.
class Win32HotkeyBoxPeer : public ChildPeer<HotkeyPeer> {
  public:
    Win32HotkeyBoxPeer(Win32Backend& backend, HotkeyBox& box, Container& parent,
                       const ControlArgs& args);
    void SetCombo(const platform::KeyCombo& combo) override;

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    HotkeyBox& box_;
};

}  // namespace ui::win32
