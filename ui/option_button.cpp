#include "ui/option_button.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {

OptionButton::~OptionButton() {
    if (group_) std::erase(group_->members, this);
}

void OptionButton::Create(Container& parent, const OptionButtonArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    std::shared_ptr<OptionGroup>& open = parent.OpenOptionGroup();
    startsGroup_ = args.groupStart || !open;
    if (startsGroup_) open = std::make_shared<OptionGroup>();
    if (group_) std::erase(group_->members, this);  // made a second time
    group_ = open;
    group_->members.push_back(this);
    peer_ = parent.GetBackend().CreateOptionButton(*this, parent, CommonArgs(args));
    // Only a mark set: clearing a new button would also take the group's Tab stop from it.
    if (peer_ && value_) checkPeer()->SetChecked(true);
}

void OptionButton::SetValue(bool on) {
    if (on == value_) return;
    if (!on) return Clear();
    if (group_) {
        for (OptionButton* other : group_->members) {
            if (other != this) other->Clear();
        }
    }
    value_ = true;
    if (peer_) checkPeer()->SetChecked(true);
    if (onClick) onClick();
}

void OptionButton::UserClicked() {
    if (Enabled()) SetValue(true);
}

void OptionButton::Clear() {
    if (!value_) return;
    value_ = false;
    if (peer_) checkPeer()->SetChecked(false);
}

}  // namespace ui
