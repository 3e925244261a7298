#include "settings/language.h"

namespace quopa {

std::string StoredLanguage(modINI& ini, const std::string& settingsFile) {
    return ini.ReadIni(kLanguageSection, kLanguageKey, "", settingsFile);
}

std::string ApplicationCaption(const std::string& language) {
    return language == "Dutch" ? "Applicatie" : "Application";
}

}  // namespace quopa
