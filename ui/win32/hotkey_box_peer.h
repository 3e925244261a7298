#pragma once
#include "ui/hotkey_box.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// A read-only edit box that hands the keys pressed in it to the object, with the modifiers
// held, and shows the object's words. The system's hot-key control cannot: it clears
// itself on Space and Delete and knows no Windows key.
class Win32HotkeyBoxPeer : public ChildPeer<HotkeyPeer> {
  public:
    Win32HotkeyBoxPeer(Win32Backend& backend, HotkeyBox& box, Container& parent,
                       const ControlArgs& args);
    void SetText(const std::string& text) override;

  private:
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    HotkeyBox& box_;
};

}  // namespace ui::win32
