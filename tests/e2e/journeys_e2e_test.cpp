// Journeys on the real quopa.exe: a user's day from a fresh drive to File, Exit, the data
// files checked byte for byte after each step; what goes beyond the list: the drive's found
// portable apps, a dropped file and the hot key; and the failure drills.
#include <random>
#include <thread>

#include "tests/e2e/journey.h"

namespace e2e {
namespace {

using enum Do;
using namespace quopa::cmd;

const std::string kTools = "[Category1]\r\nName=Tools\r\n", kCmd = "C:\\windows\\system32\\cmd.exe";
// The wizard from a category's own menu, which picks the category; from the File menu it
// picks the drive's own.
const Step kInCategory = {Command, "Add new item", N(kCatAddNew)}, kNext = {Press, "&Next"},
           kFinish = {Close, "&Finish"}, kCategory = {Command, "Add Category", N(kNewCategory)},
           kOptionsDialog = {Command, "Options", N(kOptions)};

TEST_F(Journey, AUsersDayFromAFreshDriveToExitAtTwiceTheDpi) {
    const std::string ran = folder_ + "\\ran.txt", marker = "/c echo ran>> " + ran;
    const std::string editor = "%drive%\\tools\\editor.exe", tools = "%drive%\\tools\\";
    const std::string readme = "%drive%\\readme.txt", site = "http://localhost/";
    // clang-format off
    Run({{Dpi, "192", "1012"}, {Start, "", "1"}, {Files}, {Tree, "", "Quopa Drive"},
         // Two categories and four items of every kind, through the wizard.
         {Shows, "John Doe's Portable Device"}, kCategory, {Fill, "0", "Tools"}, kFinish,
         {Files, "", kTools}, kCategory, {Fill, "0", "Web"}, kFinish,
         {Files, "", "[Category2]\r\nName=Web\r\n"}, {Click, "Tools"}, kInCategory, kNext,
         {Fill, "0", "Editor|Edits text|" + editor + "||" + tools}, kFinish,
         {Files, "", Item(1, "Editor", "Edits text", editor, "Tools", 0, "", tools)},
         {Command, "Add new item", N(kNew)}, kNext, {Fill, "0", "Café||" + readme}, kFinish,
         {Files, "", Item(2, "Café", "", readme, "Quopa")}, {Click, "Web"}, kInCategory,
         {Press, "Web Link"}, kNext, {Fill, "0", "Site|Our site|" + site}, kFinish,
         {Files, "", Item(3, "Site", "Our site", site, "Web", 1)},
         {Click, "Tools"}, kInCategory, kNext, {Fill, "0", "Marker||" + kCmd + "|" + marker},
         {Press, "Start when Quopa starts"}, kFinish,
         {Files, "", Item(4, "Marker", "", kCmd, "Tools", 0, marker, "", "1")},
         {Tree, "", "Quopa Drive|Quopa Drive/Café|Tools|Tools/Editor|Tools/Marker|Web|Web/Site"},
         // The autorun item runs at the next start, and once.
         {Made, ran, ""}, {Exit}, {Start, "", "7"}, {Made, ran, "ran\r\n"},
         {Click, "Editor"}, {Shows, "Edits text"},
         {Rename, "Café", "Café & Söhne"}, {Swap, "Café", "Café & Söhne"},
         {Rename, "Tools", "Kit"}, {Swap, "=Tools\r\n", "=Kit\r\n"}, {Delete, "Site"},
         {Answer, "Are you sure you want to delete Site?", "yes"}, {Swap, "Name=Site", "Name="},
         {Delete, "Web"}, {Answer, "Are you sure you want to delete the Web category?", "yes"},
         {Swap, "Name=Web", "Name=Deleted"}, kOptionsDialog, {Second, "Quopa is already running!"},
         {Fill, "0", "Jürgen|Straße 1|Köln|0221 496|j@example.org"}, {Close, "&OK"},
         {Shows, "Jürgen's Portable Device"},
         {Files, "settings", "[UserInfo]\r\nUserName=Jürgen\r\nUserAddress=Straße 1\r\n"
          "UserCity=Köln\r\nUserPhone=0221 496\r\nUserEmail=j@example.org\r\n[Settings]\r\n"
          "Language=English\r\n"},
         // The tray's Run; File, Exit.
         {Command, "", N(kPopupApplicationBase + 4)}, {Made, ran, "ran\r\nran\r\n"}, {Exit},
         {Files}});
    // clang-format on
}

TEST_F(Journey, FoundAppsRunInTheirFolderADropOpensTheWizardAndTheHotKeyRunsByName) {
    const std::string app = drive_ + "\\PortableApps\\DriveToolPortable";
    const std::string notes = "%drive%" + folder_.substr(2) + "\\Notes.txt";
    std::string lower = folder_.substr(2);  // the start folder as the file dialog gives it
    CharLowerA(lower.data());
    // clang-format off
    Run({{Write, "quopa_apps.dat",
          kTools + Item(1, "Marker", "", kCmd, "Tools", 0, "/c echo ran> marker.txt", folder_)},
         {Write, app + "\\App\\AppInfo\\appinfo.ini", "\xEF\xBB\xBF[Details]\r\nName=Drive Tool"
          "\r\nCategory=Utilities\r\n[Control]\r\nStart=DriveToolPortable.bat\r\n"},
         {Write, app + "\\DriveToolPortable.bat", "@cd > cwd.txt\r\n"},  // where it was started
         {Write, "Notes.txt", "notes"}, {Start, "", "3"},
         kOptionsDialog, {Press, "Load PortableApps applications"}, {Close, "&OK"},
         {Tree, "", "Quopa Drive|Tools|Tools/Marker|Utilities|Utilities/Drive Tool"},
         {Click, "Drive Tool"}, {Press, "&Run"}, {Made, app + "\\cwd.txt", app + "\r\n"},
         {Files, "settings", "[UserInfo]\r\nUserName=\r\nUserAddress=\r\nUserCity=\r\nUserPhone="
          "\r\nUserEmail=\r\n[Settings]\r\nLanguage=English\r\nLoadPortableApps=1\r\n"},
         {Drop, "Notes.txt", "Tools"}, {Command, "Add new item"}, {Shows, "Notes"},
         {Shows, notes}, {Shows, "Tools"}, kFinish,
         {Files, "", Item(2, "Notes", "", notes, "Tools", 0, "", "%drive%" + lower + "\\")},
         // Alt+Space brings the quick-launch box up, not the hidden launcher.
         {Hide}, {Keys, "\x12 "}, {Shown, "QuopaQuickBox"}, {Keys, "MARK"}, {Keys, "\r"},
         {Made, "marker.txt", "ran\r\n"}});
    // clang-format on
    EXPECT_FALSE(IsWindowVisible(main_) || IsWindowVisible(FindWindowA("QuopaQuickBox", nullptr)));
}

// A program no single code page can name, in a Cyrillic folder: added through the wizard, run,
// and there again after a restart.
TEST_F(Journey, AProgramNamedInAnyScriptIsAddedRunAndKeptAcrossARestart) {
    const std::string name = "日本語 தமிழ்", file = "Папка\\日本語.bat";
    const std::string path = "%drive%" + folder_.substr(2) + "\\" + file;
    // clang-format off
    Run({{Write, file, "@echo ran> ran.txt\r\n"}, {Start, "", "1"}, {Command, "Add new item",
         N(kNew)}, kNext, {Fill, "0", name + "||" + path}, kFinish, {Files, "", Item(1, name, "",
         path, "Quopa")}, {Click, name}, {Press, "&Run"}, {Made, "ran.txt", "ran\r\n"}, {Exit},
         {Start, "", "2"}, {Tree, "", "Quopa Drive|Quopa Drive/" + name}, {Exit}, {Files}});
    // clang-format on
}

// Ctrl+Z on the keyboard after a delete: the item is back with its keys byte for byte.
TEST_F(Journey, CtrlZBringsADeletedItemBackByteForByte) {
    const std::string item =
        Item(1, "Notes", "My notes", "%drive%\\notes.txt", "Tools", 0, "-p", "%drive%\\");
    Run({{Write, "quopa_apps.dat", kTools + item},
         {Start, "", "3"},
         {Delete, "Notes"},
         {Answer, "Are you sure you want to delete Notes?", "yes"},
         {Swap, "Name=Notes", "Name="},
         {Click, "Tools"},
         {Keys, "\x11Z"},
         {Swap, "Name=\r\n", "Name=Notes\r\n"},
         {Tree, "", "Quopa Drive|Tools|Tools/Notes"}});
}

// What goes wrong on a stick: a locked drive, no update server (the test build asks one on
// this machine, where none is). The user's data stays through it all.
TEST_F(Journey, AReadOnlyDriveRefusesEveryWriteWithAMessageAndNoServerIsNoAnswer) {
    const std::string refused = "could not be saved";
    // clang-format off
    Run({{Write, "quopa_apps.dat", kTools + Item(1, "Notes", "", "http://x/", "Tools", 1)},
         {Write, "quopa_settings.dat", "[UserInfo]\r\nUserName=Ann\r\n"},
         {Start, "QUOPA_TEST_EXE", "3"}, {ReadOnly}, {Rename, "Notes", "Memo"}, {Answer, refused},
         {Delete, "Notes"}, {Answer, "delete Notes?", "yes"}, {Answer, refused},
         kOptionsDialog, {Fill, "0", "Bob"}, {Press, "&OK"}, {Answer, refused}, {Close, "&Cancel"},
         {Files}, {Tree, "", "Quopa Drive|Tools|Tools/Notes"},
         {Command, "Quopa Update Checker", N(kUpdate)}, {Shows, "Connection failed!"},
         {Close, "&OK"}});
    // clang-format on
}

// Each rename rewrites the whole file; a kill lands somewhere in that run of writes.
TEST_F(Journey, AKillDuringABurstOfWritesLeavesTheOldOrTheNewFile) {
    std::string before = kTools;
    for (int n = 1; n <= 1500; ++n)
        before += Item(n, n > 1 ? "Item" : "First", "", "x", "Tools", 1);
    const std::size_t at = before.find("First");
    std::mt19937 random(17);
    int wrote = 0;
    for (int round = 0; round < 4 && !HasFailure(); ++round) {
        Run({{Write, "quopa_apps.dat", before}, {Start, "", "1502"}});
        SetForegroundWindow(main_);
        const auto first = reinterpret_cast<LPARAM>(Node("First"));
        std::thread kill([&, after = std::uniform_int_distribution<int>(200, 1200)(random)] {
            Sleep(after);
            TerminateProcess(launcher_->pi.hProcess, 1);
        });
        // Until the kill: a message sent to a program that is gone comes back with nothing.
        while (auto edit = reinterpret_cast<HWND>(SendMessageA(tree_, TVM_EDITLABELA, 0, first))) {
            const std::string name = "Name" + std::to_string(++wrote);
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            SendMessageA(tree_, TVM_ENDEDITLABELNOW, FALSE, 0);
        }
        kill.join();
        launcher_->WaitExit(10000);
        const std::string stored = ReadFile(Path("quopa_apps.dat"));
        const std::string name = stored.substr(at, stored.find('\r', at) - at);
        EXPECT_EQ(stored, before.substr(0, at) + name + before.substr(at + 5)) << "a torn file";
    }
    EXPECT_GT(wrote, 4) << "the kills came before any write";
}

}  // namespace
}  // namespace e2e
