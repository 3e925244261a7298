// Times a command on a 9999-item apps file as it is, with its undo step, and with its undo
// step and kept version, in one run; then undos and redos of it against the command itself.
// The versions are kept on a thread of their own, as the program keeps them.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_apps_file.h"
#include "platform/worker.h"
#include "store/history.h"
#include "store/versions.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/win32_code_page.h"
#include "platform/win32/win32_files.h"
using BenchCodePage = platform::Win32CodePage;
#else
#include <stdlib.h>

#include <filesystem>

#include "platform/headless/headless_code_page.h"
#include "platform/headless/host_files.h"
using BenchCodePage = platform::HeadlessCodePage;
#endif

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double Median(std::vector<double> took) {
    std::sort(took.begin(), took.end());
    return took[took.size() / 2];
}

#ifdef _WIN32
using BaseFiles = platform::Win32Files;
#else
// The headless files run their jobs at once; the program's run on another thread.
class BaseFiles : public platform::HostFiles {
  public:
    void MapDrive(char letter, const std::string& folder) {
        HostFiles::MapDrive(letter, folder);
        jobFiles_.MapDrive(letter, folder);
    }
    void InBackground(std::function<void(Files&)> job) override {
        worker_.Start([this, job = std::move(job)] { job(jobFiles_); });
    }
    void WaitForBackground() override { worker_.Wait(); }

  private:
    platform::HostFiles jobFiles_;
    platform::Worker worker_;
};
#endif

// Adds up how long the background jobs took.
class BenchFiles : public BaseFiles {
  public:
    void InBackground(std::function<void(Files&)> job) override {
        BaseFiles::InBackground([this, job = std::move(job)](Files& files) {
            const auto start = Clock::now();
            job(files);
            jobMicroseconds += static_cast<long>(SecondsSince(start) * 1e6);
        });
    }
    std::atomic<long> jobMicroseconds{0};
};

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
    quopa::UndoHistory history(ini, apps);
    quopa::VersionRing versions(files, codePage, quopa::VersionsFolder(folder));
    bool keepSteps = false, keepVersions = false;
    double inHook = 0;
    ini.onReplaced = [&](const std::string& file, const std::shared_ptr<const std::string>& before,
                         const std::shared_ptr<const std::string>& after) {
        const auto start = Clock::now();
        if (keepVersions) {
            versions.Keep(before);
            versions.Keep(after);
        }
        if (keepSteps) history.Recorded(file, *before, *after);
        inHook += SecondsSince(start);
    };
    ini.ReadIni("Application1", "Name", "", apps);

    // Deletes of an item, each a write of the whole file, taken in turns so that each kind
    // meets the same machine, after a pause as the user's between two commands.
    constexpr int kRounds = 25;
    int next = 1;
    std::vector<double> plain, step, kept, hook, job, undo, redo;
    const auto Pause = [&] {
        versions.List();
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // and the drive settles
    };
    const auto command = [&](bool steps, bool keep) {
        keepSteps = steps;
        keepVersions = keep;
        // The program's ring has seen every state of the list: the last one was its own.
        if (keep) ini.WriteIni("Application" + std::to_string(next++), "Name", "", apps);
        Pause();
        inHook = 0;
        const long jobsBefore = files.jobMicroseconds;
        const auto start = Clock::now();
        ini.WriteIni("Application" + std::to_string(next++), "Name", "", apps);
        const double took = SecondsSince(start);
        versions.List();
        if (keep) job.push_back((files.jobMicroseconds - jobsBefore) / 1e6);
        return took;
    };
    for (int i = 0; i < kRounds * 3; ++i) {
        const int kind = (i + i / 3) % 3;  // each kind comes first in a round as often
        if (kind == 0) plain.push_back(command(false, false));
        if (kind == 1) step.push_back(command(true, false));
        if (kind != 2) continue;
        kept.push_back(command(true, true));
        hook.push_back(inHook);
    }
    for (int i = 0; i < kRounds; ++i) {
        Pause();
        auto start = Clock::now();
        history.Undo();
        undo.push_back(SecondsSince(start));
        Pause();
        start = Clock::now();
        history.Redo();
        redo.push_back(SecondsSince(start));
    }
    const std::size_t copies = versions.List().size();

    const double p = Median(plain), s = Median(step), k = Median(kept);
    std::printf("medians of %d, a delete on 9999 items:\n", kRounds);
    std::printf("  the command alone:                %.4f s\n", p);
    std::printf("  with its undo step:               %.4f s (%+.1f %%)\n", s, 100 * (s - p) / p);
    std::printf("  with its undo step and a version: %.4f s (%+.1f %%)\n", k, 100 * (k - p) / p);
    std::printf("    of which undo step and version:  %.4f s (%+.1f %%)\n", Median(hook),
                100 * Median(hook) / p);
    std::printf("  keeping the version, meanwhile:   %.4f s\n", Median(job));
    std::printf("  undo of it:                       %.4f s\n", Median(undo));
    std::printf("  redo of it:                       %.4f s\n", Median(redo));
    std::printf("versions kept: %zu\n", copies);
    for (const auto& v : versions.List()) files.Delete(v.file);
    files.Delete(apps);
#ifndef _WIN32
    std::filesystem::remove_all(pattern);
#endif
    return 0;
}
