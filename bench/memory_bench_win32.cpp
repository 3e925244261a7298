// What 9999 items cost the real exe in memory: its working set and committed memory 5 s after
// the process started (the tree complete by then), over an empty apps file and over 9999 items
// in 20 categories. QUOPA_EXE names the build, else the quopa.exe beside this program; the
// optional QUOPA_BASELINE_DIR holds an earlier quopa.exe, started in turn with it so that both
// see the same machine. Run it on a drive (tests/e2e/with-drive) or it uses a temporary folder.
#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "bench/bench_apps_file.h"
#include "bench/exe_runs.h"
#include "tests/e2e/remote.h"

namespace {

constexpr int kItems = 9999;
constexpr long kFullNodes = 1 + 20 + kItems;
constexpr DWORD kMeasuredAfterMs = 5000;

struct Figures {
    double workingSet = 0, committed = 0;  // MB
};

HWND TreeOf(DWORD pid) {
    std::vector<HWND> main = e2e::Find(nullptr, "QuopaMainWindow", "", pid);
    return main.empty() ? nullptr : e2e::FindChild(main.back(), WC_TREEVIEWA);
}

// One start in `folder`: the figures once the tree holds `nodes` and 5 s have passed.
bool Measure(const std::string& folder, long nodes, Figures& out) {
    e2e::Launcher launcher;
    const DWORD started = GetTickCount();
    if (!launcher.Start(folder + "quopa.exe", folder)) return false;
    HWND tree = nullptr;
    DWORD_PTR count = 0;
    while (launcher.Running() && static_cast<long>(count) < nodes) {
        if (!tree) tree = TreeOf(launcher.pi.dwProcessId);
        if (tree) SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_NORMAL, 10000, &count);
        Sleep(5);
    }
    if (static_cast<long>(count) < nodes) return false;
    const DWORD elapsed = GetTickCount() - started;
    if (elapsed < kMeasuredAfterMs) Sleep(kMeasuredAfterMs - elapsed);
    PROCESS_MEMORY_COUNTERS m = {};
    m.cb = sizeof(m);
    if (!GetProcessMemoryInfo(launcher.pi.hProcess, &m, sizeof(m))) return false;
    out = {m.WorkingSetSize / 1048576.0, m.PagefileUsage / 1048576.0};
    PostMessageA(GetAncestor(tree, GA_ROOT), WM_COMMAND, MAKEWPARAM(quopa::cmd::kExit, 0), 0);
    return launcher.WaitExit(20000);
}

struct Build {
    std::string name, empty, full;  // the folders it starts in
    std::vector<Figures> emptyRuns, fullRuns;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::string root = e2e::Env("QUOPA_E2E_DRIVE");
    if (root.empty()) {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        root = temp;
    }
    root += "\\memory-bench-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), nullptr);

    std::string current = WinePath(e2e::Env("QUOPA_EXE"));
    if (current.empty()) {
        char self[MAX_PATH + 1] = {};
        std::string path(self, GetModuleFileNameA(nullptr, self, MAX_PATH));
        current = path.substr(0, path.find_last_of('\\') + 1) + "quopa.exe";
    }
    std::vector<std::pair<std::string, std::string>> exes;
    const std::string baseline = WinePath(e2e::Env("QUOPA_BASELINE_DIR"));
    if (!baseline.empty()) exes.emplace_back("baseline", baseline + "\\quopa.exe");
    exes.emplace_back("this build", current);

    const std::string full = BenchAppsFile(kItems);
    std::vector<Build> builds;
    for (std::size_t i = 0; i < exes.size(); ++i) {
        Build b{exes[i].first, root + "\\e" + std::to_string(i) + "\\",
                root + "\\f" + std::to_string(i) + "\\"};
        for (const std::string* folder : {&b.empty, &b.full}) {
            CreateDirectoryA(folder->c_str(), nullptr);
            e2e::WriteFile(*folder + "quopa_apps.dat", folder == &b.full ? full : std::string());
            if (!CopyFileA(exes[i].second.c_str(), (*folder + "quopa.exe").c_str(), FALSE)) {
                std::printf("cannot copy %s\n", exes[i].second.c_str());
                return 1;
            }
        }
        builds.push_back(b);
    }
    for (int r = 0; r < rounds; ++r) {
        for (Build& b : builds) {
            Figures e, f;
            if (!Measure(b.empty, 1, e) || !Measure(b.full, kFullNodes, f)) {
                std::printf("%s: a start failed\n", b.name.c_str());
                return 1;
            }
            b.emptyRuns.push_back(e);
            b.fullRuns.push_back(f);
        }
    }
    std::printf("memory of the real exe %.0f s after start, median of %d:\n",
                kMeasuredAfterMs / 1000.0, rounds);
    for (const Build& b : builds) {
        auto median = [](const std::vector<Figures>& runs, double Figures::*field) {
            std::vector<double> v;
            for (const Figures& f : runs) v.push_back(f.*field);
            return Median(v);
        };
        const double ew = median(b.emptyRuns, &Figures::workingSet);
        const double fw = median(b.fullRuns, &Figures::workingSet);
        const double ep = median(b.emptyRuns, &Figures::committed);
        const double fp = median(b.fullRuns, &Figures::committed);
        std::printf(
            "  %-10s working set: empty %.1f MB, 9999 items %.1f MB, added %.1f MB (target <= "
            "15); committed: empty %.1f MB, 9999 items %.1f MB, added %.1f MB\n",
            b.name.c_str(), ew, fw, fw - ew, ep, fp, fp - ep);
    }
    return 0;
}
