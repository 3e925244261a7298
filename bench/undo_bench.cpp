// Times a command on a 9999-item apps file without and with its undo step and its kept
// versions, an undo of it, and counts what the versions folder holds afterwards. Natively
// the versions are kept in line (the headless files have no thread); under Wine on the
// system's thread, as the program keeps them.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/bench_apps_file.h"
#include "store/history.h"
#include "store/versions.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
using BenchFiles = platform::Win32Files;
using BenchCodePage = platform::Win32CodePage;
#else
#include <stdlib.h>

#include <filesystem>

#include "platform/headless/headless_code_page.h"
#include "platform/headless/host_files.h"
using BenchFiles = platform::HostFiles;
using BenchCodePage = platform::HeadlessCodePage;
#endif

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The median of `runs` deletes of an item, each a write of the whole file; `between` runs
// untimed before each, as the user's pause between two commands.
double Command(quopa::modINI& ini, const std::string& apps, int runs, int& next,
               const std::function<void()>& between) {
    std::vector<double> took;
    for (int i = 0; i < runs; ++i, ++next) {
        between();
        const auto start = std::chrono::steady_clock::now();
        ini.WriteIni("Application" + std::to_string(next), "Name", "", apps);
        took.push_back(SecondsSince(start));
    }
    std::sort(took.begin(), took.end());
    return took[took.size() / 2];
}

}  // namespace

int main() {
#ifdef _WIN32
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "quopa_undo_bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    BenchFiles files;
#else
    char pattern[] = "/tmp/quopa_undo_bench_XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    BenchFiles files;
    files.MapDrive('E', pattern);
    const std::string folder = "E:";
#endif
    const std::string apps = folder + "\\quopa_apps.dat";
    files.ReplaceAtomically(apps, BenchAppsFile(9999));
    BenchCodePage codePage;
    quopa::modINI ini(files, codePage);
    int next = 1;
    constexpr int kRuns = 11;
    ini.ReadIni("Application1", "Name", "", apps);
    const double plain = Command(ini, apps, kRuns, next, [] {});

    quopa::UndoHistory history(ini, apps);
    quopa::VersionRing versions(files, codePage, quopa::VersionsFolder(folder));
    ini.onReplaced = [&](const std::string& file, const std::string& before,
                         const std::string& after) {
        versions.Keep(before);
        versions.Keep(after);
        history.Recorded(file, before, after);
    };
    const double kept = Command(ini, apps, kRuns, next, [&] { versions.List(); });
    versions.List();
    auto start = std::chrono::steady_clock::now();
    history.Undo();
    const double undo = SecondsSince(start);
    const std::size_t copies = versions.List().size();

    std::printf("command on 9999 items (a delete), median of %d: %.4f s\n", kRuns, plain);
    std::printf("the same with its undo step and versions kept: %.4f s (%+.1f %%)\n", kept,
                100.0 * (kept - plain) / plain);
    std::printf("undo of the last one: %.4f s\n", undo);
    std::printf("versions kept after %d commands: %zu\n", kRuns, copies);
    for (const auto& v : versions.List()) files.Delete(v.file);
    files.Delete(apps);
#ifndef _WIN32
    std::filesystem::remove_all(pattern);
#endif
    return 0;
}
