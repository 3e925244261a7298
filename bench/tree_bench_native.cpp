// Times a full tree build natively with the headless backend: 1000 and 9999 items under
// 21 categories (the main one and 20 stored), a third of them links.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/bench_apps_file.h"
#include "launch/launcher.h"
#include "platform/headless/headless_services.h"
#include "platform/headless/host_files.h"
#include "store/data_files.h"
#include "tree/tree_loader.h"
#include "ui/form.h"
#include "ui/headless/headless_backend.h"

namespace {

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

double Run(const std::string& root, int items) {
    std::ofstream(root + "/quopa_apps.dat", std::ios::binary) << BenchAppsFile(items);

    platform::HostFiles files;
    files.MapDrive('E', root);
    platform::HeadlessServices system(files);
    system.shell.tempPath = "E:\\";
    quopa::modINI ini(files, system.codePage);
    quopa::ProgramState state;
    state.LauncherDrive = "E:";
    ui::HeadlessBackend backend;
    ui::Form form(backend);
    form.Create({});
    ui::TreeView tree;
    tree.Create(form, {});
    ui::ImageList icons;
    icons.Create(form);
    ui::MenuItem run;
    ui::MenuArray apps;
    apps.Create(run, 1000, 1, "App");
    const std::string appsFile = quopa::AppsFile("E:\\");
    quopa::Launcher launcher(ini, system.shell, system.desktop, state, "E:\\", appsFile);
    quopa::TreeLoader loader({tree, icons, run, apps}, ini, launcher, system.sys, state, appsFile,
                             nullptr);

    auto start = std::chrono::steady_clock::now();
    loader.IntList();
    double first = Seconds(std::chrono::steady_clock::now() - start);

    start = std::chrono::steady_clock::now();
    loader.IntList();
    double again = Seconds(std::chrono::steady_clock::now() - start);

    // The search restore: every item node gone, then the items loaded back.
    for (int n = 1; n < state.NextItemIndex; ++n) tree.Remove("application" + std::to_string(n));
    start = std::chrono::steady_clock::now();
    loader.LoadApps();
    double restore = Seconds(std::chrono::steady_clock::now() - start);

    // Shares of a rebuild that lie outside the loader: its INI reads and the tray entries.
    start = std::chrono::steady_clock::now();
    for (int n = 1; n <= items + 1; ++n) {
        const std::string section = "Application" + std::to_string(n);
        for (const char* key : {"Path", "Name", "Category", "Type"})
            ini.ReadIni(section, key, "", appsFile);
    }
    double reads = Seconds(std::chrono::steady_clock::now() - start);
    start = std::chrono::steady_clock::now();
    for (int n = 1; n <= items; ++n) apps.Load(n).SetCaption("x");
    double trayEntries = Seconds(std::chrono::steady_clock::now() - start);

    std::printf(
        "%5d items: IntList first %.3f s, again %.3f s, LoadApps restore %.3f s "
        "(of a rebuild: INI reads %.3f s, tray entries %.3f s); %zu nodes, "
        "%d pictures, %zu icon lookups, NextItemIndex %d\n",
        items, first, again, restore, reads, trayEntries, tree.Count(), icons.PictureCount(),
        system.shell.iconRequests.size(), state.NextItemIndex);
    return first;
}

}  // namespace

int main() {
    char pattern[] = "/tmp/quopa_bench_XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string root = pattern;
    Run(root, 1000);
    const double big = Run(root, 9999);
    std::printf("IntList of 9999 items %.3f s (target < 0.03 s)\n", big);
    std::filesystem::remove_all(root);
    return 0;
}
