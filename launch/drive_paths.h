#pragma once
// The launcher's drive in paths: which folder counts as the drive, whether a file lies on
// it, and how such a file is stored so that it still resolves under another letter.
#include <string>

namespace quopa {

// "E:" for E:\Tools; the share root "\\server\share" for a folder on a network share, so
// that files on the share are stored with the token and resolve again.
std::string DriveOfFolder(const std::string& folder);

// True when `path` begins with `drive` in any letter case, followed by a separator or
// nothing; an empty drive takes in every path.
bool OnDrive(const std::string& path, const std::string& drive);

// The path with its drive replaced by %drive%, when it lies on the drive; else unchanged.
std::string ToDrivePath(const std::string& path, const std::string& drive);

}  // namespace quopa
