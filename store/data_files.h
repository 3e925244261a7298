#pragma once
// Where the launcher keeps its state: beside the program file, on the drive itself.
#include <string>

namespace quopa {

// programFolder has no trailing separator except at a drive root ("E:\"), where the
// data files' names hold a doubled one; the file services accept both.
std::string AppsFile(const std::string& programFolder);
std::string SettingsFile(const std::string& programFolder);
// The avatar is written by name, so its name has one separator at a drive root as well.
std::string AvatarFile(const std::string& programFolder);

}  // namespace quopa
