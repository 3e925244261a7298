// The test build of quopa.exe writes the time of each start-up step to a file beside it,
// for the start-up benchmark: one line per step, its duration and the performance
// counter at its end (one clock for every process of the machine).
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/debug_trace.h"
#include "tests/e2e/exe/startup_steps.h"

namespace {

std::FILE* steps = nullptr;

void Write(const char* step, std::chrono::steady_clock::duration took) {
    if (!steps) return;
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    const long long micro = std::chrono::duration_cast<std::chrono::microseconds>(took).count();
    std::fprintf(steps, "%lld\t%lld\t%s\n", micro, static_cast<long long>(now.QuadPart), step);
    std::fflush(steps);
}

struct Install {
    Install() {
        char exe[MAX_PATH + 1] = {};
        const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string path(exe, n);
        path = path.substr(0, path.find_last_of('\\') + 1) + e2e::kStartupStepsFile;
        steps = std::fopen(path.c_str(), "w");
        platform::SetStepSink(Write);
        Write("program's own code runs", {});
    }
} install;

}  // namespace
