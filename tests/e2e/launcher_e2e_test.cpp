// quopa.exe as a user meets it, started from a temporary drive under Wine.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include "app/command_ids.h"
#include "tests/e2e/launcher_fixture.h"
#include "tests/e2e/user_actions.h"

namespace e2e {
namespace {

TEST_F(LauncherE2E, StartsWithDriveCaptionRefusesSecondCopyAndExitsFromFileMenu) {
    Launcher first;
    HWND main = StartMain(first);
    ASSERT_NE(main, nullptr);
    std::string expected = std::string(kTitle) + " [" + drive_.drive() + "]";
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

bool TrayIconPresent(HWND main) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = main;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

std::string AppsFileWithEveryKind(const std::string& folder) {
    auto item = [](int n, const std::string& name, const std::string& path,
                   const std::string& category, int type, const std::string& parameters,
                   const std::string& startIn) {
        return "[Application" + std::to_string(n) + "]\r\nName=" + name +
               "\r\nDescription=\r\nPath=" + path + "\r\nCategory=" + category +
               "\r\nAutorun=0\r\nType=" + std::to_string(type) + "\r\nParameters=\"" + parameters +
               "\"\r\nStartIn=" + startIn + "\r\nWindowStyle=Normal\r\n";
    };
    return "[Category1]\r\nName=Tools\r\n[Category2]\r\nName=Web\r\n" +
           item(1, "Marker", "C:\\windows\\system32\\cmd.exe", "Tools", 0,
                "/c echo ran> marker.txt", folder) +
           item(2, "Site", "http://localhost/", "Web", 1, "", "") +
           item(3, "", "%drive%\\gone.exe", "Tools", 0, "", "") +
           item(4, "Readme", "%drive%\\readme.txt", "Quopa", 0, "", "");
}

TEST_F(LauncherE2E, ShowsTheTreeDocksAboveTheTaskbarAndRunsItemsFromTheTrayMenu) {
    WriteFile(DataFile("quopa_apps.dat"), AppsFileWithEveryKind(drive_.folder()));
    Launcher launcher;
    HWND main = StartMain(launcher);
    ASSERT_NE(main, nullptr);

    HWND tree = FindChild(main, WC_TREEVIEWA);
    ASSERT_NE(tree, nullptr);
    std::vector<RemoteNode> nodes;
    for (int i = 0; i < 50 && nodes.size() < 6; ++i, Sleep(100))
        nodes = ReadTree(tree, launcher.Pid());
    ASSERT_EQ(nodes.size(), 6u);
    const std::pair<const char*, const char*> expected[] = {
        {"Quopa Drive", ""}, {"Readme", "Quopa Drive"},
        {"Tools", ""},       {"Marker", "Tools"},
        {"Web", ""},         {"Site", "Web"}};
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        EXPECT_EQ(nodes[i].text, expected[i].first) << i;
        EXPECT_EQ(nodes[i].parentText, expected[i].second) << i;
    }

    ExpectDocked(main);

    EXPECT_TRUE(TrayIconPresent(main));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(quopa::cmd::kPopupApplicationBase + 1, 0), 0);
    std::string marker = drive_.folder() + "\\marker.txt";
    for (int i = 0; i < 100 && !FileThere(marker); ++i) Sleep(100);
    EXPECT_TRUE(FileThere(marker)) << "the tray's Run entry did not reach the shell";

    ExitThroughMenu(launcher, main);
    EXPECT_FALSE(TrayIconPresent(main)) << "a tray icon was left behind";
}

TEST_F(LauncherE2E, DocksAboveTheTaskbarAt200PerCent) {
    ScreenDpi dpi(192);
    Launcher launcher;
    HWND main = StartMain(launcher);
    ASSERT_NE(main, nullptr);
    // The window shows before it is placed; the tree is built last.
    HWND tree = FindChild(main, WC_TREEVIEWA);
    for (int i = 0; i < 50 && ReadTree(tree, launcher.Pid()).empty(); ++i) Sleep(100);
    RECT r = {};
    GetWindowRect(main, &r);
    EXPECT_GT(r.right - r.left, 2 * 7740 / 15 - 20) << "the window did not grow with the dpi";
    ExpectDocked(main);
    ExitThroughMenu(launcher, main);
}

}  // namespace
}  // namespace e2e
