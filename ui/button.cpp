#include "ui/button.h"

#include "ui/backend.h"

namespace ui {

void Button::Create(Container& parent, const ButtonArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    isDefault_ = args.isDefault;
    isCancel_ = args.isCancel;
    peer_ = parent.GetBackend().CreateButton(*this, parent, CommonArgs(args));
}

}  // namespace ui
