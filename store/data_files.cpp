#include "store/data_files.h"

#include "store/ini.h"

namespace quopa {

std::string AppsFile(const std::string& programFolder) {
    return programFolder + "\\quopa_apps.dat";
}

std::string SettingsFile(const std::string& programFolder) {
    return programFolder + "\\quopa_settings.dat";
}

std::string UsageFile(const std::string& programFolder) {
    return programFolder + "\\quopa_usage.dat";
}

std::string AvatarFile(const std::string& programFolder) {
    const bool endsInSeparator = !programFolder.empty() && programFolder.back() == '\\';
    return programFolder + (endsInSeparator ? "" : "\\") + "quopa_ava.bmp";
}

std::int16_t FirstFreeNumber(modINI& ini, const std::string& file, const char* prefix,
                             const char* key, int from) {
    for (int n = from < 1 ? 1 : from; n < INT16_MAX; ++n)
        if (ini.ReadIni(prefix + std::to_string(n), key, "", file).empty())
            return static_cast<std::int16_t>(n);
    return INT16_MAX;
}

}  // namespace quopa
