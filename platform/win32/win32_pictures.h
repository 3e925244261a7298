#pragma once
// Picture files through the system's OLE picture loading: BMP, GIF, JPEG, icons and
// metafiles.
#include "platform/files.h"
#include "platform/pictures.h"

namespace platform {

class Win32Pictures : public Pictures {
  public:
    explicit Win32Pictures(Files& files) : files_(files) {}
    bool Load(const std::string& path, Image& image) override;

  private:
    Files& files_;
};

}  // namespace platform
