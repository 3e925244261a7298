#pragma once
// Picture files on the headless backend: real BMP files, read through the file service and
// checked as the system's decoders are.
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

    PictureRead Load(const std::string& path, int width, int height, Image& image) override {
        loads.push_back(path);
        if (outOfMemory) throw std::bad_alloc();
        std::string bytes;
        const PictureRead header = ReadPictureFile(files_, path, bytes);
        if (header != PictureRead::Ok) return header;
        Image whole;
        if (!DecodeBmp(bytes, whole)) return PictureRead::NotAPicture;
        image = Stretch(whole, width, height);
        return image.Empty() ? PictureRead::NotAPicture : PictureRead::Ok;
    }

    std::vector<std::string> loads;
    // Load runs out of memory, as the system's does on a picture too large for the process.
    bool outOfMemory = false;

  private:
    Files& files_;
};

}  // namespace platform
