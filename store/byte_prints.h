#pragma once
// Comparing whole states of a list cheaply: a 2 MB text is compared or told apart many
// times per command, and a byte at a time cost more than the command's own write.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quopa {

struct BytePrint {
    std::size_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const BytePrint& o) const { return size == o.size && hash == o.hash; }
    bool operator!=(const BytePrint& o) const { return !(*this == o); }
};
BytePrint PrintOf(std::string_view bytes);

// How many bytes a and b share at their start, and then at their end; the two never overlap.
struct SharedEnds {
    std::size_t head = 0, tail = 0;
};
SharedEnds SharedEndsOf(std::string_view a, std::string_view b);

}  // namespace quopa
