#pragma once
// What a picture file states about itself in its first bytes, read before any decoder sees
// the file: a decoder trusts the stated size and may allocate all of it, or fail inside,
// before it finds the file holds nothing of the kind.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "platform/image.h"

namespace platform {

// The largest file taken: an uncompressed picture at kMaxImagePixels, four bytes a pixel,
// and a megabyte for headers, colour tables and metadata.
constexpr std::uint64_t kMaxPictureBytes = 4 * kMaxImagePixels + (1 << 20);

enum class PictureFormat { Bmp, Gif, Jpeg };

struct PictureHeader {
    PictureRead read = PictureRead::NotAPicture;
    PictureFormat format = PictureFormat::Bmp;
    int width = 0;
    int height = 0;
};

// The format and size of a BMP, GIF or JPEG file, when the file is one of them, no larger
// than the bounds above, and whole as far as its header tells: a BMP holds every row it
// claims, a GIF reaches its first frame, a JPEG its frame header. TooLarge for a file or a
// stated size beyond the bounds, NotAPicture for anything else.
PictureHeader ReadPictureHeader(std::string_view bytes);

// The bytes of the picture file at `path`, for a decoder, when its header passes the check
// above; a file over the bounds is refused by its size before it is read.
PictureRead ReadPictureFile(Files& files, const std::string& path, std::string& bytes);

}  // namespace platform
