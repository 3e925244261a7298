// The quick-launch box over 9999 items: a keystroke's matches, the rows shown (a real list
// view under Wine), the box in front after the hot key, and the memory its lists take.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/frmQuick.h"
#include "store/data_files.h"

#ifdef _WIN32
#include <windows.h>

#include <malloc.h>
#include <psapi.h>

#include "platform/win32/win32_services.h"
#include "ui/win32/win32_backend.h"
#else
#include <malloc.h>

#include "platform/headless/headless_services.h"
#include "platform/headless/host_files.h"
#include "ui/headless/headless_backend.h"
#endif

namespace {

double Ms(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

std::vector<quopa::QuickItem> Items(int count) {
    const char* words[] = {"Word",  "Writer", "Paint", "Code",    "Studio", "Office", "Notes",
                           "Mail",  "Photo",  "Music", "Player",  "Editor", "Viewer", "Tool",
                           "Clock", "Backup", "Sync",  "Browser", "Chat",   "Draw",   "Calc"};
    const int n = static_cast<int>(std::size(words));
    std::vector<quopa::QuickItem> items;
    for (int i = 1; i <= count; ++i) {
        const std::string name =
            std::string(words[i % n]) + " " + words[(i / n) % n] + " " + std::to_string(i);
        items.push_back({"application" + std::to_string(i), name,
                         "Item number " + std::to_string(i), "Category " + std::to_string(i % 21),
                         "%drive%\\Apps\\Tool" + std::to_string(i) + ".exe", ""});
    }
    return items;
}

double MemoryMb() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS_EX m{};
    m.cb = sizeof(m);
    K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&m),
                            sizeof(m));
    return static_cast<double>(m.WorkingSetSize) / (1 << 20);
#else
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return static_cast<double>(resident) * 4096 / (1 << 20);
#endif
}

// What the heap holds in use: the working set also keeps what was freed.
double HeapInUseMb() {
    std::size_t used = 0;
#ifdef _WIN32
    _HEAPINFO block{};
    while (_heapwalk(&block) == _HEAPOK)
        if (block._useflag == _USEDENTRY) used += block._size;
#else
    const struct mallinfo2 heap = mallinfo2();
    used = heap.uordblks + heap.hblkhd;
#endif
    return static_cast<double>(used) / (1 << 20);
}

}  // namespace

int main() {
#ifdef _WIN32
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "quopa_quick_bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    platform::Win32Services services(WM_APP + 1);
    platform::Services& sys = services.sys;
    ui::Win32Backend backend;
#else
    const std::string folder = "E:";
    platform::HostFiles files;
    files.MapDrive('E', "/tmp");
    platform::HeadlessServices services(files);
    platform::Services& sys = services.sys;
    ui::HeadlessBackend backend;
#endif
    quopa::modINI ini(sys.files, sys.codePage);
    quopa::ProgramState state;
    quopa::AppContext ctx{backend, sys, ini, state, folder};
    quopa::Usage usage(sys.files, quopa::UsageFile(folder) + ".bench");
    std::vector<quopa::QuickItem> all = Items(9999);
    const double before = MemoryMb(), heapBefore = HeapInUseMb();
    for (int i = 1; i <= 9999; i += 7)
        usage.Started(all[static_cast<std::size_t>(i - 1)].key,
                      all[static_cast<std::size_t>(i - 1)].name,
                      all[static_cast<std::size_t>(i - 1)].path, quopa::Usage::Now());
    quopa::frmQuick box(
        ctx, usage,
        {nullptr, [&] { return all; }, [] { return std::vector<quopa::QuickItem>(); },
         [](const quopa::QuickItem&, const std::string&) {}, nullptr, nullptr});
    box.Create();

    // From the opening until the box is in front (natively, until Open returns).
    const auto opened = [&] {
        const auto start = std::chrono::steady_clock::now();
        box.Open();
#ifdef _WIN32
        while (GetForegroundWindow() != reinterpret_cast<HWND>(box.form.Handle()) &&
               Ms(std::chrono::steady_clock::now() - start) < 2000)
            backend.DoEvents();
#endif
        return Ms(std::chrono::steady_clock::now() - start);
    };
    std::printf("box in front, first opening (9999 items read and folded): %.1f ms\n", opened());
    box.Hide();
    std::printf("box in front, again: %.1f ms\n", opened());

    // After a command the load hands the box the whole list again, one item changed in it.
    all[4999].name = "Renamed";
    auto start = std::chrono::steady_clock::now();
    box.SetItems(all, sys.files.Query(quopa::AppsFile(folder)));
    std::printf("list handed over after a command, 1 of 9999 changed: %.2f ms\n",
                Ms(std::chrono::steady_clock::now() - start));

    // Natively the matches; under Wine also the rows in a real list view.
    double worst = 0;
    std::string typed;
    for (char c : std::string("wri 12")) {
        typed += c;
        start = std::chrono::steady_clock::now();
        box.txtQuick.SetText(typed);  // as a keystroke changes it
        worst = std::max(worst, Ms(std::chrono::steady_clock::now() - start));
    }
    std::printf("keystroke, 9999 items, matches shown (worst of 6): %.2f ms\n", worst);
    std::printf(
        "memory added by the box, what it learned and its lists: %.2f MB in use (the index "
        "%.2f MB); the working set grew by %.2f MB, with what was freed meanwhile\n",
        HeapInUseMb() - heapBefore, static_cast<double>(box.IndexBytes()) / (1 << 20),
        MemoryMb() - before);
    sys.files.Delete(quopa::UsageFile(folder) + ".bench");
    return 0;
}
