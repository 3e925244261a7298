#pragma once
#include <cstdint>
#include <string>

#include "platform/picture.h"
#include "platform/shell.h"

namespace quopa {

// Judge the type by the name only: never touches the file, which may be missing.
inline constexpr std::uint32_t kIconByName = 16;

// The icon of `path`'s file type; an empty picture when there is none.
platform::Picture GetFileIcon(platform::Shell& shell, const std::string& path, std::uint32_t flags);
// The picture when it holds an icon, otherwise an empty one.
platform::Picture IconToPicture(platform::Picture icon);

}  // namespace quopa
