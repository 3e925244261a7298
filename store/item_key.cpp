#include "store/item_key.h"

namespace quopa {

std::optional<int> ItemNumberOf(std::string_view key) {
    constexpr std::string_view prefix = kItemKeyPrefix;
    if (key.size() <= prefix.size() || key.size() > prefix.size() + 5 ||
        key.substr(0, prefix.size()) != prefix)
        return std::nullopt;
    int n = 0;
    for (char c : key.substr(prefix.size())) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace quopa
