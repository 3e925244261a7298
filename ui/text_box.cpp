#include "ui/text_box.h"

#include "ui/backend.h"

namespace ui {

void TextBox::Create(Container& parent, const ControlArgs& args, std::uint32_t foreColor) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    foreColor_ = foreColor;
    auto peer = parent.GetBackend().CreateTextBox(*this, parent, args);
    if (peer) peer->SetForeColor(foreColor);
    peer_ = std::move(peer);
}

void TextBox::SetValue(const std::string& text) {
    SetText(text);
    if (onChange) onChange();
}

void TextBox::SetForeColor(std::uint32_t rgb) {
    foreColor_ = rgb;
    if (peer_) static_cast<TextBoxPeer*>(peer_.get())->SetForeColor(rgb);
}

void TextBox::UserTyped(const std::string& text) {
    SyncText(text);
    if (onChange) onChange();
}

}  // namespace ui
