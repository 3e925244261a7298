#pragma once
// The names a program file carries in its version information.
#include <string>

namespace platform {

struct VersionNames {
    std::string fileDescription;
    std::string productName;
};

class FileVersions {
  public:
    virtual ~FileVersions() = default;
    // Both empty when the file has no version information or cannot be read.
    virtual VersionNames Names(const std::string& path) = 0;
};

}  // namespace platform
