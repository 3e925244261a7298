#pragma once
// Item and category numbers that may be given out: the tree looks below 10000 only, so a
// section past that would be written and never shown.
#include <cstdint>

namespace quopa {

inline bool IsFreeNumber(std::int16_t n) {
    return n >= 1 && n <= 9999;
}

inline constexpr char kNoItemNumberLeft[] =
    "No more items can be added: every item number up to 9999 is in use.";
inline constexpr char kNoCategoryNumberLeft[] =
    "No more categories can be added: every category number up to 9999 is in use.";

}  // namespace quopa
