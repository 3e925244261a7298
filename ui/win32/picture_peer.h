#pragma once
#include "ui/picture_box.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// An owner-drawn STATIC that stretches the object's picture over its whole area. The
// picture stays owned by the PictureBox; the peer only keeps its handle.
class Win32PicturePeer : public ChildPeer<PicturePeer> {
  public:
    Win32PicturePeer(Win32Backend& backend, PictureBox&, Container& parent,
                     const ControlArgs& args);
    void SetPicture(const platform::Picture& picture) override;

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Draw(HDC dc, const RECT& area) const;

    platform::Picture::Kind kind_ = platform::Picture::Kind::None;
    std::uintptr_t handle_ = 0;  // not owned
};

}  // namespace ui::win32
