#pragma once
// The real services, made together: what the program and the Wine benchmarks are given.
#include "platform/services.h"
#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_file_versions.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_hotkey.h"
#include "platform/win32/win32_http.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_running_programs.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_tray.h"

namespace platform {

struct Win32Services {
    // The window gets `trayMessage` for the tray icon's mouse messages.
    explicit Win32Services(unsigned trayMessage) : tray(trayMessage) {}
    Win32Services(const Win32Services&) = delete;
    Win32Services& operator=(const Win32Services&) = delete;

    Win32Files files;
    Win32Shell shell;
    Win32Desktop desktop;
    Win32Process process;
    Win32Tray tray;
    Win32FileDialog fileDialog;
    Win32Pictures pictures{files};
    Win32Registry registry;
    Win32Http http;
    Win32RunningPrograms programs;
    Win32Hotkey hotkey;
    Win32FileVersions versions;
    Win32CodePage codePage;
    Services sys{files,    shell, desktop,  process, tray,     fileDialog, pictures,
                 registry, http,  programs, hotkey,  versions, codePage};
};

}  // namespace platform
