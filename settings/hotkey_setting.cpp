#include "settings/hotkey_setting.h"

#include "settings/language.h"

namespace quopa {

platform::KeyCombo DefaultHotkey() {
    return {platform::kModAlt, 0x20};
}

platform::KeyCombo StoredHotkey(modINI& ini, const std::string& settingsFile) {
    const std::string stored = ini.ReadIni(kLanguageSection, kHotkeyKey, "", settingsFile);
    if (stored.empty()) return DefaultHotkey();
    return ParseKeyCombo(stored).value_or(DefaultHotkey());
}

}  // namespace quopa
