// Times the look at 200 PortableApps folders under Wine with the real main window: from
// the tree shown until every app is in it, the longest stretch the window did not answer,
// and the start-up to the tree shown with the Options box ticked and cleared.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "platform/win32/win32_services.h"
#include "tree/portable_apps.h"
#include "ui/win32/win32_backend.h"

namespace {

constexpr int kApps = 200;

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Write(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

void LayOut(const std::string& root) {
    CreateDirectoryA(root.c_str(), nullptr);
    for (int n = 0; n < kApps; ++n) {
        const std::string app = root + "\\App" + std::to_string(n) + "Portable";
        for (const std::string& folder : {app, app + "\\App", app + "\\App\\AppInfo"})
            CreateDirectoryA(folder.c_str(), nullptr);
        Write(app + "\\App\\AppInfo\\appinfo.ini",
              "[Format]\r\nType=PortableApps.comFormat\r\n[Details]\r\nName=App " +
                  std::to_string(n) + "\r\nCategory=Category " + std::to_string(n % 12) +
                  "\r\nDescription=A program\r\n[Control]\r\nIcons=1\r\nStart=App" +
                  std::to_string(n) + "Portable.exe\r\n");
    }
}

void Remove(const std::string& root) {
    for (int n = 0; n < kApps; ++n) {
        const std::string app = root + "\\App" + std::to_string(n) + "Portable";
        DeleteFileA((app + "\\App\\AppInfo\\appinfo.ini").c_str());
        for (const std::string& folder : {app + "\\App\\AppInfo", app + "\\App", app})
            RemoveDirectoryA(folder.c_str());
    }
    RemoveDirectoryA(root.c_str());
}

// The bench starts several windows in one process: none may refuse as a second copy.
class BenchProcess : public platform::Win32Process {
  public:
    bool AnotherInstanceRunning() override { return false; }
    void End() override {}
};

struct Figures {
    double startup = 0, found = 0, longest = 0;
    unsigned longestMessage = 0;
    std::size_t shown = 0;
};

Figures Start(const std::string& folder, bool ticked) {
    Write(folder + "\\quopa_settings.dat",
          std::string("[Settings]\r\nLoadPortableApps=") + (ticked ? "1" : "0") + "\r\n");
    platform::Win32Services real(WM_APP + 1);
    BenchProcess process;
    platform::Services sys{real.files,      real.shell,    real.desktop,  process,   real.tray,
                           real.fileDialog, real.pictures, real.registry, real.http, real.programs,
                           real.hotkey,     real.versions, real.codePage};
    ui::Win32Backend backend;
    quopa::modINI ini(real.files, real.codePage);
    quopa::ProgramState state;
    quopa::AppContext ctx{backend, sys, ini, state, folder};
    quopa::frmMain w(ctx);
    Figures f;
    auto start = std::chrono::steady_clock::now();
    w.Create();
    UpdateWindow(reinterpret_cast<HWND>(w.TreeView1.Handle()));
    f.startup = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    // A loop like the window's, timers and all, until the look has ended; each message
    // timed on its own, as the window is deaf while one is handled.
    MSG msg;
    while (w.Found().Looking() && SecondsSince(start) < 20) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            WaitMessage();
            continue;
        }
        const auto turn = std::chrono::steady_clock::now();
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (SecondsSince(turn) > f.longest) {
            f.longest = SecondsSince(turn);
            f.longestMessage = msg.message;
        }
    }
    f.found = SecondsSince(start);
    for (const ui::TreeNode* node : w.TreeView1.Nodes())
        f.shown += node->Tag() == quopa::kFoundTag && node->Parent();
    w.EndProgram();
    return f;
}

}  // namespace

int main() {
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "quopa-portable-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    Write(folder + "\\quopa_apps.dat", "");
    const std::string root = quopa::PortableAppsFolder(folder.substr(0, 2));
    if (GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("%s exists already: not touched\n", root.c_str());
        return 1;
    }
    LayOut(root);
    std::vector<double> off, on;
    Figures last;
    for (int round = 0; round < 5; ++round) {
        off.push_back(Start(folder, false).startup);
        last = Start(folder, true);
        on.push_back(last.startup);
        std::printf(
            "%d apps: found and shown %.3f s after the tree (%zu nodes), longest "
            "unanswered stretch %.1f ms (message 0x%x)\n",
            kApps, last.found, last.shown, last.longest * 1000, last.longestMessage);
    }
    std::sort(off.begin(), off.end());
    std::sort(on.begin(), on.end());
    std::printf("start-up to tree shown, median of 5: box cleared %.3f s, ticked %.3f s\n", off[2],
                on[2]);
    Remove(root);
    DeleteFileA((folder + "\\quopa_apps.dat").c_str());
    DeleteFileA((folder + "\\quopa_settings.dat").c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
