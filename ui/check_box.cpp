#include "ui/check_box.h"

#include "ui/backend.h"

namespace ui {

void CheckBox::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateCheckBox(*this, parent, args);
    ShowValue();
}

void CheckBox::SetValue(int value) {
    const int shown = value == 0 || value == 2 ? value : 1;
    if (shown == value_) return;
    value_ = shown;
    ShowValue();
    if (onClick) onClick();
}

void CheckBox::ShowValue() {
    auto* peer = static_cast<CheckPeer*>(peer_.get());
    if (!peer) return;
    if (value_ == 2) {
        peer->SetGrayed();
    } else {
        peer->SetChecked(value_ != 0);
    }
}

void CheckBox::UserClicked() {
    if (Enabled()) SetValue(value_ == 0 ? 1 : 0);
}

}  // namespace ui
