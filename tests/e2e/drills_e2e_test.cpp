// What goes wrong on a stick: a locked drive, damaged files, a pulled plug, programs still
// running at the removal, no update server. The launcher must keep the user's data.
#include <atomic>
#include <random>
#include <thread>

#include "tests/e2e/journey.h"

namespace e2e {
namespace {

using enum Do;
using namespace quopa::cmd;

// A web link as the wizard writes it.
std::string Link(int n, const std::string& name) {
    return Item(n, name, "", "http://localhost/" + std::to_string(n), "Tools", 1);
}

const std::string kTools = "[Category1]\r\nName=Tools\r\n", kRefused = "could not be saved";

// The test build asks a server on this machine for updates, and none is there.
TEST_F(Journey, AReadOnlyDriveRefusesEveryWriteWithAMessageAndNoServerIsNoAnswer) {
    // clang-format off
    Run({{Write, "quopa_apps.dat", kTools + Link(1, "Notes")},
         {Write, "quopa_settings.dat", "[UserInfo]\r\nUserName=Ann\r\n"},
         {Start, "QUOPA_TEST_EXE", "3"}, {ReadOnly},
         {Rename, "Notes", "Memo"}, {Answer, kRefused},
         {Delete, "Notes"}, {Answer, "Are you sure you want to delete Notes?", "yes"}, {Answer, kRefused},
         {Delete, "Tools"}, {Answer, "delete the Tools category?", "yes"}, {Answer, kRefused},
         {Dialog, "Add Category", N(kNewCategory)}, {Fill, "0", "Games"}, {Press, "&Finish"},
         {Answer, kRefused}, {Close, "&Cancel"},
         {Dialog, "Options", N(kOptions)}, {Fill, "0", "Bob"}, {Press, "&OK"},
         {Answer, kRefused}, {Close, "&Cancel"},
         {Files}, {Tree, "", "Quopa Drive|Tools|Tools/Notes"},
         {Dialog, "Quopa Update Checker", N(kUpdate)}, {Shows, "Connection failed!"}, {Close, "&OK"}});
    // clang-format on
}

// Garbage loads as nothing; a file too big to read is never replaced by a write.
TEST_F(Journey, DamagedAppsFilesLoadAndStayWhereTheyCannotBeRead) {
    std::mt19937 random(5);
    std::string garbage(64 * 1024, '\0'), huge;
    for (char& c : garbage) c = static_cast<char>(random());
    for (int n = 1; huge.size() < 20u << 20; ++n)
        huge += "[Category" + std::to_string(n) + "]\r\nName=Big " + std::to_string(n) + "\r\n";
    // clang-format off
    Run({{Write, "quopa_apps.dat", garbage}, {Start, "", "1"}, {Tree, "", "Quopa Drive"}, {Exit},
         {Write, "quopa_apps.dat", huge}, {Start, "", "1"}, {Tree, "", "Quopa Drive"},
         {Dialog, "Add Category", N(kNewCategory)}, {Fill, "0", "Games"}, {Press, "&Finish"},
         {Answer}, {Close, "&Cancel"}, {Files}});
    // clang-format on
}

// Each rename rewrites the whole file; a kill lands somewhere in that run of writes.
TEST_F(Journey, AKillDuringABurstOfWritesLeavesTheOldOrTheNewFile) {
    std::string rest;
    for (int n = 2; n <= 1500; ++n) rest += Link(n, "Item " + std::to_string(n));
    const std::string head = kTools + "[Application1]\r\nName=";
    const std::string tail = Link(1, "").substr(head.size() - kTools.size()) + rest;
    Run({{Write, "quopa_apps.dat", head + "Name0" + tail}});
    const int rounds = Env("QUOPA_KILL_ROUNDS").empty() ? 4 : std::stoi(Env("QUOPA_KILL_ROUNDS"));
    std::mt19937 random(17);
    std::atomic<int> wrote = 0;
    for (int round = 0; round < rounds && !HasFailure(); ++round) {
        Run({{Start, "", "1502"}});
        SetForegroundWindow(main_);
        const HWND tree = tree_;
        std::atomic<bool> stop = false;
        std::thread burst([&] {
            const auto next = [&](UINT which, LRESULT item) {
                return SendMessageA(tree, TVM_GETNEXTITEM, which, item);
            };
            const auto first = next(TVGN_CHILD, next(TVGN_NEXT, next(TVGN_ROOT, 0)));
            for (int k = 1; !stop; ++k, ++wrote) {
                auto edit = reinterpret_cast<HWND>(SendMessageA(tree, TVM_EDITLABELA, 0, first));
                const std::string name = "Name" + std::to_string(round * 1000 + k);
                if (!edit) return;
                SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
                SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
            }
        });
        Sleep(std::uniform_int_distribution<int>(200, 1200)(random));
        TerminateProcess(launcher_->Process(), 1);
        launcher_->WaitExit(10000);
        stop = true;
        burst.join();

        const std::string stored = ReadFile(folder_ + "\\quopa_apps.dat");
        const std::string name =
            stored.substr(head.size(), stored.find("\r\n", head.size()) - head.size());
        EXPECT_EQ(stored, head + name + tail) << "round " << round << ": a torn file";
        EXPECT_TRUE(name.starts_with("Name")) << name;
    }
    EXPECT_GT(wrote, rounds) << "the kills came before any write";
}

// Safely Remove Device with programs from the drive still running: they are named, the one
// that listens is closed, the other ended when the user says so, and only then the removal.
TEST_F(Journey, ProgramsFromTheDriveAreClosedOrEndedBeforeTheRemoval) {
    const std::string program = ReadFile(WinePath(Env("QUOPA_DRIVE_PROGRAM")));
    // clang-format off
    Run({{Write, "polite.exe", program}, {Write, "stubborn.exe", program},
         {Program, "polite.exe", "start"}, {Program, "stubborn.exe", "start"}, {Start, "", "1"},
         {Menu, "", N(kRemove)}, {Answer, "", "yes"},
         {Dialog, "Programs still running from the drive"},
         {Shows, folder_ + "\\polite.exe", "part"}, {Shows, folder_ + "\\stubborn.exe", "part"},
         {Shows, "quopa.exe", "no"},
         {Press, "&Close them"}, {Program, "polite.exe", "ended"}, {Program, "stubborn.exe", "runs"},
         {Press, "&End them"}, {Program, "stubborn.exe", "ended"}, {Exit, "", "itself"}});
    // clang-format on
}

}  // namespace
}  // namespace e2e
