// Journeys on the real quopa.exe: a user's day from a fresh drive to File, Exit, the data
// files checked byte for byte after each step; what goes beyond the list: the drive's found
// portable apps, a dropped file and the hot key; and the failure drills.
#include <atomic>
#include <random>
#include <thread>

#include "tests/e2e/journey.h"

namespace e2e {
namespace {

using enum Do;
using namespace quopa::cmd;
using namespace std::string_literals;

TEST_F(Journey, AUsersDayFromAFreshDriveToExitAtTwiceTheDpi) {
    const std::string ran = folder_ + "\\ran.txt", marker = "/c echo ran>> " + ran;
    const std::string cmd = "C:\\windows\\system32\\cmd.exe", editor = "%drive%\\tools\\editor.exe";
    const std::string all = "Quopa Drive|Quopa Drive/Caf\xE9|Tools|Tools/Editor|Tools/Marker|Web";
    const std::string face = folder_ + "\\face.bmp";
    // One pixel, 24 bits.
    WriteFile(face,
              "BM\x3A\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0\0\0\0\0"
              "\x04\0\0\0\x13\x0B\0\0\x13\x0B\0\0\0\0\0\0\0\0\0\0\x20\x80\xE0\0"s);
    // clang-format off
    Run({{Dpi, "192"}, {Start, "", "1"}, {Docked, "1012"}, {Tree, "", "Quopa Drive"}, {Files},
         {Shows, "John Doe's Portable Device"},
         // Two categories and four items of every kind, through the wizard.
         {Dialog, "Add Category", N(kNewCategory)}, {Fill, "0", "Tools"}, {Close, "&Finish"},
         {Add, "", "[Category1]\r\nName=Tools\r\n"},
         {Dialog, "Add Category", N(kNewCategory)}, {Fill, "0", "Web"}, {Close, "&Finish"},
         {Add, "", "[Category2]\r\nName=Web\r\n"},
         {Wizard, "Tools", "Editor|Edits text|" + editor + "||%drive%\\tools\\"},
         {Add, "", Item(1, "Editor", "Edits text", editor, "Tools", 0, "", "%drive%\\tools\\")},
         {Wizard, "Quopa", "Caf\xE9||%drive%\\readme.txt||"},
         {Add, "", Item(2, "Caf\xE9", "", "%drive%\\readme.txt", "Quopa")},
         {Wizard, "Web", "Site|Our site|http://localhost/"},
         {Add, "", Item(3, "Site", "Our site", "http://localhost/", "Web", 1)},
         {Wizard, "Tools", "Marker||" + cmd + "|" + marker + "||Start when Quopa starts"},
         {Add, "", Item(4, "Marker", "", cmd, "Tools", 0, marker, "", "1")},
         {Tree, "", all + "|Web/Site"}, {Made, ran, ""},
         // The autorun item runs at the next start, and once.
         {Exit}, {Start, "", "7"}, {Made, ran, "ran\r\n"},
         {Fill, "0", "mar"}, {Tree, "", "Quopa Drive|Tools|Tools/Marker|Web"}, {Fill, "0", ""},
         {Click, "Tools"}, {Shows, "Search..."}, {Tree, "", all + "|Web/Site"},
         {Rename, "Caf\xE9", "Caf\xE9 & S\xF6hne"}, {Swap, "Caf\xE9", "Caf\xE9 & S\xF6hne"},
         {Rename, "Tools", "Kit"}, {Swap, "=Tools\r\n", "=Kit\r\n"},
         {Rename, "Kit", "Tools"}, {Swap, "=Kit\r\n", "=Tools\r\n"},
         {Click, "Editor"}, {Shows, "Edits text"}, {Press, "&Edit"}, {Dialog, "Edit existing item"},
         {Fill, "1", "Edits any text"}, {Close, "&Finish"}, {Swap, "Edits text", "Edits any text"},
         {Delete, "Site"}, {Answer, "Are you sure you want to delete Site?", "yes"},
         {Swap, "Name=Site", "Name="},
         {Delete, "Web"}, {Answer, "Are you sure you want to delete the Web category?", "yes"},
         {Swap, "Name=Web", "Name=Deleted"},
         // The owner's details, a second copy refused meanwhile, and the language both ways.
         {Dialog, "Options", N(kOptions)}, {Second, "Quopa is already running!"},
         {Fill, "0", "J\xFCrgen|Stra\337e 1|K\xF6ln|0221 496|j@example.org|" + face},
         {Close, "&OK"}, {Shows, "J\xFCrgen's Portable Device"},
         {Settings, "", "[UserInfo]\r\nUserName=J\xFCrgen\r\nUserAddress=Stra\337e 1\r\n"
                        "UserCity=K\xF6ln\r\nUserPhone=0221 496\r\nUserEmail=j@example.org\r\n"
                        "[Settings]\r\nLanguage=English\r\nLoadPortableApps=0\r\n"},
         {Dialog, "Options", N(kOptions)}, {Pick, "0", "Dutch"}, {Close, "&OK"},
         {Swap, "English", "Dutch"}, {Shows, "Applicatie"},
         {Dialog, "Options", N(kOptions)}, {Pick, "0", "English"}, {Close, "&OK"},
         {Swap, "Dutch", "English"}, {Shows, "Application"},
         // The tray: Show after the close box, and Run; the about box; File, Exit.
         {Hide}, {Shown, N(kPopupShow)}, {Menu, "", N(kPopupApplicationBase + 4)},
         {Made, ran, "ran\r\nran\r\n"}, {Dialog, "About Quopa Application Launcher", N(kAbout)},
         {Shows, "Quopa Application Launcher"}, {Close, "OK"}, {Exit}, {Files}});
    // clang-format on
}

TEST_F(Journey, FoundPortableAppsShowWhenTickedRunInTheirFolderAndStayUntilCleared) {
    const std::string app = drive_ + "\\PortableApps\\DriveToolPortable";
    const std::string tick = "Load PortableApps applications",
                      found = "Quopa Drive|Utilities|Utilities/Drive Tool";
    // clang-format off
    Run({{Write, app + "\\App\\AppInfo\\appinfo.ini",
          "\xEF\xBB\xBF[Details]\r\nName=Drive Tool\r\nCategory=Utilities\r\nDescription=Checks the"
          " drive\r\n[Control]\r\nStart=DriveToolPortable.exe\r\n"},
         {Write, app + "\\DriveToolPortable.exe", ReadFile(Env("QUOPA_DRIVE_PROGRAM"))},
         {Start, "", "1"},
         {Dialog, "Options", N(kOptions)}, {Press, tick}, {Close, "&OK"}, {Tree, "", found},
         {Click, "Drive Tool"}, {Press, "&Run"}, {Made, app + "\\cwd.txt", app},
         {Settings, "", "[UserInfo]\r\nUserName=\r\nUserAddress=\r\nUserCity=\r\nUserPhone=\r\n"
                        "UserEmail=\r\n[Settings]\r\nLanguage=English\r\nLoadPortableApps=1\r\n"},
         {Exit}, {Start, "", "3"}, {Tree, "", found},
         {Dialog, "Options", N(kOptions)}, {Press, tick}, {Close, "&OK"},
         {Tree, "", "Quopa Drive"}});
    // clang-format on
}

TEST_F(Journey, ADropOpensTheWizardFilledAndTheHotKeyBringsTheHiddenLauncherUpToRunByName) {
    const std::string marker = Item(1, "Marker", "", "C:\\windows\\system32\\cmd.exe", "Tools", 0,
                                    "/c echo ran> marker.txt", folder_);
    const std::string notes = "%drive%" + folder_.substr(2) + "\\Notes.txt";
    std::string lower = folder_.substr(2);  // the start folder as the file dialog gives it
    for (char& c : lower) c = static_cast<char>(std::tolower(c));
    // clang-format off
    Run({{Write, "quopa_apps.dat", "[Category1]\r\nName=Tools\r\n" + marker},
         {Write, "Notes.txt", "notes"}, {Start, "", "3"}, {Drop, "Notes.txt", "Tools"},
         {Dialog, "Add new item"}, {Shows, "Notes"}, {Shows, notes}, {Shows, "Tools"},
         {Close, "&Finish"},
         {Add, "", Item(2, "Notes", "", notes, "Tools", 0, "", "%drive%" + lower + "\\")},
         {Hide}, {Shown}, {Keys, "MARK"}, {Shows, "mark"}, {Keys, "\r"},
         {Made, "marker.txt", "ran\r\n"}});
    // clang-format on
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }))
        << "the launcher stayed up after a run from the hidden state";
}

// What goes wrong on a stick: a locked drive, damaged files, a pulled plug, no update server.
// The launcher must keep the user's data through all of it.

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
         {Delete, "Notes"}, {Answer, "delete Notes?", "yes"}, {Answer, kRefused},
         {Delete, "Tools"}, {Answer, "delete the Tools category?", "yes"}, {Answer, kRefused},
         {Dialog, "Options", N(kOptions)}, {Fill, "0", "Bob"}, {Press, "&OK"},
         {Answer, kRefused}, {Close, "&Cancel"},
         {Files}, {Tree, "", "Quopa Drive|Tools|Tools/Notes"},
         {Dialog, "Quopa Update Checker", N(kUpdate)}, {Shows, "Connection failed!"},
         {Close, "&OK"}});
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
    const std::string head = kTools + "[Application1]\r\nName=";
    std::string tail = Link(1, "").substr(head.size() - kTools.size());
    for (int n = 2; n <= 1500; ++n) tail += Link(n, "Item " + std::to_string(n));
    Run({{Write, "quopa_apps.dat", head + "Name0" + tail}});
    std::mt19937 random(17);
    std::atomic<int> wrote = 0;
    for (int round = 0; round < 4 && !HasFailure(); ++round) {
        Run({{Start, "", "1502"}});
        SetForegroundWindow(main_);
        std::atomic<bool> stop = false;
        const auto next = [&](UINT which, LRESULT item) {
            return SendMessageA(tree_, TVM_GETNEXTITEM, which, item);
        };
        std::thread burst([&, tree = tree_,
                           first = next(TVGN_CHILD, next(TVGN_NEXT, next(TVGN_ROOT, 0)))] {
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
    EXPECT_GT(wrote, 4) << "the kills came before any write";
}

}  // namespace
}  // namespace e2e
