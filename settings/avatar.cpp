#include "settings/avatar.h"

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

bool SaveAvatar(platform::Services& sys, const std::string& source, const std::string& target) {
    platform::Image picture;
    if (source.empty() || !sys.pictures.Load(source, picture) || picture.Empty()) return false;
    const int side = AvatarPixels(sys.desktop.Screen().dpiX);
    if (side <= 0) return false;
    return sys.files.ReplaceAtomically(target,
                                       platform::EncodeBmp(platform::Stretch(picture, side, side)));
}

}  // namespace quopa
