// Safely Remove Device with programs from the drive still running: they are named, asked
// to close, and ended only when the user says so; the launcher goes on only when none is left.
#include <functional>

#include "app/frmDriveInUse.h"
#include "tests/native/main_window_fixture.h"

namespace quopa::testing {
namespace {

using OnClose = platform::HeadlessRunningPrograms::OnClose;
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

TEST_F(DriveReleaseTest, WithNoneOfTheDrivesProgramsRunningTheRemovalGoesOnAsBefore) {
    w_->mnuRemove->Click();  // only the launcher itself and a program on C: run
    EXPECT_TRUE(backend_.modalForms.empty());
    EXPECT_TRUE(ToolStarted());
    EXPECT_TRUE(process_.ended);
}

TEST_F(DriveReleaseTest, ProgramsThatCloseWhenAskedLetTheRemovalGoOn) {
    programs_.Add(30, "E:\\Apps\\tool.exe", "Tool");
    backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });
    w_->mnuPopupRemove->Click();  // the tray's entry takes the same way
    EXPECT_EQ(programs_.asked, std::vector<std::uint32_t>{30});
    EXPECT_TRUE(ToolStarted());
    EXPECT_TRUE(process_.ended);
}

TEST_F(DriveReleaseTest, WhereProgramsCannotBeListedTheRemovalGoesOnAsBefore) {
    programs_.Add(30, "E:\\Apps\\tool.exe", "Tool");
    programs_.listable = false;
    w_->mnuRemove->Click();
    EXPECT_TRUE(backend_.modalForms.empty());
    EXPECT_TRUE(process_.ended);
}

TEST_F(DriveReleaseTest, TheDrivesProgramsAreListedAskedToCloseAndTheRemovalGoesOn) {
    programs_.Add(30, "e:\\Apps\\tool.exe", "Tool");  // the letter in another case
    programs_.Add(31, "E:\\Games\\chess.exe", "");
    programs_.Add(32, "E:2\\not-the-drive.exe", "");
    DriveRelease release(programs_, "E:");
    ASSERT_TRUE(release.Find());
    ASSERT_EQ(release.Remaining().size(), 2u);
    frmDriveInUse dialog(ctx_, release);
    dialog.Create();
    EXPECT_EQ(dialog.lblPrograms.Text(),
              "Tool - e:\\Apps\\tool.exe\nchess.exe - E:\\Games\\chess.exe");
    backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });  // Close them
    dialog.form.ShowModal(w_->form);
    EXPECT_TRUE(dialog.Proceed);
    EXPECT_EQ(programs_.asked, (std::vector<std::uint32_t>{30, 31}));
    EXPECT_TRUE(programs_.ended.empty());
}

TEST_F(DriveReleaseTest, AProgramThatWillNotCloseIsEndedOnlyWhenTheUserSaysSo) {
    programs_.Add(30, "E:\\Apps\\stubborn.exe", "Stubborn", OnClose::Refuses);
    programs_.Add(31, "E:\\Apps\\editor.exe", "Letter - Editor", OnClose::AsksTheUser);
    bool endOffered = false, endEnabledWhileOnlyWaiting = true;
    std::string afterWait;
    const bool proceed = ShowDialog([&](frmDriveInUse& dialog, ui::Form& f) {
        f.PressEnter();  // Close them
        EXPECT_FALSE(dialog.cmdGo.Enabled()) << "no second request while waiting";
        WaitOut(dialog);
        endOffered = dialog.cmdGo.Text() == "&End them" && dialog.cmdGo.Enabled();
        afterWait = dialog.lblPrograms.Text();
        f.PressEnter();  // End them: the one waiting for its user is left alone
        endEnabledWhileOnlyWaiting = dialog.cmdGo.Enabled();
        programs_.programs[31].state = platform::ProgramState::Gone;  // the user answered
        dialog.Timer1.Tick();
    });
    EXPECT_TRUE(endOffered);
    EXPECT_EQ(afterWait,
              "Stubborn - E:\\Apps\\stubborn.exe\n"
              "Letter - Editor - E:\\Apps\\editor.exe (waiting for you)");
    EXPECT_FALSE(endEnabledWhileOnlyWaiting);
    EXPECT_EQ(programs_.ended, std::vector<std::uint32_t>{30});
    EXPECT_TRUE(proceed);
}

TEST_F(DriveReleaseTest, AListedProgramThatExitsLeavesTheNewcomerWithItsIdAlone) {
    programs_.Add(30, "E:\\Apps\\stubborn.exe", "Stubborn", OnClose::Refuses);
    const bool proceed = ShowDialog([&](frmDriveInUse& dialog, ui::Form& f) {
        // While the list is read, Stubborn exits and the system hands its id on.
        programs_.Add(30, "C:\\Windows\\System32\\notepad.exe", "Untitled - Notepad",
                      OnClose::Refuses);
        f.PressEnter();  // Close them
        WaitOut(dialog);
        if (dialog.cmdGo.Text() == "&End them") f.PressEnter();
    });
    EXPECT_TRUE(programs_.asked.empty());
    EXPECT_TRUE(programs_.ended.empty());
    EXPECT_TRUE(proceed);
}

TEST_F(DriveReleaseTest, AProgramTheSystemWillNotLetUsEndIsMarkedAndLeftToTheUser) {
    programs_.Add(30, "E:\\Apps\\admin.exe", "Admin", OnClose::Refuses).mayEnd = false;
    std::string intro, listed;
    bool endEnabled = true;
    const bool proceed = ShowDialog([&](frmDriveInUse& dialog, ui::Form& f) {
        f.PressEnter();  // Close them
        WaitOut(dialog);
        f.PressEnter();  // End them
        intro = dialog.lblIntro.Text();
        listed = dialog.lblPrograms.Text();
        endEnabled = dialog.cmdGo.Enabled();
        programs_.programs[30].state = platform::ProgramState::Gone;  // the user closed it
        dialog.Timer1.Tick();
    });
    EXPECT_EQ(intro,
              "Some programs could not be ended. Close them yourself and the removal goes on, "
              "or cancel:");
    EXPECT_EQ(listed, "Admin - E:\\Apps\\admin.exe (could not be ended)");
    EXPECT_FALSE(endEnabled);
    EXPECT_TRUE(proceed);
}

TEST_F(DriveReleaseTest, TheRemovalToolStartsInTheSystemFolderWithNoProgramHeld) {
    programs_.Add(30, "E:\\Apps\\tool.exe", "Tool");
    backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });
    w_->mnuRemove->Click();
    ASSERT_TRUE(ToolStarted());
    EXPECT_EQ(shell_.started.back().directory, "C:\\Windows\\System32");
    EXPECT_EQ(programs_.held, 0);
}

TEST_F(DriveReleaseTest, CancelWhenAskedToEndThemEndsNothing) {
    programs_.Add(30, "E:\\Apps\\stubborn.exe", "Stubborn", OnClose::Refuses);
    EXPECT_FALSE(ShowDialog([](frmDriveInUse& dialog, ui::Form& f) {
        f.PressEnter();
        WaitOut(dialog);
        f.PressEscape();
    }));
    EXPECT_TRUE(programs_.ended.empty());
}

struct CancelCase {
    const char* name;
    int closeClicks;  // 0: cancel at the list; 1: while the programs are asked to close
};

class CancelTest : public DriveReleaseTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelTest, CancelAtAnyStepLeavesTheProgramsAndTheLauncherRunning) {
    programs_.Add(30, "E:\\Apps\\stubborn.exe", "Stubborn", OnClose::Refuses);
    const int step = GetParam().closeClicks;
    backend_.modalActions.push_back([step](ui::Form& f) {
        if (step >= 1) f.PressEnter();
        f.PressEscape();
    });
    w_->mnuRemove->Click();
    EXPECT_EQ(backend_.modalForms,
              std::vector<std::string>{"Programs still running from the drive"});
    EXPECT_TRUE(programs_.ended.empty());
    EXPECT_FALSE(ToolStarted());
    EXPECT_FALSE(process_.ended);
    EXPECT_EQ(programs_.asked.size(), step >= 1 ? 1u : 0u);
    EXPECT_TRUE(w_->form.Enabled()) << "the launcher is usable again";
}

INSTANTIATE_TEST_SUITE_P(Steps, CancelTest,
                         ::testing::Values(CancelCase{"AtTheList", 0},
                                           CancelCase{"WhileWaiting", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quopa::testing
