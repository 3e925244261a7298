#pragma once
#include "ui/win32/child_window.h"

namespace ui::win32 {

// A container window that draws a group box. Unlike a BS_GROUPBOX button, it really holds
// the frame's controls: they move and hide with it, and their notifications reach it.
class Win32FramePeer : public ChildPeer<ControlPeer> {
  public:
    Win32FramePeer(Win32Backend& backend, Frame&, Container& parent, const ControlArgs& args);
    void SetText(const std::string& text) override;
    static constexpr char kClassName[] = "QuopaFrame";

  private:
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Paint();

    Win32Backend& backend_;
    HFONT font_ = nullptr;  // not owned
};

}  // namespace ui::win32
