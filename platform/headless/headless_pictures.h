#pragma once
// Picture files on the headless backend: real BMP files, read through the file service.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/pictures.h"

namespace platform {

class HeadlessPictures : public Pictures {
  public:
    explicit HeadlessPictures(Files& files) : files_(files) {}

    bool Load(const std::string& path, Image& image) override {
        loads.push_back(path);
        std::string bytes;
        return files_.Query(path).kind == PathKind::File && files_.ReadAll(path, bytes) &&
               DecodeBmp(bytes, image);
    }

    std::vector<std::string> loads;

  private:
    Files& files_;
};

}  // namespace platform
