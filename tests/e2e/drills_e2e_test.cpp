// What goes wrong on a stick: a second start, a big screen, a locked drive, a pulled plug,
// damaged files, accented names. The launcher must keep the user's data through all of it.
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include "tests/e2e/tour_e2e.h"

namespace e2e {
namespace {

using Drill = TourSteps;

using namespace std::string_literals;

// A web link as the wizard writes it.
std::string WebItem(int n, const std::string& name, const std::string& category,
                    const std::string& path = "http://localhost/") {
    return "[Application" + std::to_string(n) + "]\r\nName=" + name +
           "\r\nDescription=\r\nPath=" + path + "\r\nCategory=" + category +
           "\r\nAutorun=0\r\nType=1\r\nParameters=\"\"\r\nStartIn=" + "\r\nWindowStyle=Normal\r\n";
}

bool CouldNotSave(const std::string& message) {
    return message.find("could not be saved") != std::string::npos;
}

TEST_F(Drill, ASecondCopyWhileADialogIsOpenIsRefusedAndTheDialogStays) {
    Start();
    Command(quopa::cmd::kOptions);
    HWND options = WaitDialog("Options");
    ASSERT_NE(options, nullptr);

    Launcher second;
    ASSERT_TRUE(second.Start(exe_, drive_.root()));
    HWND refusal = second.WaitWindow("#32770");
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(MessageText(refusal), "Quopa is already running!");
    PostMessageA(refusal, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(second.WaitExit(10000));

    EXPECT_TRUE(IsWindowVisible(options));
    EXPECT_FALSE(IsWindowEnabled(main_)) << "the dialog no longer holds the main window";
    Press(FindChild(options, "Button", "&Cancel"));
    EXPECT_TRUE(Gone(options));
    EXPECT_FALSE(FileThere(DataFile("quopa_settings.dat")));
}

TEST_F(Drill, TheFirstStepsAt192Dpi) {
    ScreenDpi dpi(192);
    Start();
    EXPECT_EQ(NodeTexts(), std::vector<std::string>{"Quopa Drive"});
    EXPECT_NE(FindChild(main_, "Static", "John Doe's Portable Device"), nullptr);
    AddCategory("Tools");
    AddItem({"Site", "", "", 1, true});
    EXPECT_EQ(Apps(), "[Category1]\r\nName=Tools\r\n" + WebItem(1, "Site", "Tools"));
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Quopa Drive", "Tools", "Tools/Site"}));
}

TEST_F(Drill, AReadOnlyDriveRefusesEveryWriteWithAMessageAndLosesNothing) {
    WriteFile(DataFile("quopa_apps.dat"),
              "[Category1]\r\nName=Tools\r\n" + WebItem(1, "Notes", "Tools"));
    WriteFile(DataFile("quopa_settings.dat"), "[UserInfo]\r\nUserName=Ann\r\n");
    Start(3);
    const std::string apps = Apps(), settings = Settings();
    for (const char* name : {"quopa_apps.dat", "quopa_settings.dat"})
        SetFileAttributesA(DataFile(name).c_str(), FILE_ATTRIBUTE_READONLY);

    ASSERT_TRUE(Renamed("Notes", "Memo"));
    EXPECT_TRUE(CouldNotSave(Answer(IDOK))) << "rename";
    EXPECT_NE(Item("Notes"), nullptr);

    ClickItem("Notes");
    PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(Answer(IDYES), "Are you sure you want to delete Notes?");
    EXPECT_TRUE(CouldNotSave(Answer(IDOK))) << "delete";
    EXPECT_NE(Item("Notes"), nullptr);

    ClickItem("Tools");
    PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
    Answer(IDYES);
    EXPECT_TRUE(CouldNotSave(Answer(IDOK))) << "delete category";

    HWND dialog = AddCategory("Games", true);
    EXPECT_TRUE(CouldNotSave(Answer(IDOK))) << "new category";
    Press(FindChild(dialog, "Button", "&Cancel"));
    EXPECT_TRUE(Gone(dialog));

    HWND wizard = AddItem({"Site", "", "", 1, true}, true);
    EXPECT_TRUE(CouldNotSave(Answer(IDOK))) << "new item";
    Press(Children(wizard, "Button").front());  // the type page's Cancel
    PostMessageA(wizard, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Gone(wizard));

    HWND options = SetOptions({"Bob", "", "", "", "", ""}, -1, true);
    EXPECT_TRUE(CouldNotSave(Answer(IDOK))) << "options";
    Press(FindChild(options, "Button", "&Cancel"));
    EXPECT_TRUE(Gone(options));

    EXPECT_EQ(Apps(), apps);
    EXPECT_EQ(Settings(), settings);
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Quopa Drive", "Tools", "Tools/Notes"}));
    EXPECT_TRUE(launcher_->Running());
    for (const char* name : {"quopa_apps.dat", "quopa_settings.dat"})
        SetFileAttributesA(DataFile(name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Each rename rewrites the whole file; the kill lands somewhere in that run.
TEST_F(Drill, AKillDuringABurstOfWritesLeavesTheOldOrTheNewFile) {
    std::string rest;
    for (int n = 2; n <= 1500; ++n)
        rest += WebItem(n, "Item " + std::to_string(n), "Tools",
                        "http://localhost/" + std::to_string(n));
    const std::string first = WebItem(1, "@", "Tools");
    const std::string head = "[Category1]\r\nName=Tools\r\n" + first.substr(0, first.find('@'));
    const std::string tail = first.substr(first.find('@') + 1) + rest;
    WriteFile(DataFile("quopa_apps.dat"), head + "Name0" + tail);
    const int rounds = Env("QUOPA_KILL_ROUNDS").empty() ? 10 : std::stoi(Env("QUOPA_KILL_ROUNDS"));
    std::mt19937 random(17);
    int wrote = 0;
    for (int round = 0; round < rounds; ++round) {
        Start(1502);
        SetForegroundWindow(main_);
        const HWND tree = tree_;
        auto firstItem = reinterpret_cast<LPARAM>(
            SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD,
                         SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT,
                                      SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0))));
        std::atomic<int> sent{0};
        std::atomic<bool> stop{false};
        std::thread burst([&] {
            for (int k = 1; !stop; ++k) {
                HWND edit =
                    reinterpret_cast<HWND>(SendMessageA(tree, TVM_EDITLABELA, 0, firstItem));
                if (!edit) return;
                SetText(edit, "Name" + std::to_string(round * 1000 + k));
                SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
                sent = k;
            }
        });
        Sleep(std::uniform_int_distribution<int>(200, 1200)(random));
        TerminateProcess(launcher_->Process(), 1);
        launcher_->WaitExit(10000);
        stop = true;
        burst.join();
        main_ = nullptr;

        const std::string stored = Apps();
        ASSERT_EQ(stored.compare(0, head.size(), head), 0) << "round " << round;
        const std::size_t end = stored.find("\r\n", head.size());
        ASSERT_NE(end, std::string::npos) << "round " << round;
        const std::string name = stored.substr(head.size(), end - head.size());
        EXPECT_EQ(stored, head + name + tail) << "round " << round << ": a torn file";
        EXPECT_TRUE(name.rfind("Name", 0) == 0) << name;
        wrote += sent;
    }
    EXPECT_GT(wrote, rounds) << "the kills came before any write";
}

// Damaged files load without a crash, in bounded time, and a write never replaces what the
// launcher could not read.
TEST_F(Drill, DamagedAppsFilesLoadAndStayWhereTheyCannotBeRead) {
    std::mt19937 random(5);
    std::string garbage(64 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    const std::string nuls = "[Category1]\r\nName=To\0ols\r\n"s + WebItem(1, "A\0b"s, "To\0ols"s) +
                             std::string(4096, '\0') + WebItem(2, "After", "Tools");
    std::string many = "[Category1]\r\nName=Tools\r\n";
    for (int n = 1; n <= 9999; ++n) many += WebItem(n, "Item " + std::to_string(n), "Tools");
    std::string huge;
    for (int n = 1; huge.size() < 20u << 20; ++n)
        huge += "[Category" + std::to_string(n) + "]\r\nName=Big " + std::to_string(n) + "\r\n";

    struct Case {
        const char* name;
        const std::string& bytes;
        std::size_t nodes;
    } cases[] = {{"garbage", garbage, 1},
                 {"NUL bytes", nuls, 1},
                 {"9999 items", many, 10001},
                 {"20 MB", huge, 1}};
    for (const Case& c : cases) {
        WriteFile(DataFile("quopa_apps.dat"), c.bytes);
        const auto start = std::chrono::steady_clock::now();
        Start(c.nodes);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        RecordProperty(c.name, std::to_string(seconds));
        std::printf("%s: tree shown after %.1f s\n", c.name, seconds);
        EXPECT_LT(seconds, 45) << c.name;
        if (&c.bytes == &huge) {
            EXPECT_EQ(NodeTexts(), std::vector<std::string>{"Quopa Drive"});
            HWND dialog = AddCategory("Games", true);
            Answer(IDOK);
            if (IsWindow(dialog)) Press(FindChild(dialog, "Button", "&Cancel"));
            EXPECT_TRUE(Apps() == huge) << "a write replaced the unreadable file";
        }
        Exit();
    }
}

TEST_F(Drill, Windows1252NamesRoundTripByteForByteAndShow) {
    const std::string cafe = "Caf\xE9", mueller = "M\xFCller";
    WriteFile(DataFile("quopa_apps.dat"),
              "[Category1]\r\nName=" + cafe + "\r\n" + WebItem(1, mueller, cafe));
    Start(3);
    EXPECT_EQ(NodeTexts(), (std::vector<std::string>{"Quopa Drive", cafe, cafe + "/" + mueller}));

    ASSERT_TRUE(Renamed(mueller, mueller + " & S\xF6hne"));
    EXPECT_NE(Item(mueller + " & S\xF6hne"), nullptr);
    EXPECT_EQ(Apps(),
              "[Category1]\r\nName=" + cafe + "\r\n" + WebItem(1, mueller + " & S\xF6hne", cafe));

    SetOptions({"J\xFCrgen",
                "Stra\xDF"
                "e 1",
                "K\xF6ln", "", "", ""},
               -1);
    EXPECT_EQ(Settings(),
              "[UserInfo]\r\nUserName=J\xFCrgen\r\nUserAddress=Stra\xDF"
              "e 1\r\n"
              "UserCity=K\xF6ln\r\nUserPhone=\r\nUserEmail=\r\n[Settings]\r\n"
              "Language=English\r\nLoadPortableApps=0\r\n");
    EXPECT_TRUE(WaitFor([&] { return FindChild(main_, "Static", "J\xFCrgen's Portable Device"); }));
}

}  // namespace
}  // namespace e2e
