#include "ui/check_box.h"

#include "ui/backend.h"

namespace ui {

void CheckBox::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    auto peer = parent.GetBackend().CreateCheckBox(*this, parent, args);
    if (peer) peer->SetChecked(value_ != 0);
    peer_ = std::move(peer);
}

void CheckBox::SetValue(int value) {
    const int ticked = value != 0 ? 1 : 0;
    if (ticked == value_) return;
    value_ = ticked;
    if (peer_) static_cast<CheckPeer*>(peer_.get())->SetChecked(ticked != 0);
    if (onClick) onClick();
}

void CheckBox::UserClicked() {
    if (Enabled()) SetValue(1 - value_);
}

}  // namespace ui
