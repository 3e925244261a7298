// The main window from start to exit, and Safely Remove Device with programs from the drive
// still running: they are named, asked to close, and ended only when the user says so; the
// launcher goes on only when none is left.
#include <functional>

#include "app/command_ids.h"
#include "app/disk_units.h"
#include "app/frmDriveInUse.h"
#include "tests/native/main_window_fixture.h"

namespace quopa::testing {
namespace {

// What the user sees, in order: the window, docked, then the tray icon with the drive in its
// tip, the disk display, and last the tree's autorun launch. The disk display alternates with
// the panel at each tick, hidden or not.
TEST_F(MainWindowTest, StartsInTheFixedOrderAndShowsTheDriveAndItsDiskAndASecondCopyNot) {
    Put("quopa_apps.dat", App(1, "Notes", "%drive%\\n.txt") + "Autorun=1\r\n");
    desktop_.disk = {0, 2000000000, 500000000};
    frmMain& w = Start();
    EXPECT_EQ(log_.entries, (Strings{"place 0,0",  // narrowed before it shows
                                     "instance check", "show Quopa Application Launcher",
                                     "place 7620,5280", "tray add Quopa Application Launcher [E:]",
                                     "disk E:\\", "execute E:\\n.txt"}));
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(w.Label6.Text(), "E:");
    EXPECT_EQ(std::pair(w.ProgressBar1.Max(), w.ProgressBar1.Value()), std::pair(20, 15));
    w.form.RequestClose();
    for (bool expected : {false, true, false, true}) {
        EXPECT_EQ(w.frmDiskInfo.Visible(), expected);
        w.Timer1.Tick();
    }
    log_.entries.clear();
    process_.anotherInstance = true;  // a second copy is refused before it shows anything
    Start();
    EXPECT_EQ(Told(), (Boxes{{"Quopa is already running!", kCritical}}));
    EXPECT_EQ(log_.entries,
              (Strings{"place 0,0", "instance check", "message Quopa is already running!", "end"}));
}

// The drive is the first piece of the program folder, named once in the caption; the tray's
// tip is the caption cut to what the shell holds.
TEST_F(MainWindowTest, TheCaptionNamesTheDriveOnceAndTheTipIsItCut) {
    const std::string longShare = "\\\\server\\" + std::string(60, 's');
    for (const auto& [folder, drive] : {std::pair<std::string, std::string>{"E:\\", "E:"},
                                        {"E:\\Tools\\Launcher", "E:"},
                                        {"\\\\server\\share\\q", "\\\\server\\share"},
                                        {longShare + "\\Quopa", longShare}}) {
        process_.programFolder = folder;
        frmMain& w = Start();
        w.AddDriveToCaption();
        EXPECT_EQ(state_.LauncherDrive, drive);
        EXPECT_EQ(w.form.Text(), "Quopa Application Launcher [" + drive + "]");
        EXPECT_EQ(tray_.tip, w.form.Text().substr(0, 63));
    }
}

// Closing and minimising only hide the window; the tray's left clicks bring it back to the
// front, its right click opens the menu, and a plain move means nothing.
TEST_F(MainWindowTest, CloseMinimiseAndTheTrayHideAndBringBackTheWindowAndExitEndsIt) {
    frmMain& w = Start();
    auto shown = [&] { return w.form.Visible() && w.form.State() == ui::WindowState::Normal; };
    std::vector<bool> seen;
    EXPECT_FALSE(w.form.RequestClose());
    seen.push_back(shown());
    w.mnuPopupShow_Click();
    seen.push_back(shown());
    w.form.SystemChangedState(ui::WindowState::Minimized);
    seen.push_back(w.form.Visible());
    desktop_.foregroundCalls.clear();
    for (ui::TrayMouse mouse :
         {ui::TrayMouse::LeftUp, ui::TrayMouse::LeftDoubleClick, ui::TrayMouse::Other}) {
        w.form.RequestClose();
        w.form.RaiseTrayNotify(mouse);
        seen.push_back(shown());
    }
    EXPECT_EQ(seen, (std::vector<bool>{false, true, false, true, true, false}));
    EXPECT_EQ(desktop_.foregroundCalls.size(), 2u);
    w.form.RaiseTrayNotify(ui::TrayMouse::RightUp);
    EXPECT_EQ(w.form.LastPopup(), &w.mPopupSys);
    // Exit from either menu removes the icon and ends without a question.
    ASSERT_TRUE(w.form.RunCommand(w.mnuExit->Id()));
    EXPECT_TRUE(process_.ended && !tray_.added && tray_.removeCalls == 1);
    process_.ended = false;
    w.mnuPopUpExit->Click();
    EXPECT_TRUE(process_.ended && desktop_.messages.empty());
}

// The icon comes back when the shell restarts. The tray's Run entries wait until they are
// wanted, then stand as the loads left them: each where it first came, with the last name
// found, a deleted item's entry still there.
TEST_F(MainWindowTest, TheTrayIconComesBackAndItsRunEntriesAreWhatTheLoadsFound) {
    tray_.addResult = false;  // the taskbar is not there yet at start-up
    Put("quopa_apps.dat", App(2, "Chess", "E:\\c.exe") + App(1, "Notes", "E:\\n.txt"));
    frmMain& w = Start();
    tray_.addResult = true;
    w.form.RaiseTaskbarCreated();
    EXPECT_TRUE(tray_.added && tray_.addCalls == 2);
    EXPECT_EQ(tray_.tip, "Quopa Application Launcher [E:]");
    Put("quopa_apps.dat",
        App(1, "Notebook", "E:\\n.txt") + App(2, "", "E:\\c.exe") + App(3, "Site", "E:\\s.txt"));
    w.IntList();
    w.form.RunCommand(cmd::kPopupApplicationBase + 3);  // sent before the menu ever opened
    EXPECT_EQ(Executed(), Strings{"E:\\s.txt"});
    EXPECT_EQ(TrayRun(), (Strings{"Notebook", "Chess", "Site"}));
}

TEST_F(MainWindowTest, SidebarShowsOwnerDetailsOrTheDefaultsAndOnlyAPictureAsAvatar) {
    Put("quopa_ava.bmp", "not a picture at all");
    frmMain& w = Start();
    EXPECT_EQ(w.lblUserDevice.Text() + "|" + w.lblCity.Text(), "John Doe's Portable Device|City: ");
    EXPECT_EQ(w.picAvatar.GetPicture().handle(), platform::HeadlessDesktop::kAppIconId);
    Put("quopa_settings.dat", "[UserInfo]\r\nUserName=Ann\r\nUserCity=Delft\r\n");
    Put("quopa_ava.bmp", "BM and the rest of a bitmap");
    w.loadsettings();
    EXPECT_EQ(w.lblUserDevice.Text() + "|" + w.lblCity.Text(), "Ann's Portable Device|City: Delft");
    EXPECT_EQ(w.picAvatar.GetPicture().kind(), platform::Picture::Kind::Bitmap);
}

// Units of a hundred million bytes, halves to even; too small to make a unit, a failed query,
// or more free than the whole gives an empty bar rather than a broken range.
TEST(DiskUsageBar, CountsUnitsOfAHundredMillionBytesRoundingHalvesToEven) {
    const long long cases[][4] = {
        {250000000, 0, 2, 2},           {350000000, 0, 4, 4}, {349999999, 0, 3, 3},
        {40000000, 1000, 1, 0},         {0, 0, 1, 0},         {100000000, 200000000, 1, 0},
        {2000000000, 500000000, 20, 15}};
    for (const auto& c : cases) {
        const DiskBar bar = DiskUsageBar(c[0], c[1]);
        EXPECT_EQ(std::pair(bar.max, bar.value), std::pair(int(c[2]), int(c[3]))) << c[0];
    }
}

using OnClose = platform::HeadlessRunningPrograms::OnClose;
using Ids = std::vector<std::uint32_t>;
constexpr char kTool[] = "rundll32 shell32.dll,Control_RunDLL hotplug.dll";

class DriveReleaseTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        programs_.ownId = 7;
        programs_.Add(7, "E:\\quopa.exe", "Quopa Application Launcher [E:]");
        programs_.Add(20, "C:\\Windows\\notepad.exe", "Untitled - Notepad");
        w_ = &Start();
    }
    bool ToolStarted() const {
        return !shell_.started.empty() && shell_.started.back().commandLine == kTool;
    }
    // Ticks the dialog's timer through the whole wait.
    static void WaitOut(frmDriveInUse& d) {
        for (int ms = 0; ms < frmDriveInUse::kWaitMs; ms += frmDriveInUse::kPollMs) d.Timer1.Tick();
    }
    // Lists the drive's programs and shows the dialog, doing what `user` does while it is
    // up; true when the removal may go on.
    bool ShowDialog(const std::function<void(frmDriveInUse&, ui::Form&)>& user) {
        DriveRelease release(programs_, "E:");
        EXPECT_TRUE(release.Find());
        frmDriveInUse dialog(ctx_, release);
        dialog.Create();
        backend_.modalActions.push_back([&](ui::Form& f) { user(dialog, f); });
        dialog.form.ShowModal(w_->form);
        return dialog.Proceed;
    }

    platform::HeadlessRunningPrograms& programs_ = services_.programs;
    frmMain* w_ = nullptr;
};

// Only the launcher itself and a program on C: run, or the programs cannot be listed. The
// user is asked first, and a tool that cannot start must not end the launcher. The tray's
// entry takes the same way; the tool starts in the system folder, so that nothing of ours
// holds the drive.
TEST_F(DriveReleaseTest, WithNothingToAskTheRemovalIsAskedForThenGoesOnAsBefore) {
    desktop_.answers = {platform::kIdNo};
    w_->mnuRemove->Click();
    shell_.startResult = false;
    w_->mnuRemove->Click();
    EXPECT_FALSE(process_.ended);
    const Boxes::value_type asked = {"This action will quit Quopa, continue?",
                                     platform::kMbIconInformation | platform::kMbYesNo};
    EXPECT_EQ(Told(),
              (Boxes{asked, asked, {"The device removal tool could not be started.", kCritical}}));
    shell_.startResult = true;
    w_->mnuPopupRemove->Click();
    ASSERT_TRUE(ToolStarted() && process_.ended && !tray_.added);
    EXPECT_EQ(shell_.started.back().directory, "C:\\Windows\\System32");
    EXPECT_EQ(shell_.started.back().showCommand, 2);
    process_.ended = false;
    programs_.Add(30, "E:\\Apps\\tool.exe", "Tool");
    programs_.listable = false;
    w_->mnuRemove->Click();
    EXPECT_TRUE(backend_.modalForms.empty() && process_.ended);
}

TEST_F(DriveReleaseTest, TheDrivesProgramsAreListedAndAskedToClose) {
    programs_.Add(30, "e:\\Apps\\tool.exe", "Tool");  // the letter in another case
    programs_.Add(31, "E:\\Games\\chess.exe", "");
    programs_.Add(32, "E:2\\not-the-drive.exe", "");
    EXPECT_TRUE(ShowDialog([&](frmDriveInUse& dialog, ui::Form& f) {
        EXPECT_EQ(dialog.lblPrograms.Text(),
                  "Tool - e:\\Apps\\tool.exe\nchess.exe - E:\\Games\\chess.exe");
        f.PressEnter();  // Close them
    }));
    EXPECT_EQ(programs_.asked, (Ids{30, 31}));
    EXPECT_TRUE(programs_.ended.empty() && programs_.held == 0);
}

// One waiting for its user, and one the system will not let us end, are marked and left
// to the user; the removal goes on once they are gone.
TEST_F(DriveReleaseTest, AProgramThatWillNotCloseIsEndedOnlyWhenTheUserSaysSo) {
    programs_.Add(30, "E:\\Apps\\stubborn.exe", "Stubborn", OnClose::Refuses);
    programs_.Add(31, "E:\\Apps\\editor.exe", "Letter - Editor", OnClose::AsksTheUser);
    programs_.Add(32, "E:\\Apps\\admin.exe", "Admin", OnClose::Refuses).mayEnd = false;
    EXPECT_TRUE(ShowDialog([&](frmDriveInUse& dialog, ui::Form& f) {
        f.PressEnter();  // Close them
        EXPECT_FALSE(dialog.cmdGo.Enabled()) << "no second request while waiting";
        WaitOut(dialog);
        EXPECT_TRUE(dialog.cmdGo.Text() == "&End them" && dialog.cmdGo.Enabled());
        EXPECT_EQ(dialog.lblPrograms.Text(),
                  "Stubborn - E:\\Apps\\stubborn.exe\n"
                  "Letter - Editor - E:\\Apps\\editor.exe (waiting for you)\n"
                  "Admin - E:\\Apps\\admin.exe");
        f.PressEnter();  // End them
        EXPECT_FALSE(dialog.cmdGo.Enabled());
        EXPECT_EQ(dialog.lblPrograms.Text(),
                  "Letter - Editor - E:\\Apps\\editor.exe (waiting for you)\n"
                  "Admin - E:\\Apps\\admin.exe (could not be ended)");
        programs_.programs[31].state = platform::ProgramState::Gone;  // the user answered
        programs_.programs[32].state = platform::ProgramState::Gone;  // and closed it
        dialog.Timer1.Tick();
    }));
    EXPECT_EQ(programs_.ended, Ids{30});
}

TEST_F(DriveReleaseTest, AListedProgramThatExitsLeavesTheNewcomerWithItsIdAlone) {
    programs_.Add(30, "E:\\Apps\\stubborn.exe", "Stubborn", OnClose::Refuses);
    EXPECT_TRUE(ShowDialog([&](frmDriveInUse& dialog, ui::Form& f) {
        // While the list is read, Stubborn exits and the system hands its id on.
        programs_.Add(30, "C:\\Windows\\System32\\notepad.exe", "Untitled - Notepad",
                      OnClose::Refuses);
        f.PressEnter();  // Close them
        WaitOut(dialog);
        if (dialog.cmdGo.Text() == "&End them") f.PressEnter();
    }));
    EXPECT_TRUE(programs_.asked.empty() && programs_.ended.empty());
}

// While the programs are asked to close, or when asked to end them.
TEST_F(DriveReleaseTest, CancelAtAnyStepLeavesTheProgramsAndTheLauncherRunning) {
    programs_.Add(30, "E:\\Apps\\stubborn.exe", "Stubborn", OnClose::Refuses);
    backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(), f.PressEscape(); });
    w_->mnuRemove->Click();
    EXPECT_EQ(backend_.modalForms, Strings{"Programs still running from the drive"});
    EXPECT_EQ(programs_.asked, Ids{30});
    EXPECT_FALSE(ToolStarted() || process_.ended);
    EXPECT_TRUE(w_->form.Enabled()) << "the launcher is usable again";
    EXPECT_FALSE(ShowDialog([](frmDriveInUse& dialog, ui::Form& f) {
        f.PressEnter();
        WaitOut(dialog);
        f.PressEscape();
    }));
    EXPECT_TRUE(programs_.ended.empty());
}

}  // namespace
}  // namespace quopa::testing
