#pragma once
// What the shell hands a window that accepts files (WM_DROPFILES).
#include <windows.h>

#include <string>
#include <vector>

namespace platform::win32 {

struct DroppedFiles {
    std::vector<std::string> paths;
    POINT point{};  // where they were let go, in the window's client pixels
};

// Reads the drop and gives its memory back to the system.
DroppedFiles TakeDroppedFiles(HDROP drop);

}  // namespace platform::win32
