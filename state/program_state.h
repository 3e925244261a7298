#pragma once
// The state the whole program shares, owned by the entry routine and passed to whoever
// needs it.
#include <cstdint>
#include <string>

#include "platform/window_id.h"

namespace quopa {

inline constexpr char kAppTitle[] = "Quopa Application Launcher";

struct TrayIconRecord {
    platform::WindowId hWnd = 0;
    unsigned uID = 1;
    std::string szTip;
    bool added = false;
};

struct ProgramState {
    std::string LauncherDrive;           // "E:"
    std::int16_t NextItemIndex = 1;      // first item section with an empty "Path"
    std::int16_t NextCategoryIndex = 1;  // first category section with an empty "Name"
    bool AutorunDone = false;            // the autorun pass runs in the first item load only
    TrayIconRecord TrayIconData;
};

}  // namespace quopa
