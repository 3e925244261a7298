#include "launch/drive_paths.h"

#include "platform/text.h"

namespace quopa {

std::string DriveOfFolder(const std::string& folder) {
    if (folder.rfind("\\\\", 0) == 0) {
        const std::size_t server = folder.find('\\', 2);
        if (server == std::string::npos) return folder;
        return folder.substr(0, folder.find('\\', server + 1));
    }
    return folder.substr(0, folder.find('\\'));
}

bool OnDrive(const std::string& path, const std::string& drive) {
    if (drive.empty()) return true;
    if (path.size() < drive.size()) return false;
    if (platform::AsciiLower(path.substr(0, drive.size())) != platform::AsciiLower(drive))
        return false;
    // "\\server\share" must not claim "\\server\share2".
    return path.size() == drive.size() || path[drive.size()] == '\\' || path[drive.size()] == '/' ||
           drive.back() == '\\';
}

std::string ToDrivePath(const std::string& path, const std::string& drive) {
    if (drive.empty() || !OnDrive(path, drive)) return path;
    return "%drive%" + path.substr(drive.size());
}

std::string ReplaceDriveToken(const std::string& path, const std::string& drive) {
    static constexpr char kToken[] = "%drive%";
    std::string lower = platform::AsciiLower(path);
    std::size_t at = lower.find(kToken);
    if (at == std::string::npos) return path;
    while (at != std::string::npos) {
        lower.replace(at, sizeof(kToken) - 1, drive);
        at = lower.find(kToken, at + drive.size());
    }
    return lower;
}

bool UnderDriveLetter(const std::string& path) {
    return path.size() >= 3 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
           (path[2] == '\\' || path[2] == '/');
}

bool FullPath(const std::string& path) {
    return UnderDriveLetter(path) || path.rfind("\\\\", 0) == 0;
}

std::string OnLauncherDrive(const std::string& path, const std::string& drive) {
    if (!UnderDriveLetter(path) || drive.empty() || OnDrive(path, drive)) return "";
    std::string rest = path.substr(2);
    if (drive.back() == '\\' || drive.back() == '/') rest.erase(0, 1);
    return drive + rest;
}

}  // namespace quopa
