#include "ui/simple_controls.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {

void Label::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    font_ = args.font;
    peer_ = parent.GetBackend().CreateLabel(*this, parent, args);
}

void Button::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateButton(*this, parent, args);
}

void Frame::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    backend_ = &parent.GetBackend();
    peer_ = backend_->CreateFrame(*this, parent, args);
}

void ProgressBar::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateProgressBar(*this, parent, args);
    if (peer_) {
        progressPeer()->SetRange(min_, max_);
        progressPeer()->SetValue(value_);
    }
}

// A value outside the range is pulled into it rather than refused: a drive whose rounded
// size is 0 must still show a bar, not stop the start-up.
void ProgressBar::SetRange(int min, int max) {
    min_ = min;
    max_ = max;
    value_ = std::clamp(value_, min_, std::max(min_, max_));
    if (peer_) {
        progressPeer()->SetRange(min_, max_);
        progressPeer()->SetValue(value_);
    }
}

void ProgressBar::SetValue(int value) {
    value_ = std::clamp(value, min_, std::max(min_, max_));
    if (peer_) progressPeer()->SetValue(value_);
}

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
