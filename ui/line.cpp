#include "ui/line.h"

#include "ui/backend.h"

namespace ui {

void Line::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateLine(*this, parent, args);
}

}  // namespace ui
