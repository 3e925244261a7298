#pragma once
#include <cstdint>

namespace quopa {

// The disk bar counts in units of 100,000,000 bytes, halves rounded to the even neighbour.
std::int64_t RoundDiskUnits(std::uint64_t bytes);

struct DiskBar {
    int max = 0;
    int value = 0;
};

// The bar for a drive: it shows the space used. A drive too small to make one unit (or a
// failed query) gives an empty bar of one unit, since a bar needs a range to draw.
DiskBar DiskUsageBar(std::uint64_t totalBytes, std::uint64_t freeBytes);

}  // namespace quopa
