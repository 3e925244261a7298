#pragma once
#include "platform/file_version.h"

namespace platform {

class Win32FileVersions : public FileVersions {
  public:
    VersionNames Names(const std::string& path) override;
};

}  // namespace platform
