#pragma once
// The in-memory services, made together over one file system, for tests and benchmarks.
// A test that needs a desktop of its own (one that plays the user) names its type.
#include "platform/headless/event_log.h"
#include "platform/headless/headless_code_page.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_file_dialog.h"
#include "platform/headless/headless_hotkey.h"
#include "platform/headless/headless_http.h"
#include "platform/headless/headless_pictures.h"
#include "platform/headless/headless_process_tray.h"
#include "platform/headless/headless_registry.h"
#include "platform/headless/headless_running_programs.h"
#include "platform/headless/headless_shell.h"
#include "platform/services.h"

namespace platform {

template <class DesktopType = HeadlessDesktop>
struct BasicHeadlessServices {
    explicit BasicHeadlessServices(Files& files)
        : shell(&files), desktop(files), pictures(files), sys{files,    shell,    desktop,
                                                              process,  tray,     fileDialog,
                                                              pictures, registry, http,
                                                              programs, hotkey,   versions,
                                                              codePage} {}
    BasicHeadlessServices(const BasicHeadlessServices&) = delete;
    BasicHeadlessServices& operator=(const BasicHeadlessServices&) = delete;

    // Every service records into `log` from now on.
    void LogTo(EventLog& log) { shell.log = desktop.log = process.log = tray.log = &log; }

    HeadlessShell shell;
    DesktopType desktop;
    HeadlessProcess process;
    HeadlessTray tray;
    HeadlessFileDialog fileDialog;
    HeadlessPictures pictures;
    HeadlessRegistry registry;
    HeadlessHttp http;
    HeadlessRunningPrograms programs;
    HeadlessHotkey hotkey;
    HeadlessFileVersions versions;
    HeadlessCodePage codePage;
    Services sys;
};

using HeadlessServices = BasicHeadlessServices<>;

}  // namespace platform
