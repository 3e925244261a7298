// Times the reading of one photo into the avatar's 37-pixel square through the real picture
// service and prints the peak working set it took. One photo a run: the peak is the
// process's. Make the photo with ImageMagick, e.g.
//   convert -size 6000x4000 plasma: -quality 92 photo.jpg
// and run `scripts/wine build/win64/avatar_bench_win32.exe photo.jpg`.
#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "platform/win32/win32_files.h"
#include "platform/win32/win32_pictures.h"

namespace {

double Megabytes(SIZE_T bytes) {
    return static_cast<double>(bytes) / (1024 * 1024);
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS m = {};
    m.cb = sizeof(m);
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof(m));
    return m;
}

// Processor time used so far: on a busy machine the wall-clock figure grows with the load.
double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return static_cast<double>(static_cast<ULONGLONG>(t.dwHighDateTime) << 32 |
                                   t.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 1e7;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: avatar_bench_win32 photo.jpg\n");
        return 2;
    }
    platform::Win32Files files;
    platform::Win32Pictures pictures(files);
    const PROCESS_MEMORY_COUNTERS before = Memory();
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceFrequency(&frequency);
    const double cpu = CpuSeconds();
    QueryPerformanceCounter(&start);
    platform::Image avatar;
    const platform::PictureRead read = pictures.Load(argv[1], 37, 37, avatar);
    QueryPerformanceCounter(&end);
    const PROCESS_MEMORY_COUNTERS after = Memory();
    const char* const outcomes[] = {"read", "not a picture", "too large"};
    std::printf(
        "%s: %s, %dx%d, %.2f s (%.2f s processor), peak working set %.0f MB (%.0f MB "
        "before)\n",
        argv[1], outcomes[static_cast<int>(read)], avatar.width, avatar.height,
        static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart, CpuSeconds() - cpu,
        Megabytes(after.PeakWorkingSetSize), Megabytes(before.PeakWorkingSetSize));
    return read == platform::PictureRead::Ok ? 0 : 1;
}
