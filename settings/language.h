#pragma once
// The interface language: one stored word that renames the main window's item frame.
#include <string>

#include "store/ini.h"

namespace quopa {

inline constexpr char kLanguageSection[] = "Settings";
inline constexpr char kLanguageKey[] = "Language";

// The stored language, "" when none; reading never adds the key.
std::string StoredLanguage(modINI& ini, const std::string& settingsFile);

// The caption of the main window's "Application" frame for `language`. Every language but
// "Dutch" (letter case included) gets the design text, so switching back to English takes
// effect at once.
std::string ApplicationCaption(const std::string& language);

}  // namespace quopa
