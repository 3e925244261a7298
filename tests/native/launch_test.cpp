#include <string>

#include "launch/launcher.h"
#include "launch/shell_rules.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_shell.h"
#include "store/data_files.h"
#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

TEST(WindowStyleRule, MapsTheThreeStoredNamesExactly) {
    EXPECT_EQ(WindowStyleToShow("Normal"), 10);
    EXPECT_EQ(WindowStyleToShow("Minimized"), 6);
    EXPECT_EQ(WindowStyleToShow("Maximized"), 3);
    for (const char* other : {"", "maximized", "Hidden", " Normal"})
        EXPECT_EQ(WindowStyleToShow(other), 10) << other;
}

TEST(ShellErrorTable, KeepsTheTextsVerbatim) {
    EXPECT_STREQ(ShellErrorMessage(0), "Out of memory");
    EXPECT_STREQ(ShellErrorMessage(8), "Out of memory");
    EXPECT_STREQ(ShellErrorMessage(5), "Path/file access error");
    EXPECT_STREQ(ShellErrorMessage(28),
                 "The file could not be opened due to time out.  Please try again in a moment.");
    EXPECT_STREQ(ShellErrorMessage(30),
                 "The file could not be opened because the target application is busy.  "
                 "Please try again in a moment.");
    EXPECT_STREQ(ShellErrorMessage(32), "The specified dynamic-link library was not found.");
    for (int code : {1, 4, 6, 7, 9, 10, 12, 25})
        EXPECT_STREQ(ShellErrorMessage(code),
                     "An error occurred occurred whilst trying to open or print the selected "
                     "file.")
            << code;
    for (int code : {-1, 33, 42}) EXPECT_STREQ(ShellErrorMessage(code), "") << code;
}

class LaunchTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        state.LauncherDrive = "E:";
    }
    platform::ExecuteCall OnlyCall() const {
        if (shell.executed.size() == 1) return shell.executed[0];
        ADD_FAILURE() << shell.executed.size() << " shell calls";
        return {};
    }

    platform::HeadlessShell shell;
    platform::HeadlessDesktop desktop{files_};
    modINI ini{files_};
    ProgramState state;
    const std::string programFolder = "E:\\Quopa";
    Launcher launcher{ini, shell, desktop, state, programFolder, AppsFile("E:\\")};
};

TEST_F(LaunchTest, ReplaceTokenResolvesTheDriveAndLowersTheWholePath) {
    EXPECT_EQ(launcher.ReplaceToken("%DRIVE%\\Apps\\Tool.exe"), "E:\\apps\\tool.exe");
    EXPECT_EQ(launcher.ReplaceToken("\"%Drive%\\A B\\x.EXE\" %drive%\\Y"),
              "\"E:\\a b\\x.exe\" E:\\y");
    EXPECT_EQ(launcher.ReplaceToken("C:\\Keep\\Case.EXE"), "C:\\Keep\\Case.EXE");
    EXPECT_EQ(launcher.ReplaceToken("%drive"), "%drive");
    EXPECT_EQ(launcher.ReplaceToken(""), "");
}

// Without parameters and a folder every start shows normally, whatever the caller asked.
TEST_F(LaunchTest, ExecutablesKeepTheCallersShowCommandOnlyWithParametersOrAFolder) {
    EXPECT_TRUE(launcher.ShellOpenFile("E:\\A.EXE", 3, "", "E:\\", "open", 0));
    EXPECT_TRUE(launcher.ShellOpenFile("http://x/setup.exe", 6, "-q", "", "open", 0));
    for (int show : {0, 3, 6, 10}) launcher.ShellOpenFile("E:\\a.exe", show, "", "", "open", 7);
    ASSERT_EQ(shell.executed.size(), 6u);
    EXPECT_EQ(shell.executed[0].showCommand, 3);
    EXPECT_EQ(shell.executed[0].directory, "E:\\");
    EXPECT_EQ(shell.executed[1].showCommand, 6);
    EXPECT_EQ(shell.executed[1].parameters, "-q");
    for (std::size_t i = 2; i < 6; ++i) {
        EXPECT_EQ(shell.executed[i].showCommand, 1);
        EXPECT_EQ(shell.executed[i].owner, 7u);
    }
}

TEST_F(LaunchTest, RefusalIsShownOnceAndReported) {
    shell.executeResult = 2;
    EXPECT_FALSE(launcher.ShellOpenFile("X:\\a.exe", 10, "", "", "open", 0));
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "File not found - X:\\a.exe");
    EXPECT_EQ(desktop.messages[0].title, kAppTitle);
    EXPECT_EQ(desktop.messages[0].style, platform::kMbIconCritical | platform::kMbOk);

    for (std::intptr_t success : {33, 42, -5}) {
        shell.executeResult = success;
        EXPECT_TRUE(launcher.ShellOpenFile("X:\\a.exe", 10, "", "", "open", 0)) << success;
    }
    EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(LaunchTest, RunAppResolvesTheItemAndFallsBackToTheProgramFolder) {
    Put("quopa_apps.dat",
        "[Application7]\r\nPath=%drive%\\Tools\\App.exe\r\nParameters=\"\"\r\nStartIn=\r\n"
        "WindowStyle=Normal\r\n"
        "[Application2]\r\nPath=%drive%\\Docs\\Read Me.TXT\r\nParameters=\"-a -b\"\r\n"
        "StartIn=%DRIVE%\\Docs\\\r\nWindowStyle=Maximized\r\n");
    launcher.RunApp("application7");
    launcher.RunApp("Application2");
    ASSERT_EQ(shell.executed.size(), 2u);
    const auto& plain = shell.executed[0];
    EXPECT_EQ(plain.file, "E:\\tools\\app.exe");
    EXPECT_EQ(plain.directory, programFolder);
    EXPECT_EQ(plain.parameters, "");
    EXPECT_EQ(plain.showCommand, 10) << "an executable must not start hidden";
    EXPECT_EQ(plain.operation, "open");
    EXPECT_EQ(plain.owner, 0u);
    const auto& styled = shell.executed[1];
    EXPECT_EQ(styled.file, "E:\\docs\\read me.txt");
    EXPECT_EQ(styled.parameters, "-a -b");
    EXPECT_EQ(styled.directory, "E:\\docs\\");
    EXPECT_EQ(styled.showCommand, 3);
}

TEST_F(LaunchTest, RunAppOfAMissingItemReportsTheShellsError) {
    shell.executeResult = 2;
    launcher.RunApp("application9");
    EXPECT_EQ(OnlyCall().file, "");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "File not found - ");
    EXPECT_FALSE(Exists("quopa_apps.dat")) << "reading must not create the apps file";
}

TEST_F(LaunchTest, FileExistsOnlyForFiles) {
    Put("a.txt", "x");
    std::filesystem::create_directory(Host("dir"));
    EXPECT_TRUE(FileExists(files_, "E:\\a.txt"));
    EXPECT_FALSE(FileExists(files_, "E:\\dir"));
    EXPECT_FALSE(FileExists(files_, "E:\\missing.txt"));
}

}  // namespace
}  // namespace quopa::testing
