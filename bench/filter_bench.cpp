// Times the search box over 9999 items in the main window itself: a pass that keeps every
// item, a pass that removes nearly all, and the restore when the box is left empty.
// Natively on the headless backend; under Wine with the real window and tree view.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/frmMain.h"
#include "bench/bench_apps_file.h"
#include "platform/headless/headless_hotkey.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_http.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_running_programs.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_tray.h"
#include "ui/win32/tray_message.h"
#include "ui/win32/win32_backend.h"
#else
#include <stdlib.h>

#include "platform/headless/headless_code_page.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_file_dialog.h"
#include "platform/headless/headless_http.h"
#include "platform/headless/headless_pictures.h"
#include "platform/headless/headless_process_tray.h"
#include "platform/headless/headless_registry.h"
#include "platform/headless/headless_running_programs.h"
#include "platform/headless/headless_shell.h"
#include "platform/headless/host_files.h"
#include "ui/headless/headless_backend.h"
#endif

namespace {

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

template <class Step>
double Time(Step step) {
    auto start = std::chrono::steady_clock::now();
    step();
    return Seconds(std::chrono::steady_clock::now() - start);
}

void Measure(quopa::AppContext& ctx) {
    quopa::frmMain w(ctx);
    w.Create();
    const std::size_t loaded = w.TreeView1.Count();
    w.txtSearch_GotFocus();
    const double keepAll = Time([&] { w.txtSearch.SetText("item"); });
    const double narrow = Time([&] { w.txtSearch.SetText("item 99"); });
    const std::size_t left = w.TreeView1.Count();
    w.txtSearch.SetText("");
    const double restore = Time([&] { w.txtSearch_LostFocus(); });
    std::printf(
        "9999 items: filter pass keeping all %.3f s, pass down to %zu nodes %.3f s, "
        "restore to %zu nodes %.3f s (loaded %zu)\n",
        keepAll, left, narrow, w.TreeView1.Count(), restore, loaded);
}

}  // namespace

int main() {
#ifdef _WIN32
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "quopa_filter_bench";
    CreateDirectoryA(root.c_str(), nullptr);
    std::ofstream(root + "\\quopa_apps.dat", std::ios::binary) << BenchAppsFile(9999);
    platform::Win32Files files;
    platform::Win32Shell shell;
    platform::Win32Desktop desktop;
    platform::Win32Process process;
    platform::Win32Tray tray(ui::kTrayCallbackMessage);
    platform::Win32FileDialog fileDialog;
    platform::Win32Pictures pictures(files);
    platform::Win32Registry registry;
    platform::Win32Http http;
    platform::Win32RunningPrograms programs;
    platform::Win32CodePage codePage;
    ui::Win32Backend backend;
    const std::string folder = root;
#else
    char pattern[] = "/tmp/quopa_bench_XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string root = pattern;
    std::ofstream(root + "/quopa_apps.dat", std::ios::binary) << BenchAppsFile(9999);
    platform::HostFiles files;
    files.MapDrive('E', root);
    platform::HeadlessShell shell(&files);
    shell.tempPath = "E:\\";
    platform::HeadlessDesktop desktop(files);
    platform::HeadlessProcess process;
    platform::HeadlessTray tray;
    platform::HeadlessFileDialog fileDialog;
    platform::HeadlessPictures pictures(files);
    platform::HeadlessRegistry registry;
    platform::HeadlessHttp http;
    platform::HeadlessRunningPrograms programs;
    platform::HeadlessCodePage codePage;
    ui::HeadlessBackend backend;
    const std::string folder = "E:\\";
#endif
    platform::HeadlessHotkey hotkey;  // the filter needs neither
    platform::HeadlessFileVersions versions;
    platform::Services sys{files,    shell, desktop,  process, tray,     fileDialog, pictures,
                           registry, http,  programs, hotkey,  versions, codePage};
    quopa::modINI ini(files, codePage);
    quopa::ProgramState state;
    quopa::AppContext ctx{backend, sys, ini, state, folder};
    Measure(ctx);
    std::filesystem::remove_all(root);
    return 0;
}
