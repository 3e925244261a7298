#include "tree/mod_get_icon.h"

#include <cctype>
#include <utility>

namespace quopa {

platform::Picture GetFileIcon(platform::Shell& shell, const std::string& path,
                              std::uint32_t flags) {
    return IconToPicture(shell.FileIcon(path, flags));
}

platform::Picture IconToPicture(platform::Picture icon) {
    if (icon.kind() != platform::Picture::Kind::Icon || !icon) return {};
    return icon;
}

}  // namespace quopa
