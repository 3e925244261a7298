#pragma once
// Picture files on the headless backend: real BMP files, read through the file service.
#include <new>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/picture_header.h"
#include "platform/pictures.h"

namespace platform {

class HeadlessPictures : public Pictures {
  public:
    explicit HeadlessPictures(Files& files) : files_(files) {}

    bool Load(const std::string& path, Image& image) override {
        loads.push_back(path);
        if (outOfMemory) throw std::bad_alloc();
        const FileInfo info = files_.Query(path);
        std::string bytes;
        return info.kind == PathKind::File && info.size <= kMaxPictureBytes &&
               files_.ReadAll(path, bytes) && DecodeBmp(bytes, image);
    }

    std::vector<std::string> loads;
    // Load runs out of memory, as the system's does on a picture too large for the process.
    bool outOfMemory = false;

  private:
    Files& files_;
};

}  // namespace platform
