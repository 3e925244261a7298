#include "store/data_files.h"

namespace quopa {

std::string AppsFile(const std::string& programFolder) {
    return programFolder + "\\quopa_apps.dat";
}

std::string SettingsFile(const std::string& programFolder) {
    return programFolder + "\\quopa_settings.dat";
}

std::string AvatarFile(const std::string& programFolder) {
    const bool endsInSeparator = !programFolder.empty() && programFolder.back() == '\\';
    return programFolder + (endsInSeparator ? "" : "\\") + "quopa_ava.bmp";
}

}  // namespace quopa
