// Times the commands that rebuild the tree in the real exe, from outside, on a 9990-item list:
// from the user's last act until the main window answers a message sent to it. The release
// gives the figures; one more round of the test build tells where each command's time goes.
// Run it on a drive (tests/e2e/with-drive); QUOPA_EXE and QUOPA_TEST_EXE name the builds,
// else the ones beside it, and QUOPA_BASELINE_DIR may hold an earlier pair, timed in turn.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "bench/bench_apps_file.h"
#include "bench/exe/startup_steps.h"
#include "bench/exe_runs.h"
#include "tests/e2e/remote.h"

namespace {

constexpr int kItems = 9990;  // room for the five dropped
constexpr long kFullNodes = 1 + 20 + kItems;
constexpr int kDropped = 5;
const char* const kCommands[] = {"Finish of an edited item",
                                 "item delete",
                                 "undo of it",
                                 "Add Category",
                                 "category delete",
                                 "drop of 5 files",
                                 "search box left empty (10 items left)",
                                 "hot key to the quick box in front, list changed"};
constexpr int kCommandCount = sizeof(kCommands) / sizeof(kCommands[0]);

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f = {};
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

bool Answers(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &ignored) != 0;
}

void WaitFor(const std::function<bool()>& done, const char* what) {
    for (const double end = Now() + 30; !done(); Sleep(1))
        if (Now() > end) throw std::runtime_error(std::string("waited in vain for ") + what);
}

// One running exe on its own copy of the list, driven as the user would.
class Session {
  public:
    Session(const std::string& folder, const std::string& exe) : folder_(folder) {
        CreateDirectoryA(folder.c_str(), nullptr);
        e2e::WriteFile(folder + "quopa_apps.dat", BenchAppsFile(kItems));
        DeleteFileA((folder + e2e::kStartupStepsFile).c_str());
        if (!CopyFileA(exe.c_str(), (folder + "quopa.exe").c_str(), FALSE))
            throw std::runtime_error("cannot copy " + exe);
        if (!launcher_.Start(folder + "quopa.exe", folder)) throw std::runtime_error("no start");
        main_ = launcher_.WaitWindow("QuopaMainWindow", 60000);
        tree_ = main_ ? e2e::FindChild(main_, WC_TREEVIEWA) : nullptr;
        if (!tree_) throw std::runtime_error("no main window");
        remote_ = static_cast<char*>(
            VirtualAllocEx(launcher_.pi.hProcess, nullptr, 8192, MEM_COMMIT, PAGE_READWRITE));
        WaitFor([&] { return Count() >= kFullNodes; }, "the whole tree");
        Answers(main_);
    }
    ~Session() {
        PostMessageA(main_, WM_COMMAND, MAKEWPARAM(quopa::cmd::kExit, 0), 0);
        launcher_.WaitExit(20000);
    }

    // The seconds each command kept the window from answering.
    // With `trace`, prints what the test build timed inside during each.
    std::vector<double> RunCommands(bool trace = false) {
        std::vector<double> took;
        for (int c = 0; c < kCommandCount; ++c) {
            NewSteps();
            if (std::getenv("QUOPA_BENCH_VERBOSE")) std::printf("  > %s\n", kCommands[c]);
            took.push_back(c == 0   ? FinishEdit()
                           : c == 1 ? DeleteItem()
                           : c == 2 ? Undo()
                           : c == 3 ? AddCategory()
                           : c == 4 ? DeleteCategory()
                           : c == 5 ? DropFiles()
                           : c == 6 ? SearchRestore()
                                    : QuickBox());
            if (!trace) continue;
            std::printf("  %s: %.3f s\n", kCommands[c], took.back());
            std::istringstream steps(NewSteps());
            for (std::string line; std::getline(steps, line);) {
                long long micro = 0, at = 0;
                int used = 0;
                if (std::sscanf(line.c_str(), "%lld\t%lld\t%n", &micro, &at, &used) >= 2)
                    std::printf("    %8.1f ms  %s\n", micro / 1000.0, line.c_str() + used);
            }
        }
        return took;
    }

  private:
    // What the test build timed inside since the last call.
    std::string NewSteps() {
        const std::string all = e2e::ReadFile(folder_ + e2e::kStartupStepsFile);
        std::string fresh = all.substr(std::min(all.size(), stepsRead_));
        stepsRead_ = all.size();
        return fresh;
    }
    long Count() const { return static_cast<long>(SendMessageA(tree_, TVM_GETCOUNT, 0, 0)); }

    std::string TextOf(HTREEITEM item) const {
        struct {
            TVITEMA tv;
            char text[256];
        } asked = {{TVIF_TEXT | TVIF_HANDLE, item, 0, 0, remote_ + sizeof(TVITEMA), 256}, {}};
        WriteProcessMemory(launcher_.pi.hProcess, remote_, &asked, sizeof(asked), nullptr);
        SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_));
        ReadProcessMemory(launcher_.pi.hProcess, remote_, &asked, sizeof(asked), nullptr);
        return asked.text;
    }
    HTREEITEM Category(const std::string& text) const {
        auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        for (; item; item = reinterpret_cast<HTREEITEM>(SendMessageA(
                         tree_, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item))))
            if (TextOf(item) == text) return item;
        throw std::runtime_error("no category " + text);
    }
    POINT Middle(HTREEITEM item) const {
        RECT r = {};
        std::memcpy(&r, &item, sizeof(item));
        WriteProcessMemory(launcher_.pi.hProcess, remote_, &r, sizeof(r), nullptr);
        SendMessageA(tree_, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote_));
        ReadProcessMemory(launcher_.pi.hProcess, remote_, &r, sizeof(r), nullptr);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Select(HTREEITEM item) {
        SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    HWND Dialog(const std::string& caption) {
        HWND found = launcher_.WaitWindow(nullptr, 20000, caption);
        if (!found) throw std::runtime_error("no window " + caption);
        return found;
    }
    // From the click on the dialog's button until the window answers again.
    double Press(HWND dialog, const char* button) {
        HWND finish = e2e::FindChild(dialog, "Button", button);
        WaitFor([&] { return IsWindowVisible(finish) && IsWindowEnabled(finish); }, button);
        const double start = Now();
        PostMessageA(finish, BM_CLICK, 0, 0);
        WaitFor([&] { return !IsWindowVisible(dialog); }, "the dialog to close");
        Answers(main_);
        return Now() - start;
    }
    double Answer(int button) {
        HWND box = launcher_.WaitWindow("#32770", 20000);
        if (!box) throw std::runtime_error("no message box");
        const double start = Now();
        PostMessageA(box, WM_COMMAND, button, 0);
        WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, "the box to close");
        Answers(main_);
        return Now() - start;
    }

    double FinishEdit() {
        Select(reinterpret_cast<HTREEITEM>(SendMessageA(
            tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(Category("Category 5")))));
        PostMessageA(main_, WM_COMMAND, quopa::cmd::kFileEdit, 0);
        return Press(Dialog("Edit existing item"), "&Finish");
    }
    double DeleteItem() {
        Select(reinterpret_cast<HTREEITEM>(SendMessageA(
            tree_, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(Category("Category 6")))));
        PostMessageA(main_, WM_COMMAND, quopa::cmd::kFileDelete, 0);
        return Answer(IDYES);
    }
    double Undo() {
        const long before = Count();
        const double start = Now();
        DWORD_PTR ignored = 0;  // sent, not posted: a message sent later would be answered first
        SendMessageTimeoutA(main_, WM_COMMAND, quopa::cmd::kUndo, 0, SMTO_NORMAL, 60000, &ignored);
        Answers(main_);
        const double took = Now() - start;
        if (Count() != before + 1)
            std::printf("  (the undo left %ld nodes of %ld)\n", Count(), before + 1);
        return took;
    }
    double AddCategory() {
        PostMessageA(main_, WM_COMMAND, quopa::cmd::kNewCategory, 0);
        HWND dialog = Dialog("Add Category");
        HWND box = e2e::FindChild(dialog, "Edit");
        WaitFor([&] { return IsWindowVisible(box); }, "the name box");
        SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Added"));
        return Press(dialog, "&Finish");
    }
    double DeleteCategory() {
        Select(Category("Category 1"));
        PostMessageA(main_, WM_COMMAND, quopa::cmd::kCatDelete, 0);
        return Answer(IDYES);
    }
    double DropFiles() {
        DROPFILES header = {sizeof(DROPFILES), Middle(Category("Category 2")), FALSE, FALSE};
        std::string drop(reinterpret_cast<char*>(&header), sizeof(header));
        CreateDirectoryA((folder_ + "Dropped").c_str(), nullptr);
        for (int i = 1; i <= kDropped; ++i) {
            const std::string file = folder_ + "Dropped\\Tool " + std::to_string(i) + ".txt";
            e2e::WriteFile(file, "text");
            drop += file + '\0';
        }
        drop += '\0';
        WriteProcessMemory(launcher_.pi.hProcess, remote_ + 1024, drop.data(), drop.size(),
                           nullptr);
        const double start = Now();
        PostMessageA(tree_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote_ + 1024), 0);
        HWND box = nullptr;
        WaitFor(
            [&] {
                for (HWND w : e2e::Find(nullptr, "#32770", "", launcher_.pi.dwProcessId)) box = w;
                return box != nullptr;
            },
            "the drop's message");
        Answers(main_);
        const double took = Now() - start;
        if (std::getenv("QUOPA_BENCH_VERBOSE"))
            std::printf("  (%s)\n", e2e::WindowText(GetDlgItem(box, 0xFFFF)).substr(0, 70).c_str());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, "the box to close");
        Answers(main_);
        return took;
    }
    // From the hot key (Alt+Space) until the box is in front and answers; the commands before
    // changed the list, so this is the box's first look at it since.
    double QuickBox() {
        const double start = Now();
        for (DWORD up : {0ul, static_cast<DWORD>(KEYEVENTF_KEYUP)})
            for (BYTE key : {VK_MENU, VK_SPACE}) keybd_event(key, 0, up, 0);
        HWND box = nullptr;
        WaitFor(
            [&] {
                box = FindWindowA("QuopaQuickBox", nullptr);
                return box && IsWindowVisible(box) && GetForegroundWindow() == box;
            },
            "the quick box");
        Answers(box);
        const double took = Now() - start;
        for (DWORD up : {0ul, static_cast<DWORD>(KEYEVENTF_KEYUP)})
            keybd_event(VK_ESCAPE, 0, up, 0);
        WaitFor([&] { return !IsWindowVisible(box); }, "the box to go");
        return took;
    }
    // With Category 1 gone, "Item 997" leaves ten items.
    double SearchRestore() {
        HWND search = e2e::FindChild(main_, "Edit", "Search...");
        if (!search) throw std::runtime_error("no search box");
        const long full = Count();
        SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Item 997"));
        Answers(main_);
        if (Count() > 22 + 10) std::printf("  (the search left %ld nodes)\n", Count());
        const double start = Now();
        SendMessageA(search, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(search, WM_KILLFOCUS, reinterpret_cast<WPARAM>(tree_), 0);
        Answers(main_);
        const double took = Now() - start;
        if (Count() != full) std::printf("  (restored %ld of %ld nodes)\n", Count(), full);
        return took;
    }

    std::string folder_;
    e2e::Launcher launcher_;
    HWND main_ = nullptr, tree_ = nullptr;
    char* remote_ = nullptr;
    std::size_t stepsRead_ = 0;
};

struct Build {
    std::string label, release, traced;
    std::vector<std::vector<double>> took = std::vector<std::vector<double>>(kCommandCount);
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // a run ended from outside still tells how far
    std::string root = e2e::Env("QUOPA_E2E_DRIVE");
    root = root.empty() ? "C:\\quopa-rebuild-bench" : root + "\\rebuild-bench";
    CreateDirectoryA(root.c_str(), nullptr);
    std::vector<Build> builds;
    const std::string baseline = WinePath(e2e::Env("QUOPA_BASELINE_DIR"));
    if (!baseline.empty())
        builds.push_back({"before", baseline + "\\quopa.exe", baseline + "\\quopa_e2e.exe"});
    builds.push_back({"this build", ExeBeside("QUOPA_EXE", "quopa.exe"),
                      ExeBeside("QUOPA_TEST_EXE", "quopa_e2e.exe")});
    try {
        for (int r = 0; r < rounds; ++r) {
            for (std::size_t b = 0; b < builds.size(); ++b) {
                Session session(root + "\\" + std::to_string(b) + "-" + std::to_string(r) + "\\",
                                builds[b].release);
                const std::vector<double> took = session.RunCommands();
                for (int c = 0; c < kCommandCount; ++c) builds[b].took[c].push_back(took[c]);
            }
        }
        std::printf(
            "Commands on a 9990-item list, real exe, until the window answers (median of "
            "%d; all runs):\n",
            rounds);
        for (int c = 0; c < kCommandCount; ++c) {
            std::printf("  %-40s", kCommands[c]);
            for (const Build& b : builds) {
                std::printf(" %s %.3f s (", b.label.c_str(), Median(b.took[c]));
                for (double t : b.took[c]) std::printf(" %.2f", t);
                std::printf(" );");
            }
            std::printf("\n");
        }
        // Where the time goes: each command once more in the test build, its steps as timed.
        for (std::size_t b = 0; b < builds.size(); ++b) {
            std::printf("\nsteps inside the %s test build (ms):\n", builds[b].label.c_str());
            Session session(root + "\\trace" + std::to_string(b) + "\\", builds[b].traced);
            session.RunCommands(true);
        }
    } catch (const std::exception& e) {
        std::printf("%s\n", e.what());
        return 1;
    }
    return 0;
}
