#include "ui/frame.h"

#include "ui/backend.h"

namespace ui {

void Frame::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    backend_ = &parent.GetBackend();
    topForm_ = parent.TopForm();
    peer_ = backend_->CreateFrame(*this, parent, args);
}

}  // namespace ui
