#pragma once
#include "ui/image_list.h"
#include "ui/win32/handles.h"

namespace ui::win32 {

// An image list of 16 x 16 pictures with masks; icons keep their transparency, bitmaps of
// another size are stretched to fit.
class Win32ImageListPeer : public ImageListPeer {
  public:
    Win32ImageListPeer();
    void SetImageSize(int width, int height) override;
    void Clear() override;
    int Add(const platform::Picture& picture) override;
    bool Replace(int index, const platform::Picture& picture) override;
    platform::Picture Copy(int index) const override;
    HIMAGELIST get() const { return list_.get(); }

  private:
    int Put(int index, const platform::Picture& picture);  // index -1 appends

    int width_ = 16, height_ = 16;  // before list_, which is made at this size
    ImageListHandle list_;
};

}  // namespace ui::win32
