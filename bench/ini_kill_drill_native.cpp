// Kills writers in the middle of their writes and counts what they leave: files that
// are neither the old nor the new version, and temporaries beside the file, before and
// after the next write. Prints figures only.
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "bench/bench_apps_file.h"
#include "platform/headless/host_files.h"
#include "store/ini.h"

namespace {

const char* const kValues[] = {"Killed while writing A", "Killed while writing B"};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string WithName(std::string bytes, const std::string& name) {
    const std::string old = "Name=Item 1\r\n";
    return bytes.replace(bytes.find(old), old.size(), "Name=" + name + "\r\n");
}

// Temporaries beside the apps file, and their bytes.
std::pair<int, std::uintmax_t> Temporaries(const std::string& folder) {
    std::pair<int, std::uintmax_t> found{0, 0};
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("quopa_apps.dat.~", 0) != 0) continue;
        ++found.first;
        found.second += entry.file_size();
    }
    return found;
}

[[noreturn]] void WriteUntilKilled(const std::string& folder) {
    platform::HostFiles files;
    files.MapDrive('E', folder);
    quopa::modINI ini(files);
    for (unsigned n = 0;; ++n)
        ini.WriteIni("Application1", "Name", kValues[n % 2], "E:\\quopa_apps.dat");
}

}  // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 200;
    char pattern[] = "/tmp/quopa_kill_drill_XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string folder = pattern, file = folder + "/quopa_apps.dat";
    const std::string original = BenchAppsFile(9999);
    std::ofstream(file, std::ios::binary) << original;
    const std::string versions[] = {original, WithName(original, kValues[0]),
                                    WithName(original, kValues[1])};

    std::mt19937 random(2024);
    int corrupted = 0, leftBehind = 0, mostAtOnce = 0;
    std::uintmax_t leftBytes = 0;
    for (int k = 0; k < kills; ++k) {
        const pid_t child = fork();
        if (child == 0) WriteUntilKilled(folder);
        usleep(static_cast<useconds_t>(random() % 30000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string now = Slurp(file);
        corrupted += now != versions[0] && now != versions[1] && now != versions[2];
        const auto [count, bytes] = Temporaries(folder);
        leftBehind += count > 0;
        leftBytes += bytes;
        if (count > mostAtOnce) mostAtOnce = count;
    }

    platform::HostFiles files;
    files.MapDrive('E', folder);
    quopa::modINI ini(files);
    const bool wrote = ini.WriteIni("Application1", "Name", "Item 1", "E:\\quopa_apps.dat");
    const auto after = Temporaries(folder);

    std::printf("apps file: %.2f MB; kills: %d\n", original.size() / 1048576.0, kills);
    std::printf("corrupted files after a kill:                %d\n", corrupted);
    std::printf("kills that left a temporary:                 %d (%.0f %%)\n", leftBehind,
                100.0 * leftBehind / kills);
    std::printf("most temporaries beside the file at once:    %d\n", mostAtOnce);
    std::printf("bytes in temporaries, summed over the kills: %.1f MB\n", leftBytes / 1048576.0);
    std::printf("temporaries after the next write:            %d (%.1f MB); write %s\n",
                after.first, after.second / 1048576.0, wrote ? "succeeded" : "FAILED");
    std::printf("file after the next write is the original:   %s\n",
                Slurp(file) == original ? "yes" : "NO");
    std::filesystem::remove_all(folder);
    return 0;
}
