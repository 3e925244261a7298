#include "ui/label.h"

#include "ui/backend.h"

namespace ui {

void Label::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    font_ = args.font;
    peer_ = parent.GetBackend().CreateLabel(*this, parent, args);
}

}  // namespace ui
