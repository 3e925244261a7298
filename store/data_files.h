#pragma once
// Where the launcher keeps its state: beside the program file, on the drive itself.
#include <cstdint>
#include <string>

namespace quopa {

class modINI;

// programFolder has no trailing separator except at a drive root ("E:\"), where the
// data files' names hold a doubled one; the file services accept both.
std::string AppsFile(const std::string& programFolder);
std::string SettingsFile(const std::string& programFolder);
// What the quick-launch box learned of the user's starts; never the apps or settings file.
std::string UsageFile(const std::string& programFolder);
// The avatar is written by name, so its name has one separator at a drive root as well.
std::string AvatarFile(const std::string& programFolder);

// The first number from `from` on whose section (prefix + number) has `key` empty in the
// file as it is now: a number kept from the last tree build may have been taken since, by a
// dialog that ran while a load waited. INT16_MAX when none is left.
std::int16_t FirstFreeNumber(modINI& ini, const std::string& file, const char* prefix,
                             const char* key, int from);

}  // namespace quopa
