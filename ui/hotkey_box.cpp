#include "ui/hotkey_box.h"

#include "platform/key_names.h"
#include "ui/backend.h"

namespace ui {

namespace {

// https://learn.microsoft.com/windows/win32/inputdev/virtual-key-codes
constexpr unsigned kBackspace = 0x08, kTab = 0x09, kEnter = 0x0D, kEsc = 0x1B;

bool IsModifierKey(unsigned key) {
    return (key >= 0x10 && key <= 0x12) || key == 0x5B || key == 0x5C ||
           (key >= 0xA0 && key <= 0xA5);
}

// What the input method and typed-in characters come as: no key of the keyboard.
bool IsNoKey(unsigned key) {
    return key == 0 || key > 0xFF || key == 0xE5 || key == 0xE7;
}

}  // namespace

void HotkeyBox::Create(Container& parent, const ControlArgs& args) {
    Init(platform::FormatKeyCombo(combo_), args.bounds, args.enabled, args.visible);
    ControlArgs shown = args;
    shown.text = Text();
    peer_ = parent.GetBackend().CreateHotkeyBox(*this, parent, shown);
}

void HotkeyBox::SetCombo(const platform::KeyCombo& combo) {
    const bool changed = combo != combo_;
    combo_ = combo;
    building_ = false;
    Show(0);
    if (changed && onChange) onChange();
}

bool HotkeyBox::TakesKey(unsigned key, unsigned modifiers) const {
    const unsigned commanding = platform::kModControl | platform::kModAlt | platform::kModWin;
    if (key == kTab) return (modifiers & commanding) != 0;
    if (key == kEnter || key == kEsc) return modifiers != 0;
    return true;
}

void HotkeyBox::UserPressedKey(unsigned key, unsigned modifiers) {
    if (!TakesKey(key, modifiers) || IsNoKey(key)) return;
    if (IsModifierKey(key)) {
        building_ = true;
        Show(modifiers);
        return;
    }
    building_ = false;
    if (key == kBackspace && modifiers == 0)
        SetCombo({});
    else
        SetCombo({modifiers, key});
}

void HotkeyBox::UserReleasedKey(unsigned modifiers) {
    if (modifiers == 0) building_ = false;
    Show(modifiers);
}

void HotkeyBox::RaiseLostFocus() {
    UserReleasedKey(0);
    if (onLostFocus) onLostFocus();
}

void HotkeyBox::Show(unsigned held) {
    const std::string text =
        building_ ? platform::FormatModifiers(held) + "..." : platform::FormatKeyCombo(combo_);
    if (text != Text()) Control::SetText(text);
}

}  // namespace ui
