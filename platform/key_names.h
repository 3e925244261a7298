#pragma once
// A key combination in words ("Ctrl+Shift+Space"): the settings file stores them, and the
// hot-key box shows the same words, so what the user sees is what the file says. Words mean
// the same key on every keyboard layout.
#include <optional>
#include <string>

#include "platform/hotkey.h"

namespace platform {

inline constexpr char kNoKeyCombo[] = "None";  // the empty combination

// Modifiers in a fixed order, then the key; "KeyN" for a key without a name of its own.
std::string FormatKeyCombo(const KeyCombo& combo);
// Letter case and blanks around the parts do not count; nothing for words it does not know.
std::optional<KeyCombo> ParseKeyCombo(std::string_view text);
// The modifiers alone, while the user holds them and no key has come yet.
std::string FormatModifiers(unsigned modifiers);

}  // namespace platform
