#include "ui/hotkey_box.h"

#include "ui/backend.h"

namespace ui {

void HotkeyBox::Create(Container& parent, const ControlArgs& args) {
    Init("", args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateHotkeyBox(*this, parent, args);
}

void HotkeyBox::SetCombo(const platform::KeyCombo& combo) {
    if (combo == combo_) return;
    combo_ = combo;
    if (peer_) static_cast<HotkeyPeer*>(peer_.get())->SetCombo(combo);
    if (onChange) onChange();
}

void HotkeyBox::UserSetCombo(const platform::KeyCombo& combo) {
    if (combo == combo_) return;
    combo_ = combo;
    if (onChange) onChange();
}

}  // namespace ui
