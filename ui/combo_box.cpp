#include "ui/combo_box.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {

// The list starts empty: the window's own text is never shown by a drop-down list.
void ComboBox::Create(Container& parent, const ControlArgs& args) {
    Init("", args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateComboBox(*this, parent, args);
    if (!peer_) return;
    for (const std::string& item : items_) comboPeer()->AddItem(item);
    comboPeer()->Select(index_);
}

void ComboBox::AddItem(const std::string& text) {
    items_.push_back(text);
    if (peer_) comboPeer()->AddItem(text);
}

void ComboBox::Clear() {
    items_.clear();
    index_ = -1;
    SyncText("");
    if (peer_) comboPeer()->Clear();
}

std::string ComboBox::List(int index) const {
    return index >= 0 && index < ListCount() ? items_[index] : std::string();
}

bool ComboBox::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) return false;
    if (index == index_) return true;
    index_ = index;
    SyncText(List(index));
    if (peer_) comboPeer()->Select(index);
    if (onClick) onClick();
    return true;
}

void ComboBox::SetText(const std::string& text) {
    const auto found = std::find(items_.begin(), items_.end(), text);
    if (found != items_.end()) SetListIndex(static_cast<int>(found - items_.begin()));
}

void ComboBox::UserPicked(int index) {
    if (Enabled() && index >= 0) SetListIndex(index);
}

}  // namespace ui
