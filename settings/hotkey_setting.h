#pragma once
// The hot key that brings the launcher up, stored in words (platform/key_names.h) so the
// settings file stays readable.
#include <string>

#include "platform/hotkey.h"
#include "platform/key_names.h"
#include "store/ini.h"

namespace quopa {

using platform::FormatKeyCombo;
using platform::ParseKeyCombo;

inline constexpr char kHotkeyKey[] = "HotKey";  // in section "Settings"; "None": cleared

// Alt+Space, the one keyboard launchers' users reach for. It takes the window menu's
// keyboard shortcut from every program while the launcher runs; the README says so.
platform::KeyCombo DefaultHotkey();

// The stored combination; the default while none is stored or it cannot be read. Reading
// never adds the key.
platform::KeyCombo StoredHotkey(modINI& ini, const std::string& settingsFile);

}  // namespace quopa
