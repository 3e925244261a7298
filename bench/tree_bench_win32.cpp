// Times a full tree build under Wine with the real tree view and image list: 1000 and
// 9999 items under 21 categories, a third of them links, six file types.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/bench_apps_file.h"
#include "launch/launcher.h"
#include "platform/win32/win32_services.h"
#include "store/data_files.h"
#include "tree/tree_loader.h"
#include "ui/headless/headless_backend.h"
#include "ui/win32/win32_backend.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The same build with and without the real controls, so the controls' share shows.
// Returns the seconds from the start of IntList until the tree has been painted.
double Run(const std::string& folder, int items, ui::Backend& backend, const char* label) {
    std::ofstream(folder + "\\quopa_apps.dat", std::ios::binary)
        << (items > 0 ? BenchAppsFile(items) : std::string());

    platform::Win32Services system(WM_APP + 1);
    quopa::modINI ini(system.files, system.codePage);
    quopa::ProgramState state;
    state.LauncherDrive = folder.substr(0, 2);
    ui::Form form(backend);
    ui::FormArgs args;
    args.caption = "tree bench";
    args.clientWidth = 6000;
    args.clientHeight = 6000;
    form.Create(args);
    ui::TreeView tree;
    tree.Create(form, {{"", {120, 120, 3615, 4935}}});
    ui::ImageList icons;
    icons.Create(form);
    ui::MenuItem run;
    ui::MenuArray apps;
    apps.Create(run, 20000, 1, "App");
    const std::string appsFile = quopa::AppsFile(folder);
    quopa::Launcher launcher(ini, system.shell, system.desktop, state, folder, appsFile);
    quopa::TreeLoader loader({tree, icons, run, apps}, ini, launcher, system.sys, state, appsFile,
                             [&backend] { backend.DoEvents(); });
    form.Show();

    auto start = std::chrono::steady_clock::now();
    loader.IntList();
    double first = SecondsSince(start);
    if (HWND view = reinterpret_cast<HWND>(tree.Handle())) UpdateWindow(view);
    double shownAt = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    loader.IntList();
    double again = SecondsSince(start);
    auto shown = SendMessageA(reinterpret_cast<HWND>(tree.Handle()), TVM_GETCOUNT, 0, 0);
    // The look at the items' own files, after the tree is shown, in the window's slices.
    start = std::chrono::steady_clock::now();
    int slices = 0;
    double longest = 0;
    while (loader.Pass().Pending()) {
        auto slice = std::chrono::steady_clock::now();
        loader.ContinuePass();
        longest = std::max(longest, SecondsSince(slice));
        ++slices;
    }
    double pass = SecondsSince(start);
    std::printf(
        "%5d items, %-13s IntList first %.3f s (painted %.3f s), again %.3f s; %ld nodes in "
        "the control, %d pictures; files pass %.3f s in %d slices, longest %.1f ms\n",
        items, label, first, shownAt, again, static_cast<long>(shown), icons.PictureCount(), pass,
        slices, longest * 1000);
    return shownAt;
}

}  // namespace

int main() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "quopa-tree-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    ui::Win32Backend real;
    ui::HeadlessBackend none;
    for (int items : {1000, 9999}) {
        Run(folder, items, none, "no controls:");
        Run(folder, items, real, "tree view:");
    }
    // What a long list adds to IntList alone; startup_bench_win32 times the real exe.
    const double empty = Run(folder, 0, real, "tree view:");
    const double full = Run(folder, 9999, real, "tree view:");
    std::printf(
        "IntList to tree shown, in this process: 9999 items add %.3f s over an empty apps "
        "file\n",
        full - empty);
    DeleteFileA((folder + "\\quopa_apps.dat").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
