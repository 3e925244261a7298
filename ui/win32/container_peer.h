#pragma once
#include "ui/win32/child_window.h"

namespace ui::win32 {

// A plain window that really holds controls: they move and hide with it, and their
// notifications reach it. It keeps the font it is given, for the controls that ask.
class Win32ContainerPeer : public ChildPeer<ControlPeer> {
  public:
    Win32ContainerPeer(Win32Backend& backend, Container& parent, const ControlArgs& args,
                       const char* className);

  protected:
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    HFONT Font() const { return font_; }

  private:
    Win32Backend& backend_;
    HFONT font_ = nullptr;  // not owned
};

}  // namespace ui::win32
