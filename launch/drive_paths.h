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

// The stored path with each %drive% token, in any letter case, replaced by `drive`. A path
// with a token comes back lower-cased in ASCII (other bytes of the code page are left as
// they are); one without is returned unchanged.
std::string ReplaceDriveToken(const std::string& path, const std::string& drive);

// "X:\..." with any letter.
bool UnderDriveLetter(const std::string& path);
// A drive-letter or network path: one that names its file without the shell's search
// (a bare "notepad.exe" is found on the system's path, a web address is no file at all).
bool FullPath(const std::string& path);

// The same path on `drive` for a path under another fixed drive letter ("F:\Apps\x.exe"
// on E: gives "E:\Apps\x.exe"): where a stick that got another letter keeps the file.
// Empty for any other path.
std::string OnLauncherDrive(const std::string& path, const std::string& drive);

}  // namespace quopa
