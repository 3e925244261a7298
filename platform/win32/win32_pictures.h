#pragma once
// Picture files through the system's imaging codecs: BMP, GIF, JPEG and whatever else they
// read, once the header check let the file through.
#include "platform/files.h"
#include "platform/pictures.h"

namespace platform {

class Win32Pictures : public Pictures {
  public:
    explicit Win32Pictures(Files& files) : files_(files) {}
    PictureRead Load(const std::string& path, int width, int height, Image& image) override;

  private:
    Files& files_;
};

}  // namespace platform
