#pragma once
// Where the launcher keeps its state: beside the program file, on the drive itself.
#include <string>

namespace quopa {

// programFolder has no trailing separator except at a drive root ("E:\"), where the
// result holds a doubled one; the file services accept both.
std::string AppsFile(const std::string& programFolder);
std::string SettingsFile(const std::string& programFolder);
std::string AvatarFile(const std::string& programFolder);

}  // namespace quopa
