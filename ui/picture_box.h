#pragma once
#include "platform/picture.h"
#include "ui/control_args.h"

namespace ui {

class PicturePeer : public ControlPeer {
  public:
    virtual void SetPicture(const platform::Picture& picture) = 0;
};

// Shows a picture stretched to its bounds; keeps the picture it was given.
class PictureBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    void SetPicture(platform::Picture picture);
    const platform::Picture& GetPicture() const { return picture_; }

  private:
    platform::Picture picture_;
};

}  // namespace ui
