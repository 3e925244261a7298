#include "ui/text_box.h"

#include "platform/text.h"
#include "ui/backend.h"

namespace ui {

void TextBox::Create(Container& parent, const TextBoxArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    foreColor_ = args.foreColor;
    maxLength_ = args.maxLength > 0 ? args.maxLength : 0;
    auto peer = parent.GetBackend().CreateTextBox(*this, parent, CommonArgs(args));
    if (peer) {
        peer->SetForeColor(foreColor_);
        peer->SetMaxLength(maxLength_);
    }
    peer_ = std::move(peer);
}

// The peer keeps the program's own text from coming back as typing, so the event fires
// here exactly once.
void TextBox::SetText(const std::string& text) {
    if (text == Text()) return;
    Control::SetText(text);
    if (onChange) onChange();
}

void TextBox::SetForeColor(Color color) {
    foreColor_ = color;
    if (peer_) static_cast<TextBoxPeer*>(peer_.get())->SetForeColor(color);
}

void TextBox::UserTyped(const std::string& typed) {
    // The limit counts characters, as the window's does: a Japanese title keeps 30 of them.
    const auto limit = static_cast<std::size_t>(maxLength_);
    const bool tooLong = maxLength_ > 0 && platform::CharCount(typed) > limit;
    const std::string text = tooLong ? std::string(platform::FirstChars(typed, limit)) : typed;
    if (text == Text()) return;
    if (tooLong) {
        Control::SetText(text);  // the window shows what the box holds
    } else {
        SyncText(text);
    }
    if (onChange) onChange();
}

}  // namespace ui
