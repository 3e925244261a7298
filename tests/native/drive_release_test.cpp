// Safely Remove Device with programs from the drive still running: they are named, asked
// to close, and ended only when the user says so; the launcher goes on only when none is left.
#include <functional>

#include "app/frmDriveInUse.h"
#include "tests/native/main_window_fixture.h"

namespace quopa::testing {
namespace {

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
    EXPECT_TRUE(ToolStarted() && process_.ended && !tray_.added);
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
        EXPECT_EQ(dialog.lblIntro.Text(),
                  "Some programs could not be ended. Close them yourself and the removal goes "
                  "on, or cancel:");
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
