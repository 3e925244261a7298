#pragma once
// What another program hands a window that takes drops: the shell's WM_DROPFILES, or an
// OLE data object from the shell or a browser.
#include <windows.h>

#include <objidl.h>

#include <string>
#include <vector>

namespace platform::win32 {

// Only one of paths, address and text is filled: files first, then a link, then text.
struct DroppedData {
    std::vector<std::string> paths;  // ANSI, as the program's other paths
    std::string address, text;       // UTF-8
    std::string linkFile;            // ANSI: the name a browser suggests for a shortcut
    POINT point{};                   // where they were let go, in the window's client pixels
};

// Reads the drop and gives its memory back to the system.
DroppedData TakeDroppedFiles(HDROP drop);

// Reads what the object offers in the formats above; the point is left to the caller.
DroppedData ReadDataObject(IDataObject& data);

}  // namespace platform::win32
