#pragma once
// The hot key that brings the launcher up, stored as words ("Ctrl+Shift+Space") so the
// settings file stays readable and means the same key on every keyboard layout.
#include <optional>
#include <string>

#include "platform/hotkey.h"
#include "store/ini.h"

namespace quopa {

inline constexpr char kHotkeyKey[] = "HotKey";  // in section "Settings"
inline constexpr char kNoHotkey[] = "None";     // the user cleared it

// Ctrl+Shift+Space: no shortcut of the system's, and no AltGr character on any layout,
// since it holds no Alt.
platform::KeyCombo DefaultHotkey();

// "None" for the empty combination.
std::string FormatKeyCombo(const platform::KeyCombo& combo);
// Letter case and blanks around the parts do not count; nothing for words it does not know.
std::optional<platform::KeyCombo> ParseKeyCombo(const std::string& text);

// The stored combination; the default while none is stored or it cannot be read. Reading
// never adds the key.
platform::KeyCombo StoredHotkey(modINI& ini, const std::string& settingsFile);

}  // namespace quopa
