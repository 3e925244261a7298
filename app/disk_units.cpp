#include "app/disk_units.h"

namespace quopa {

std::int64_t RoundDiskUnits(std::uint64_t bytes) {
    constexpr std::uint64_t kUnit = 100000000;
    std::uint64_t whole = bytes / kUnit, rest = bytes % kUnit;
    if (rest * 2 > kUnit || (rest * 2 == kUnit && whole % 2 == 1)) ++whole;
    return static_cast<std::int64_t>(whole);
}

DiskBar DiskUsageBar(std::uint64_t totalBytes, std::uint64_t freeBytes) {
    std::int64_t max = RoundDiskUnits(totalBytes);
    std::int64_t used = max - RoundDiskUnits(freeBytes);
    if (max <= 0) return {1, 0};
    if (used < 0) used = 0;
    if (used > max) used = max;
    return {static_cast<int>(max), static_cast<int>(used)};
}

}  // namespace quopa
