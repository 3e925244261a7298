#pragma once
// The avatar: any picture the system reads, squeezed into the sidebar's square and kept
// beside the program as a BMP file.
#include <string>

#include "platform/services.h"

namespace quopa {

// The picture box's inside edge in pixels: 615 twips less its 3-D border (two pixels a side).
int AvatarPixels(int dpi);

enum class AvatarSaved { Yes, NotAPicture, TooLarge, NotWritten };

// Loads `source`, stretches it onto the square and replaces `target`. Unless it says Yes,
// `target` stays as it was: the source is no picture (an empty name included), one too large
// for the bounds or the process, or the file cannot be written.
AvatarSaved SaveAvatar(platform::Services& sys, const std::string& source,
                       const std::string& target);

}  // namespace quopa
