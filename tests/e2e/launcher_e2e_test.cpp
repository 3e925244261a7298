// quopa.exe as a user meets it, started from a temporary drive under Wine.
#include <gtest/gtest.h>
#include <shellapi.h>

#include "app/command_ids.h"
#include "tests/e2e/remote.h"

namespace e2e {
namespace {

constexpr char kMainClass[] = "QuopaMainWindow";
constexpr char kTitle[] = "Quopa Application Launcher";

// A drive letter of its own, so the caption and the %drive% token are known.
class TempDrive {
public:
    TempDrive() : folder_(TempFolder("quopa-e2e-")) {
        for (char letter = 'Q'; letter <= 'Y'; ++letter) {
            std::string name = std::string(1, letter) + ":";
            if (GetDriveTypeA((name + "\\").c_str()) != DRIVE_NO_ROOT_DIR) continue;
            if (DefineDosDeviceA(0, name.c_str(), folder_.c_str())) {
                drive_ = name;
                break;
            }
        }
    }
    ~TempDrive() {
        if (!drive_.empty())
            DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, drive_.c_str(),
                             folder_.c_str());
    }
    const std::string& drive() const { return drive_; }  // "Q:", or empty when none
    // The drive's root as the launcher sees it, or the folder when no letter was free.
    std::string root() const { return drive_.empty() ? folder_ : drive_ + "\\"; }
    const std::string& folder() const { return folder_; }

private:
    std::string folder_;
    std::string drive_;
};

class LauncherE2E : public ::testing::Test {
protected:
    void SetUp() override {
        std::string source = WinePath(Env("QUOPA_EXE"));
        ASSERT_FALSE(source.empty()) << "QUOPA_EXE names the exe under test";
        exe_ = drive_.root() + "quopa.exe";
        ASSERT_TRUE(CopyFileA(source.c_str(), exe_.c_str(), FALSE)) << source;
    }
    std::string DataFile(const char* name) const { return drive_.root() + name; }

    // Starts the launcher and waits for its main window.
    HWND StartMain(Launcher& launcher) {
        EXPECT_TRUE(launcher.Start(exe_, drive_.root()));
        HWND main = launcher.WaitWindow(kMainClass);
        EXPECT_NE(main, nullptr) << "no main window";
        return main;
    }
    void ExitThroughMenu(Launcher& launcher, HWND main) {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(quopa::cmd::kExit, 0), 0);
        DWORD code = 99;
        ASSERT_TRUE(launcher.WaitExit(10000, &code)) << "File, Exit did not end the program";
        EXPECT_EQ(code, 0u);
    }

    TempDrive drive_;
    std::string exe_;
};

TEST_F(LauncherE2E, StartsWithDriveCaptionRefusesSecondCopyAndExitsFromFileMenu) {
    Launcher first;
    HWND main = StartMain(first);
    ASSERT_NE(main, nullptr);
    std::string expected = std::string(kTitle) + " [" +
                           (drive_.drive().empty() ? drive_.folder().substr(0, 2) : drive_.drive()) +
                           "]";
    EXPECT_EQ(WindowText(main), expected);

    Launcher second;
    ASSERT_TRUE(second.Start(exe_, drive_.root()));
    HWND refusal = second.WaitWindow("#32770");
    ASSERT_NE(refusal, nullptr) << "the second copy showed no message";
    EXPECT_EQ(WindowText(refusal), kTitle);
    EXPECT_NE(FindChild(refusal, "Static", "Quopa is already running!"), nullptr);
    EXPECT_EQ(second.WaitWindow(kMainClass, 500), nullptr) << "the second copy showed a window";
    SendMessageA(refusal, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(second.WaitExit(10000)) << "the second copy did not end";
    EXPECT_TRUE(first.Running());
    EXPECT_TRUE(IsWindowVisible(main));

    ExitThroughMenu(first, main);
}

TEST_F(LauncherE2E, CloseBoxHidesTheWindowAndTheTrayBringsItBack) {
    Launcher launcher;
    HWND main = StartMain(launcher);
    ASSERT_NE(main, nullptr);
    SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_TRUE(launcher.Running());

    // A real mouse move over the window must not act as a tray click.
    SendMessageA(main, WM_MOUSEMOVE, 0, MAKELPARAM(514, 10));
    EXPECT_FALSE(IsWindowVisible(main));

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(quopa::cmd::kPopupShow, 0), 0);
    for (int i = 0; i < 50 && !IsWindowVisible(main); ++i) Sleep(100);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(IsIconic(main));
    ExitThroughMenu(launcher, main);
}

}  // namespace
}  // namespace e2e
