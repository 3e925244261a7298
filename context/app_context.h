#pragma once
// What every window of the program is given when it is made: one object instead of a
// reference per service, so a new dialog needs no new constructor arguments.
#include <string>

#include "platform/services.h"
#include "state/program_state.h"
#include "store/ini.h"
#include "ui/backend.h"

namespace quopa {

struct AppContext {
    ui::Backend& backend;
    platform::Services& sys;
    modINI& ini;
    ProgramState& state;
    std::string programFolder;  // the folder that holds the running program file
};

}  // namespace quopa
