#include <string>

#include "launch/drive_paths.h"
#include "launch/shell_rules.h"
#include "tests/native/tree_fixture.h"

namespace quopa::testing {
namespace {

TEST(LaunchRules, WindowStylesAndShellErrorsMapExactly) {
    EXPECT_EQ(WindowStyleToShow("Normal"), 10);
    EXPECT_EQ(WindowStyleToShow("Minimized"), 6);
    EXPECT_EQ(WindowStyleToShow("Maximized"), 3);
    for (const char* other : {"", "maximized", "Hidden", " Normal"})
        EXPECT_EQ(WindowStyleToShow(other), 10) << other;

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

TEST(LaunchRules, OnlyPathsUnderAnotherDriveLetterMoveToTheLaunchersDrive) {
    EXPECT_EQ(OnLauncherDrive("F:\\Apps\\Tool.exe", "E:"), "E:\\Apps\\Tool.exe");
    EXPECT_EQ(OnLauncherDrive("f:/x.exe", "\\\\server\\share"), "\\\\server\\share/x.exe");
    for (const char* stays : {"E:\\x.exe", "e:\\x.exe", "x.exe", "http://example.org/x.exe",
                              "\\\\server\\share\\x.exe", "F:x.exe", ""})
        EXPECT_EQ(OnLauncherDrive(stays, "E:"), "") << stays;
    EXPECT_EQ(OnLauncherDrive("F:\\x.exe", ""), "");
}

using LaunchTest = TreeTest;

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
    EXPECT_EQ(Runs(shell),
              (Strings{"E:\\A.EXE||E:\\|3|0", "http://x/setup.exe|-q||6|0", "E:\\a.exe|||1|7",
                       "E:\\a.exe|||1|7", "E:\\a.exe|||1|7", "E:\\a.exe|||1|7"}));
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

    shell.executeResult = 2;
    launcher.RunApp("application9");  // no such item: the shell's error, and no file made
    EXPECT_EQ(shell.executed.back().file, "");
    EXPECT_EQ(desktop.messages.back().text, "File not found - ");
    EXPECT_FALSE(Exists("quopa_apps.dat"));
}

TEST_F(LaunchTest, RunAppResolvesTheItemAndFallsBackToTheProgramFolder) {
    Put("quopa_apps.dat",
        "[Application7]\r\nPath=%drive%\\Tools\\App.exe\r\nParameters=\"\"\r\nStartIn=\r\n"
        "WindowStyle=Normal\r\n"
        "[Application2]\r\nPath=%drive%\\Docs\\Read Me.TXT\r\nParameters=\"-a -b\"\r\n"
        "StartIn=%DRIVE%\\Docs\\\r\nWindowStyle=Maximized\r\n");
    launcher.RunApp("application7");
    launcher.RunApp("Application2");
    // An executable must not start hidden; without a folder it starts in the program's.
    EXPECT_EQ(Runs(shell), (Strings{"E:\\tools\\app.exe||E:\\|10|0",
                                    "E:\\docs\\read me.txt|-a -b|E:\\docs\\|3|0"}));
    EXPECT_EQ(shell.executed[0].operation, "open");
}

// A path stored under a fixed drive letter, launched after the stick got another letter:
// only a path missing where it points, and present on the stick, is moved.
TEST_F(LaunchTest, AMissingPathIsLaunchedFromTheLaunchersDrive) {
    std::filesystem::create_directories(Host("d/Apps"));
    files_.MapDrive('D', Host("d"));
    std::filesystem::create_directory(Host("Apps"));
    Put("Apps/Tool.exe", "MZ");
    Put("d/Apps/Tool.exe", "MZ");
    const auto launched = [&](const std::string& path, const std::string& startIn = "") {
        Put("quopa_apps.dat",
            "[Application1]\r\nName=Tool\r\nPath=" + path + "\r\nStartIn=" + startIn + "\r\n");
        launcher.RunApp("application1");
        EXPECT_EQ(ini.ReadIni("Application1", "Path", "", AppsFile("E:\\")), path)
            << "the stored text stays as it was";
        return shell.executed.back().file + "|" + shell.executed.back().directory;
    };
    EXPECT_EQ(launched("F:\\Apps\\Tool.exe", "F:\\Apps"), "E:\\Apps\\Tool.exe|E:\\Apps");
    EXPECT_EQ(launched("D:\\Apps\\Tool.exe"), "D:\\Apps\\Tool.exe|E:\\")
        << "the file on its own drive wins over the copy on the stick";
    EXPECT_EQ(launched("D:\\Apps\\Gone.exe"), "D:\\Apps\\Gone.exe|E:\\");
    EXPECT_EQ(launched("Tool.exe"), "Tool.exe|E:\\");
    EXPECT_TRUE(desktop.messages.empty());

    EXPECT_TRUE(FileExists(files_, "E:\\Apps\\Tool.exe"));
    EXPECT_FALSE(FileExists(files_, "E:\\Apps"));
    EXPECT_FALSE(FileExists(files_, "E:\\missing.txt"));
}

}  // namespace
}  // namespace quopa::testing
