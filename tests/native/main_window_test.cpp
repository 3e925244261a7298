#include "app/command_ids.h"
#include "app/disk_units.h"
#include "tests/native/main_window_fixture.h"

namespace quopa::testing {
namespace {

TEST_F(MainWindowTest, StartsInTheFixedOrderAndShowsTheDriveInCaptionAndTip) {
    Put("quopa_apps.dat",
        "[Category1]\r\nName=Tools\r\n[Application1]\r\nName=Notes\r\nPath=%drive%\\n.txt\r\n"
        "Category=Tools\r\nAutorun=1\r\nType=0\r\n");
    frmMain& w = Start();
    // What the user sees, in order: the window, docked, then the tray icon with the drive in
    // its tip, the disk display, and last the tree's autorun launch.
    const std::vector<std::string> expected = {
        "place 0,0",  // narrowed before it shows
        "instance check",  "show Quopa Application Launcher",
        "place 7620,5280", "tray add Quopa Application Launcher [E:]",
        "disk E:\\",       "execute E:\\n.txt"};
    EXPECT_EQ(log_.entries, expected);
    EXPECT_EQ(w.form.Text(), "Quopa Application Launcher [E:]");
    EXPECT_EQ(state_.LauncherDrive, "E:");
    EXPECT_TRUE(w.form.Visible());
    EXPECT_EQ(w.form.GetBounds().width, 7740);
    EXPECT_EQ(w.frmDiskInfo.GetBounds().left, 3840);
    EXPECT_FALSE(w.frmDiskInfo.Visible());
    EXPECT_EQ(tray_.addCalls, 1);
    EXPECT_EQ(tray_.tip, "Quopa Application Launcher [E:]");
    EXPECT_EQ(desktop_.diskQueries, std::vector<std::string>{"E:\\"});
    ASSERT_NE(w.TreeView1.Find("Quopa"), nullptr);
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_FALSE(process_.ended);
}

TEST_F(MainWindowTest, SecondCopyIsRefusedBeforeItShowsAnything) {
    process_.anotherInstance = true;
    frmMain& w = Start();
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].text, "Quopa is already running!");
    EXPECT_EQ(desktop_.messages[0].title, "Quopa Application Launcher");
    EXPECT_EQ(desktop_.messages[0].style, platform::kMbIconCritical | platform::kMbOk);
    EXPECT_TRUE(process_.ended);
    EXPECT_FALSE(w.form.Visible());
    EXPECT_EQ(tray_.addCalls, 0);
    EXPECT_EQ(log_.entries.back(), "end");
    EXPECT_TRUE(shell_.executed.empty());
}

struct DriveCase {
    const char* folder;
    const char* drive;
};
void PrintTo(const DriveCase& c, std::ostream* os) {
    *os << "[" << c.folder << "]";
}

class DriveCaptionTest : public MainWindowTest, public ::testing::WithParamInterface<DriveCase> {};

TEST_P(DriveCaptionTest, TakesTheFirstPieceOfTheProgramFolderOnce) {
    process_.programFolder = GetParam().folder;
    frmMain& w = Start();
    EXPECT_EQ(state_.LauncherDrive, GetParam().drive);
    w.AddDriveToCaption();  // guarded: the suffix is added once
    EXPECT_EQ(w.form.Text(), std::string("Quopa Application Launcher [") + GetParam().drive + "]");
}

INSTANTIATE_TEST_SUITE_P(Folders, DriveCaptionTest,
                         ::testing::Values(DriveCase{"E:\\", "E:"},
                                           DriveCase{"E:\\Tools\\Launcher", "E:"},
                                           DriveCase{"\\\\server\\share\\q", "\\\\server\\share"}),
                         [](const auto& info) { return "Folder" + std::to_string(info.index); });

TEST_F(MainWindowTest, CloseAndMinimiseHideTheWindowAndKeepTheProgram) {
    frmMain& w = Start();
    EXPECT_FALSE(w.form.RequestClose());
    EXPECT_EQ(w.form.State(), ui::WindowState::Minimized);
    EXPECT_FALSE(w.form.Visible());
    EXPECT_FALSE(process_.ended);
    EXPECT_TRUE(tray_.added);

    w.mnuPopupShow_Click();
    EXPECT_TRUE(w.form.Visible());
    EXPECT_EQ(w.form.State(), ui::WindowState::Normal);

    w.form.SystemChangedState(ui::WindowState::Minimized);  // the minimise button
    EXPECT_FALSE(w.form.Visible());
}

TEST_F(MainWindowTest, ExitFromEitherMenuRemovesTheTrayIconAndEnds) {
    frmMain& w = Start();
    ASSERT_TRUE(w.form.RunCommand(w.mnuExit->Id()));
    EXPECT_TRUE(process_.ended);
    EXPECT_EQ(tray_.removeCalls, 1);
    EXPECT_FALSE(tray_.added);

    process_.ended = false;
    w.mnuPopUpExit->Click();
    EXPECT_TRUE(process_.ended);
    EXPECT_TRUE(desktop_.messages.empty()) << "no question is asked";
}

TEST_F(MainWindowTest, TrayClicksBringTheWindowBackAndRightClickOpensTheMenu) {
    frmMain& w = Start();
    for (ui::TrayMouse mouse : {ui::TrayMouse::LeftUp, ui::TrayMouse::LeftDoubleClick}) {
        w.form.RequestClose();
        ASSERT_FALSE(w.form.Visible());
        desktop_.foregroundCalls.clear();
        w.form.RaiseTrayNotify(mouse);
        EXPECT_TRUE(w.form.Visible());
        EXPECT_EQ(w.form.State(), ui::WindowState::Normal);
        EXPECT_EQ(desktop_.foregroundCalls.size(), 1u);
    }
    w.form.RaiseTrayNotify(ui::TrayMouse::RightUp);
    EXPECT_EQ(w.form.LastPopup(), &w.mPopupSys);

    w.form.RequestClose();
    w.form.RaiseTrayNotify(ui::TrayMouse::Other);  // a plain move means nothing
    EXPECT_FALSE(w.form.Visible());
}

// The tray's Run entries wait until they are wanted, then stand as the loads left them: each
// where it first came, with the last name found, a deleted item's entry still there.
TEST_F(MainWindowTest, TrayRunEntriesAreWhatTheLoadsFoundWhenFirstWanted) {
    auto item = [](int n, const std::string& name, const std::string& file) {
        return "[Application" + std::to_string(n) + "]\r\nName=" + name + "\r\nPath=E:\\" + file +
               "\r\nCategory=Quopa\r\nType=0\r\n";
    };
    Put("quopa_apps.dat", item(2, "Chess", "c.exe") + item(1, "Notes", "n.txt"));
    frmMain& w = Start();
    Put("quopa_apps.dat",
        item(1, "Notebook", "n.txt") + item(2, "", "c.exe") + item(3, "Site", "s.txt"));
    w.IntList();

    w.form.RunCommand(cmd::kPopupApplicationBase + 3);  // sent before the menu ever opened
    ASSERT_EQ(shell_.executed.size(), 1u);
    EXPECT_EQ(shell_.executed[0].file, "E:\\s.txt");
    w.form.RaiseTrayNotify(ui::TrayMouse::RightUp);
    std::vector<std::string> captions;
    for (const auto& entry : w.mnuPopupRun->Items()) captions.push_back(entry->Caption());
    EXPECT_EQ(captions, (std::vector<std::string>{"Notebook", "Chess", "Site"}));
}

TEST_F(MainWindowTest, TrayIconComesBackWhenTheShellRestarts) {
    tray_.addResult = false;  // the taskbar is not there yet at start-up
    frmMain& w = Start();
    tray_.addResult = true;
    w.form.RaiseTaskbarCreated();
    EXPECT_EQ(tray_.addCalls, 2);
    EXPECT_TRUE(tray_.added);
    EXPECT_EQ(tray_.tip, "Quopa Application Launcher [E:]");
}

class DockingTest : public MainWindowTest, public ::testing::WithParamInterface<int> {};

// At every scaling the window's right edge meets the screen's and its bottom the taskbar's
// top, to the pixel a twips round trip can cost.
TEST_P(DockingTest, DocksAboveTheTaskbarAtTheRightEdge) {
    const int dpi = GetParam();
    const int taskbar = platform::MulDivRound(40, dpi, 96);
    desktop_.screen = {1920, 1080, dpi, dpi};
    desktop_.taskbar = {0, 1080 - taskbar, 1920, 1080};
    frmMain& w = Start();
    const ui::Bounds& b = w.form.GetBounds();
    EXPECT_NEAR(platform::TwipsToPixels(b.left, dpi) + platform::TwipsToPixels(b.width, dpi), 1920,
                1);
    EXPECT_NEAR(platform::TwipsToPixels(b.top, dpi) + platform::TwipsToPixels(b.height, dpi),
                1080 - taskbar, 1);
}

INSTANTIATE_TEST_SUITE_P(Dpi, DockingTest, ::testing::Values(96, 120, 144, 168, 192));

TEST_F(MainWindowTest, TrayTipIsTheCaptionCutToWhatTheShellHolds) {
    // A network share's root stands in for the drive, so the caption outgrows the tip.
    process_.programFolder = "\\\\server\\" + std::string(60, 's') + "\\Quopa";
    Start();
    EXPECT_EQ(tray_.tip.size(), 63u);
    EXPECT_EQ(tray_.tip.compare(0, 28, "Quopa Application Launcher ["), 0);
}

TEST_F(MainWindowTest, SidebarShowsOwnerDetailsOrTheDefaults) {
    frmMain& w = Start();
    EXPECT_EQ(w.lblUserDevice.Text(), "John Doe's Portable Device");
    EXPECT_EQ(w.lblAddress.Text(), "Address: ");
    EXPECT_EQ(w.lblEmail.Text(), "Email: ");

    Put("quopa_settings.dat",
        "[UserInfo]\r\nUserName=Ann\r\nUserCity=Delft\r\nUserPhone=123\r\nUserEmail=a@b\r\n");
    w.loadsettings();
    EXPECT_EQ(w.lblUserDevice.Text(), "Ann's Portable Device");
    EXPECT_EQ(w.lblCity.Text(), "City: Delft");
    EXPECT_EQ(w.lblPhone.Text(), "Phone: 123");
}

TEST_F(MainWindowTest, AvatarThatIsNoPictureLeavesTheDesignedOne) {
    Put("quopa_ava.bmp", "not a picture at all");
    frmMain& w = Start();
    EXPECT_EQ(w.picAvatar.GetPicture().handle(), platform::HeadlessDesktop::kAppIconId);

    Put("quopa_ava.bmp", "BM and the rest of a bitmap");
    w.loadsettings();
    EXPECT_EQ(w.picAvatar.GetPicture().kind(), platform::Picture::Kind::Bitmap);
}

TEST(DiskUsageBar, CountsUnitsOfAHundredMillionBytesRoundingHalvesToEven) {
    DiskBar bar = DiskUsageBar(2000000000, 500000000);
    EXPECT_EQ(bar.max, 20);
    EXPECT_EQ(bar.value, 15);
    EXPECT_EQ(DiskUsageBar(250000000, 0).max, 2);
    EXPECT_EQ(DiskUsageBar(350000000, 0).max, 4);
    EXPECT_EQ(DiskUsageBar(349999999, 0).max, 3);
    // Too small to make a unit, or a failed query: an empty bar, not a broken range.
    EXPECT_EQ(DiskUsageBar(40000000, 1000).max, 1);
    EXPECT_EQ(DiskUsageBar(0, 0).value, 0);
}

TEST_F(MainWindowTest, DiskFrameShowsTheDriveAndAlternatesEveryTick) {
    desktop_.disk = {0, 2000000000, 500000000};
    frmMain& w = Start();
    EXPECT_EQ(w.Label6.Text(), "E:");
    EXPECT_EQ(w.ProgressBar1.Max(), 20);
    EXPECT_EQ(w.ProgressBar1.Value(), 15);
    EXPECT_EQ(w.Timer1.Interval(), 8000);

    w.form.RequestClose();  // hidden windows alternate too
    bool shown[] = {true, false, true};
    for (bool expected : shown) {
        w.Timer1.Tick();
        EXPECT_EQ(w.frmDiskInfo.Visible(), expected);
    }
}

TEST_F(MainWindowTest, SafelyRemoveDeviceAsksThenStartsTheToolAndEnds) {
    frmMain& w = Start();
    desktop_.answers = {platform::kIdNo};
    w.mnuPopupRemove->Click();
    EXPECT_FALSE(process_.ended);
    EXPECT_TRUE(shell_.started.empty());
    ASSERT_EQ(desktop_.messages.size(), 1u);
    EXPECT_EQ(desktop_.messages[0].text, "This action will quit Quopa, continue?");
    EXPECT_EQ(desktop_.messages[0].style, platform::kMbIconInformation | platform::kMbYesNo);

    shell_.startResult = false;
    desktop_.answers = {platform::kIdYes};
    w.mnuPopupRemove->Click();
    EXPECT_FALSE(process_.ended) << "a tool that cannot start must not end the launcher";

    shell_.startResult = true;
    desktop_.answers = {platform::kIdYes};
    w.mnuPopupRemove->Click();
    ASSERT_FALSE(shell_.started.empty());
    EXPECT_EQ(shell_.started.back().commandLine, "rundll32 shell32.dll,Control_RunDLL hotplug.dll");
    EXPECT_EQ(shell_.started.back().showCommand, 2);
    EXPECT_TRUE(process_.ended);
    EXPECT_FALSE(tray_.added);
}

}  // namespace
}  // namespace quopa::testing
