#include "platform/win32/dropped_files.h"

#include <shellapi.h>

namespace platform::win32 {

DroppedFiles TakeDroppedFiles(HDROP drop) {
    DroppedFiles files;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        if (length == 0) continue;
        std::string path(length + 1, '\0');
        path.resize(DragQueryFileA(drop, i, path.data(), length + 1));
        if (!path.empty()) files.paths.push_back(std::move(path));
    }
    DragQueryPoint(drop, &files.point);
    DragFinish(drop);
    return files;
}

}  // namespace platform::win32
