#pragma once
// Reading picture files into pixels, for the program's own pictures (the avatar). What the
// windows display goes through Desktop::LoadPicture, which keeps the system's handle.
#include <string>

#include "platform/image.h"

namespace platform {

class Pictures {
  public:
    virtual ~Pictures() = default;
    // The picture stretched onto width x height pixels, aspect not kept, read at a reduced
    // size where the picture is larger, so a camera's photo fits in little memory.
    // Transparent parts come out in the system's button-face colour, as a dialog shows them.
    // NotAPicture for a missing file or one the system cannot read; TooLarge beyond
    // kMaxPictureBytes or kMaxImagePixels, or beyond the room the process has left. May throw
    // std::bad_alloc for the latter too.
    virtual PictureRead Load(const std::string& path, int width, int height, Image& image) = 0;
};

}  // namespace platform
