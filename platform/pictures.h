#pragma once
// Reading picture files into pixels, for the program's own pictures (the avatar). What the
// windows display goes through Desktop::LoadPicture, which keeps the system's handle.
#include <string>

#include "platform/image.h"

namespace platform {

class Pictures {
  public:
    virtual ~Pictures() = default;
    // False when the file is missing, is not a picture the system can read, or is larger
    // than kMaxPictureBytes or kMaxImagePixels. Transparent parts come out in the system's
    // button-face colour, as a dialog shows them. May throw std::bad_alloc when the process
    // has no room left for a picture within those bounds.
    virtual bool Load(const std::string& path, Image& image) = 0;
};

}  // namespace platform
