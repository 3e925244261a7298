#pragma once
// Everything a window or routine may ask of the system, passed in when it is created.
#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/file_dialog.h"
#include "platform/file_version.h"
#include "platform/files.h"
#include "platform/hotkey.h"
#include "platform/http.h"
#include "platform/pictures.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/running_programs.h"
#include "platform/shell.h"
#include "platform/tray.h"

namespace platform {

struct Services {
    Files& files;
    Shell& shell;
    Desktop& desktop;
    Process& process;
    Tray& tray;
    FileDialog& fileDialog;
    Pictures& pictures;
    Registry& registry;
    Http& http;
    RunningPrograms& programs;
    Hotkey& hotkey;
    FileVersions& versions;
    CodePage& codePage;
};

}  // namespace platform
