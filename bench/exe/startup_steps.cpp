// The test build of quopa.exe writes the time of each start-up step to a file beside it,
// for the start-up benchmark: one line per step, its duration and the performance
// counter at its end (one clock for every process of the machine).
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/exe/startup_steps.h"
#include "platform/debug_trace.h"

namespace {

std::FILE* steps = nullptr;

void Write(const char* step, std::chrono::steady_clock::duration took) {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    const long long micro = std::chrono::duration_cast<std::chrono::microseconds>(took).count();
    if (steps) std::fprintf(steps, "%lld\t%lld\t%s\n", micro, now.QuadPart, step);
    if (steps) std::fflush(steps);
}

const bool installed = [] {
    char exe[MAX_PATH + 1] = {};
    const std::string path(exe, GetModuleFileNameA(nullptr, exe, MAX_PATH));
    steps =
        std::fopen((path.substr(0, path.rfind('\\') + 1) + e2e::kStartupStepsFile).c_str(), "w");
    platform::SetStepSink(Write);
    Write("program's own code runs", {});
    return true;
}();

}  // namespace
