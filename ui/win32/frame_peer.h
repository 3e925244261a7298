#pragma once
#include "ui/frame.h"
#include "ui/win32/container_peer.h"

namespace ui::win32 {

// A container that draws a group box. Unlike a BS_GROUPBOX button, it really holds the
// frame's controls.
class Win32FramePeer : public Win32ContainerPeer {
  public:
    Win32FramePeer(Win32Backend& backend, Frame&, Container& parent, const ControlArgs& args)
        : Win32ContainerPeer(backend, parent, args, kClassName) {}
    void SetText(const std::string& text) override;
    static constexpr char kClassName[] = "QuopaFrame";

  private:
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Paint();
};

}  // namespace ui::win32
