// Kills writers in the middle of their writes and counts what they leave: files that
// are neither the old nor the new version, and temporaries beside the file, before and
// after the next write. The writers are one key, and whole commands of many keys: an item
// saved, a category renamed with its items, the options applied. Prints figures only.
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_apps_file.h"
#include "platform/headless/headless_code_page.h"
#include "platform/headless/host_files.h"
#include "store/ini.h"

namespace {

const std::string kApps = "E:\\quopa_apps.dat";

// A command that writes the file in one of two states, as the program does.
struct Command {
    const char* name;
    std::function<bool(quopa::modINI&, int state)> write;
};

quopa::IniKeys Item(int state) {
    const std::string n = state ? "B" : "A";
    quopa::IniKeys keys;
    for (const char* key : {"Name", "Description", "Path", "Category", "Autorun", "Type",
                            "Parameters", "StartIn", "WindowStyle"})
        keys.push_back({"Application10000", key, std::string(key) + " " + n});
    return keys;
}

// Category 1 and its 476 items, under a name of each state.
quopa::IniKeys Rename(int state) {
    const std::string name = state ? "Renamed" : "Category 1";
    quopa::IniKeys keys = {{"Category1", "Name", name}};
    for (int n = 1; n <= 9999; ++n)
        if (n % 21 == 1) keys.push_back({"Application" + std::to_string(n), "Category", name});
    return keys;
}

quopa::IniKeys Options(int state) {
    const std::string v = state ? "B" : "A";
    return {{"UserInfo", "UserName", "Name " + v},
            {"UserInfo", "UserAddress", "Street " + v},
            {"UserInfo", "UserCity", "City " + v},
            {"UserInfo", "UserPhone", "Phone " + v},
            {"UserInfo", "UserEmail", "Mail " + v},
            {"Settings", "Language", state ? "Dutch" : "English"}};
}

const Command kCommands[] = {
    {"one key",
     [](quopa::modINI& ini, int state) {
         return ini.WriteIni("Application1", "Name", state ? "Killed B" : "Killed A", kApps);
     }},
    {"item saved (9 keys)",
     [](quopa::modINI& ini, int state) { return ini.WriteIniKeys(Item(state), kApps); }},
    {"category renamed (477 keys)",
     [](quopa::modINI& ini, int state) { return ini.WriteIniKeys(Rename(state), kApps); }},
    {"options applied (6 keys)",
     [](quopa::modINI& ini, int state) { return ini.WriteIniKeys(Options(state), kApps); }},
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
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

[[noreturn]] void WriteUntilKilled(const std::string& folder, const Command& command) {
    platform::HostFiles files;
    platform::HeadlessCodePage codePage;
    files.MapDrive('E', folder);
    quopa::modINI ini(files, codePage);
    for (int n = 0;; ++n) command.write(ini, n % 2);
}

// The file after the command wrote each state over the original.
std::vector<std::string> Versions(const std::string& folder, const std::string& original,
                                  const Command& command) {
    std::vector<std::string> versions = {original};
    platform::HostFiles files;
    platform::HeadlessCodePage codePage;
    files.MapDrive('E', folder);
    for (int state : {0, 1}) {
        std::ofstream(folder + "/quopa_apps.dat", std::ios::binary) << original;
        quopa::modINI ini(files, codePage);
        command.write(ini, state);
        versions.push_back(Slurp(folder + "/quopa_apps.dat"));
        command.write(ini, 1 - state);
        versions.push_back(Slurp(folder + "/quopa_apps.dat"));
    }
    std::ofstream(folder + "/quopa_apps.dat", std::ios::binary) << original;
    return versions;
}

void Drill(const std::string& folder, const std::string& original, const Command& command,
           int kills) {
    const std::string file = folder + "/quopa_apps.dat";
    const std::vector<std::string> versions = Versions(folder, original, command);
    std::mt19937 random(2024);
    int corrupted = 0, leftBehind = 0, mostAtOnce = 0;
    std::uintmax_t leftBytes = 0;
    for (int k = 0; k < kills; ++k) {
        const pid_t child = fork();
        if (child == 0) WriteUntilKilled(folder, command);
        usleep(static_cast<useconds_t>(random() % 30000));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        const std::string now = Slurp(file);
        corrupted += std::find(versions.begin(), versions.end(), now) == versions.end();
        const auto [count, bytes] = Temporaries(folder);
        leftBehind += count > 0;
        leftBytes += bytes;
        if (count > mostAtOnce) mostAtOnce = count;
    }

    platform::HostFiles files;
    platform::HeadlessCodePage codePage;
    files.MapDrive('E', folder);
    quopa::modINI ini(files, codePage);
    const bool wrote = command.write(ini, 0);
    const auto after = Temporaries(folder);
    std::printf("\n%s: %d kills\n", command.name, kills);
    std::printf("  files neither before nor after the command: %d\n", corrupted);
    std::printf("  kills that left a temporary:                %d (%.0f %%)\n", leftBehind,
                100.0 * leftBehind / kills);
    std::printf("  most temporaries beside the file at once:   %d\n", mostAtOnce);
    std::printf("  bytes in temporaries, summed over kills:    %.1f MB\n", leftBytes / 1048576.0);
    std::printf("  temporaries after the next write:           %d (%.1f MB); write %s\n",
                after.first, after.second / 1048576.0, wrote ? "succeeded" : "FAILED");
    std::printf(
        "  the next write leaves a known state:        %s\n",
        std::find(versions.begin(), versions.end(), Slurp(file)) != versions.end() ? "yes" : "NO");
}

}  // namespace

int main(int argc, char** argv) {
    const int kills = argc > 1 ? std::atoi(argv[1]) : 200;
    char pattern[] = "/tmp/quopa_kill_drill_XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    const std::string folder = pattern;
    const std::string original = BenchAppsFile(9999);
    std::printf("apps file: %.2f MB\n", original.size() / 1048576.0);
    for (const Command& command : kCommands) Drill(folder, original, command, kills);
    std::filesystem::remove_all(folder);
    return 0;
}
