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
        platform::Image picture;
        if (source.empty() || !sys.pictures.Load(source, picture) || picture.Empty())
            return AvatarSaved::NotAPicture;
        const int side = AvatarPixels(sys.desktop.Screen().dpiX);
        if (side <= 0) return AvatarSaved::NotAPicture;
        bmp = platform::EncodeBmp(platform::Stretch(picture, side, side));
    } catch (const std::bad_alloc&) {
        // A picture within the bounds can still be more than a 32-bit process has left.
        return AvatarSaved::NotAPicture;
    }
    return sys.files.ReplaceAtomically(target, bmp) ? AvatarSaved::Yes : AvatarSaved::NotWritten;
}

}  // namespace quopa
