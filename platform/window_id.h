#pragma once
#include <cstdint>

namespace platform {
// A window as the system knows it (a window handle on Windows); 0 is none.
using WindowId = std::uintptr_t;
}  // namespace platform
