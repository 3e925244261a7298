// Times the real exe's start-up from outside, as a user waits for it: from the process's
// start until its tree view holds every node, over an empty apps file and over 9999 items
// in 20 categories. The release gives the figure; the test build, which times its steps
// inside, tells where the time goes. Run it on a drive (tests/e2e/with-drive) or it uses a
// temporary folder; QUOPA_EXE and QUOPA_TEST_EXE name the builds, else the ones beside it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/command_ids.h"
#include "bench/bench_apps_file.h"
#include "bench/exe/startup_steps.h"
#include "bench/exe_runs.h"
#include "tests/e2e/remote.h"

namespace {

constexpr int kItems = 9999;
constexpr long kFullNodes = 1 + 20 + kItems;  // the main category, 20 stored ones, the items

long long Ticks() {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Seconds(long long ticks) {
    static const double frequency = [] {
        LARGE_INTEGER f = {};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(ticks) / frequency;
}

struct Step {
    std::string name;
    double took = 0;     // seconds
    double endedAt = 0;  // seconds after the process was started
};

struct Start {
    double firstNode = 0;  // seconds from CreateProcess until the tree holds a node
    double allNodes = 0;   // until it holds all it should
    // Processor time the exe had used by then, all threads and its main one: on a busy
    // machine the wall-clock figures grow with the load, these much less.
    double cpu = 0, mainCpu = 0;
    std::vector<Step> steps;  // the test build's own times; empty for the release
};

HWND MainWindow(DWORD pid) {
    struct Find {
        DWORD pid;
        HWND found;
    } find{pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* f = reinterpret_cast<Find*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != f->pid || e2e::ClassOf(window) != "QuopaMainWindow") return TRUE;
            f->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

long NodeCount(HWND tree) {
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutA(tree, TVM_GETCOUNT, 0, 0, SMTO_NORMAL, 10000, &count)) return -1;
    return static_cast<long>(count);
}

std::string TempFolder(const std::string& prefix) {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    for (int i = 0;; ++i) {
        std::string folder = std::string(base) + prefix + std::to_string(GetCurrentProcessId()) +
                             "-" + std::to_string(i);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
    }
}

std::vector<Step> ReadSteps(const std::string& file, long long started) {
    std::vector<Step> steps;
    std::istringstream in(e2e::ReadFile(file));
    std::string line;
    while (std::getline(in, line)) {
        long long micro = 0, at = 0;
        int used = 0;
        if (std::sscanf(line.c_str(), "%lld\t%lld\t%n", &micro, &at, &used) < 2) continue;
        steps.push_back({line.substr(used), micro / 1e6, Seconds(at - started)});
    }
    return steps;
}

double ProcessorSeconds(HANDLE of,
                        BOOL(WINAPI* times)(HANDLE, FILETIME*, FILETIME*, FILETIME*, FILETIME*)) {
    FILETIME created, ended, kernel, user;
    if (!times(of, &created, &ended, &kernel, &user)) return 0;
    auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return value(kernel) + value(user);
}

// One start of the exe in `folder`, left through File, Exit once its tree is complete.
bool StartOnce(const std::string& folder, long nodes, Start& result) {
    const std::string stepsFile = folder + e2e::kStartupStepsFile;
    DeleteFileA(stepsFile.c_str());
    e2e::Launcher launcher;
    const long long started = Ticks();
    if (!launcher.Start(folder + "quopa.exe", folder)) return false;
    HWND main = nullptr, tree = nullptr;
    long count = 0;
    while (launcher.Running() && count < nodes) {
        if (!main) main = MainWindow(launcher.pi.dwProcessId);
        if (main && !tree) tree = e2e::FindChild(main, WC_TREEVIEWA);
        if (tree) count = NodeCount(tree);
        if (count > 0 && result.firstNode == 0) result.firstNode = Seconds(Ticks() - started);
        if (count < nodes) Sleep(1);
    }
    result.allNodes = Seconds(Ticks() - started);
    result.cpu = ProcessorSeconds(launcher.pi.hProcess, GetProcessTimes);
    result.mainCpu = ProcessorSeconds(launcher.pi.hThread, GetThreadTimes);
    if (count < nodes) return false;
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(quopa::cmd::kExit, 0), 0);
    if (!launcher.WaitExit(20000)) return false;
    result.steps = ReadSteps(stepsFile, started);
    return true;
}

struct Case {
    const char* label;
    std::string folder;
    long nodes;
    std::vector<Start> starts;
    double First() const {
        std::vector<double> v;
        for (const Start& s : starts) v.push_back(s.firstNode);
        return Median(v);
    }
    double All() const {
        std::vector<double> v;
        for (const Start& s : starts) v.push_back(s.allNodes);
        return Median(v);
    }
    double Cpu(bool mainThread) const {
        std::vector<double> v;
        for (const Start& s : starts) v.push_back(mainThread ? s.mainCpu : s.cpu);
        return Median(v);
    }
    // Each step's median over the starts, in the order of the first start; the first time a
    // step ends only, since a later load (none at start-up) would be another one.
    std::vector<Step> Steps() const {
        std::vector<Step> out;
        if (starts.empty()) return out;
        for (const Step& step : starts.front().steps) {
            if (std::any_of(out.begin(), out.end(),
                            [&](const Step& s) { return s.name == step.name; }))
                continue;
            std::vector<double> took, at;
            for (const Start& s : starts) {
                for (const Step& t : s.steps) {
                    if (t.name != step.name) continue;
                    took.push_back(t.took);
                    at.push_back(t.endedAt);
                    break;
                }
            }
            out.push_back({step.name, Median(took), Median(at)});
        }
        return out;
    }
};

void PrintSteps(const Case& empty, const Case& full) {
    std::printf("%-50s %9s %9s %9s %11s\n", "step inside the test build (median)", "empty ms",
                "9999 ms", "added ms", "9999 ends at");
    std::map<std::string, double> emptyTook;
    for (const Step& s : empty.Steps()) emptyTook[s.name] = s.took;
    double lastEnd = 0;
    for (const Step& s : full.Steps()) {
        const double base = emptyTook.count(s.name) ? emptyTook[s.name] : 0;
        std::printf("%-50s %9.1f %9.1f %+9.1f %9.0f ms\n", s.name.c_str(), base * 1000,
                    s.took * 1000, (s.took - base) * 1000, s.endedAt * 1000);
        lastEnd = std::max(lastEnd, s.endedAt);
    }
    std::printf("%-50s %9s %9.1f %9s %9.0f ms\n", "last step's end until the tree answers", "",
                (full.All() - lastEnd) * 1000, "", full.All() * 1000);
}

// The four starts of one pair of builds: the release and the test build, each over an
// empty apps file and over the long one.
std::vector<Case> Cases(const std::string& root, const std::string& name,
                        const std::string& release, const std::string& traced) {
    std::vector<Case> cases = {{"release, empty", "", 1, {}},
                               {"release, 9999 items", "", kFullNodes, {}},
                               {"test build, empty", "", 1, {}},
                               {"test build, 9999 items", "", kFullNodes, {}}};
    const std::string full = BenchAppsFile(kItems);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Case& c = cases[i];
        c.folder = root + "\\" + name + std::to_string(i) + "\\";
        CreateDirectoryA(c.folder.c_str(), nullptr);
        e2e::WriteFile(c.folder + "quopa_apps.dat", c.nodes > 1 ? full : std::string());
        const std::string& exe = i < 2 ? release : traced;
        if (!CopyFileA(exe.c_str(), (c.folder + "quopa.exe").c_str(), FALSE))
            throw std::runtime_error("cannot copy " + exe);
    }
    return cases;
}

void Print(const char* title, int rounds, const std::vector<Case>& cases) {
    std::printf("%s: start-up of the real exe, median of %d, from process start:\n", title, rounds);
    for (const Case& c : cases)
        std::printf(
            "  %-24s first node %.3f s, all %ld nodes %.3f s; processor by then %.3f s, main "
            "thread %.3f s\n",
            c.label, c.First(), c.nodes, c.All(), c.Cpu(false), c.Cpu(true));
    PrintSteps(cases[2], cases[3]);
    std::printf(
        "start-up, real exe: 9999 items add %.3f s to the tree's completion over an empty apps "
        "file (test build %.3f s; target < 0.25 s); processor time %+.3f s, main thread "
        "%+.3f s\n\n",
        cases[1].All() - cases[0].First(), cases[3].All() - cases[2].First(),
        cases[1].Cpu(false) - cases[0].Cpu(false), cases[1].Cpu(true) - cases[0].Cpu(true));
}

}  // namespace

// The optional QUOPA_BASELINE_DIR holds an earlier quopa.exe and quopa_e2e.exe, started in
// turn with these so that both sets see the same machine.
int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::string root = e2e::Env("QUOPA_E2E_DRIVE");
    root = root.empty() ? TempFolder("quopa-startup-") : root + "\\startup-bench";
    CreateDirectoryA(root.c_str(), nullptr);
    std::vector<std::pair<std::string, std::vector<Case>>> sets;
    try {
        const std::string baseline = WinePath(e2e::Env("QUOPA_BASELINE_DIR"));
        if (!baseline.empty())
            sets.emplace_back("baseline", Cases(root, "baseline", baseline + "\\quopa.exe",
                                                baseline + "\\quopa_e2e.exe"));
        sets.emplace_back("this build", Cases(root, "current", ExeBeside("QUOPA_EXE", "quopa.exe"),
                                              ExeBeside("QUOPA_TEST_EXE", "quopa_e2e.exe")));
    } catch (const std::exception& e) {
        std::printf("%s\n", e.what());
        return 1;
    }
    // The first start of a process pays for what the system has not yet loaded.
    Start warm;
    StartOnce(sets.back().second[1].folder, kFullNodes, warm);
    for (int r = 0; r < rounds; ++r) {
        for (auto& set : sets) {
            for (Case& c : set.second) {
                Start start;
                if (!StartOnce(c.folder, c.nodes, start)) {
                    std::printf("%s: the tree never held %ld nodes\n", c.label, c.nodes);
                    return 1;
                }
                c.starts.push_back(start);
            }
        }
    }
    for (const auto& set : sets) Print(set.first.c_str(), rounds, set.second);
    return 0;
}
