#include "ui/picture_box.h"

#include "ui/backend.h"

namespace ui {

void PictureBox::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreatePictureBox(*this, parent, args);
    if (peer_ && picture_) static_cast<PicturePeer*>(peer_.get())->SetPicture(picture_);
}

void PictureBox::SetPicture(platform::Picture picture) {
    picture_ = std::move(picture);
    if (peer_) static_cast<PicturePeer*>(peer_.get())->SetPicture(picture_);
}

}  // namespace ui
