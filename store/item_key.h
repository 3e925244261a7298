#pragma once
// An item's node key and section name: "application" + its number, any letter case in the
// file, this case in the tree.
#include <optional>
#include <string>
#include <string_view>

namespace quopa {

inline constexpr char kItemKeyPrefix[] = "application";

inline std::string ItemKey(int n) {
    return kItemKeyPrefix + std::to_string(n);
}
// Its section in the apps file, and its picture's key in the image list.
inline std::string ItemSection(int n) {
    return "Application" + std::to_string(n);
}

// The number in "application" + up to five digits; nothing for any other key.
std::optional<int> ItemNumberOf(std::string_view key);

}  // namespace quopa
