#include "settings/avatar.h"

#include <new>

#include "platform/image.h"
#include "platform/twips.h"

namespace quopa {

namespace {
constexpr int kPictureBoxTwips = 615;
constexpr int kBorderPixels = 2;
}  // namespace

int AvatarPixels(int dpi) {
    return platform::TwipsToPixels(kPictureBoxTwips, dpi) - 2 * kBorderPixels;
}

AvatarSaved SaveAvatar(platform::Services& sys, const std::string& source,
                       const std::string& target) {
    std::string bmp;
    try {
        const int side = AvatarPixels(sys.desktop.Screen().dpiX);
        if (source.empty() || side <= 0) return AvatarSaved::NotAPicture;
        platform::Image picture;
        const platform::PictureRead read = sys.pictures.Load(source, side, side, picture);
        if (read == platform::PictureRead::TooLarge) return AvatarSaved::TooLarge;
        if (read != platform::PictureRead::Ok || picture.Empty()) return AvatarSaved::NotAPicture;
        bmp = platform::EncodeBmp(picture);
    } catch (const std::bad_alloc&) {
        // A picture within the bounds can still be more than a 32-bit process has left.
        return AvatarSaved::TooLarge;
    }
    return sys.files.ReplaceAtomically(target, bmp) ? AvatarSaved::Yes : AvatarSaved::NotWritten;
}

}  // namespace quopa
