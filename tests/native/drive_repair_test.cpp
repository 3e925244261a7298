// A path stored under a fixed drive letter, launched after the stick got another letter.
#include <filesystem>
#include <string>

#include "launch/drive_paths.h"
#include "launch/launcher.h"
#include "platform/headless/headless_desktop.h"
#include "platform/headless/headless_shell.h"
#include "store/data_files.h"
#include "tests/native/ini_fixture.h"

namespace quopa::testing {
namespace {

TEST(OnLauncherDrive, MovesOnlyPathsUnderAnotherDriveLetter) {
    EXPECT_EQ(OnLauncherDrive("F:\\Apps\\Tool.exe", "E:"), "E:\\Apps\\Tool.exe");
    EXPECT_EQ(OnLauncherDrive("f:/x.exe", "\\\\server\\share"), "\\\\server\\share/x.exe");
    for (const char* stays : {"E:\\x.exe", "e:\\x.exe", "x.exe", "http://example.org/x.exe",
                              "\\\\server\\share\\x.exe", "F:x.exe", ""})
        EXPECT_EQ(OnLauncherDrive(stays, "E:"), "") << stays;
    EXPECT_EQ(OnLauncherDrive("F:\\x.exe", ""), "");
}

class DriveRepairTest : public TempDriveTest {
  protected:
    void SetUp() override {
        TempDriveTest::SetUp();
        state.LauncherDrive = "E:";
        other_ = root_ + "_d";
        std::filesystem::create_directories(other_ + "/Apps");
        files_.MapDrive('D', other_);
        std::filesystem::create_directory(Host("Apps"));
        Put("Apps/Tool.exe", "MZ");
    }
    void TearDown() override {
        std::filesystem::remove_all(other_);
        TempDriveTest::TearDown();
    }
    std::string Launched(const std::string& path, const std::string& startIn = "") {
        Put("quopa_apps.dat",
            "[Application1]\r\nName=Tool\r\nPath=" + path + "\r\nStartIn=" + startIn + "\r\n");
        shell.executed.clear();
        launcher.RunApp("application1");
        EXPECT_EQ(ini.ReadIni("Application1", "Path", "", AppsFile("E:\\")), path)
            << "the stored text stays as it was";
        return shell.executed.empty() ? "" : shell.executed[0].file;
    }

    std::string other_;
    platform::HeadlessShell shell;
    platform::HeadlessDesktop desktop{files_};
    modINI ini{files_};
    ProgramState state;
    Launcher launcher{ini, shell, desktop, state, "E:\\Quopa", AppsFile("E:\\"), &files_};
};

TEST_F(DriveRepairTest, AMissingPathIsLaunchedFromTheLaunchersDrive) {
    EXPECT_EQ(Launched("F:\\Apps\\Tool.exe", "F:\\Apps"), "E:\\Apps\\Tool.exe");
    EXPECT_EQ(shell.executed[0].directory, "E:\\Apps");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(DriveRepairTest, AnExistingPathOrOneMissingEverywhereIsLeftAlone) {
    std::ofstream(other_ + "/Apps/Tool.exe") << "MZ";
    EXPECT_EQ(Launched("D:\\Apps\\Tool.exe"), "D:\\Apps\\Tool.exe")
        << "the file on its own drive wins over the copy on the stick";
    EXPECT_EQ(Launched("D:\\Apps\\Gone.exe"), "D:\\Apps\\Gone.exe");
    EXPECT_EQ(Launched("Tool.exe"), "Tool.exe");
}

}  // namespace
}  // namespace quopa::testing
