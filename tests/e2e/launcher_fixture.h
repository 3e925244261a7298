#pragma once
// quopa.exe started from a folder of its own on the test drive, as a user starts it.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include "app/command_ids.h"
#include "tests/e2e/remote.h"

namespace e2e {

inline constexpr char kMainClass[] = "QuopaMainWindow";
inline constexpr char kTitle[] = "Quopa Application Launcher";

// A folder of its own on the test drive (QUOPA_E2E_DRIVE, mapped by the test's wrapper),
// so the caption and the %drive% token are known; a temporary folder on C: without one.
class TempDrive {
  public:
    TempDrive() {
        drive_ = Env("QUOPA_E2E_DRIVE");
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        if (!drive_.empty()) {
            folder_ = drive_ + "\\" + test->name();
            CreateDirectoryA(folder_.c_str(), nullptr);
        } else {
            folder_ = TempFolder("quopa-e2e-");
            drive_ = folder_.substr(0, 2);
        }
    }
    const std::string& drive() const { return drive_; }  // "Q:"
    std::string root() const { return folder_ + "\\"; }
    const std::string& folder() const { return folder_; }

  private:
    std::string drive_;
    std::string folder_;
};

class LauncherE2E : public ::testing::Test {
  protected:
    // The variable names the build under test: the release, or the test build that asks
    // a server on this machine for updates.
    explicit LauncherE2E(const char* exeVariable = "QUOPA_EXE") : exeVariable_(exeVariable) {}
    void SetUp() override {
        std::string source = WinePath(Env(exeVariable_));
        ASSERT_FALSE(source.empty()) << exeVariable_ << " names the exe under test";
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

    // The right edge on the screen's, the bottom on the taskbar's top, to the pixel a
    // round trip through twips may cost.
    static void ExpectDocked(HWND main) {
        RECT r = {};
        GetWindowRect(main, &r);
        APPBARDATA bar = {};
        bar.cbSize = sizeof(bar);
        SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
        EXPECT_NEAR(r.right, GetSystemMetrics(SM_CXSCREEN), 1);
        EXPECT_NEAR(r.bottom, GetSystemMetrics(SM_CYSCREEN) - (bar.rc.bottom - bar.rc.top), 1);
    }

    TempDrive drive_;
    std::string exe_;

  private:
    const char* exeVariable_;
};

// A launcher started over an apps file of the test's, its tree read across the process
// boundary; left through File, Exit.
class TreeE2E : public LauncherE2E {
  protected:
    using LauncherE2E::LauncherE2E;
    void StartWith(const std::string& apps, std::size_t nodes) {
        WriteFile(DataFile("quopa_apps.dat"), apps);
        main_ = StartMain(launcher_);
        ASSERT_NE(main_, nullptr);
        tree_ = FindChild(main_, WC_TREEVIEWA);
        ASSERT_NE(tree_, nullptr);
        WaitUntil([&] { return Nodes().size() >= nodes; }, 5000);
        ASSERT_EQ(Nodes().size(), nodes);
    }
    void TearDown() override {
        if (main_ && launcher_.Running()) ExitThroughMenu(launcher_, main_);
    }
    std::vector<RemoteNode> Nodes() const { return ReadTree(tree_, launcher_.Pid()); }
    HTREEITEM Item(const std::string& text) const {
        for (const RemoteNode& node : Nodes())
            if (node.text == text) return node.item;
        return nullptr;
    }
    // A left click on the item's text, as the mouse sends it.
    void ClickItem(const std::string& text) {
        RECT r = {};
        ASSERT_TRUE(ItemRect(tree_, launcher_.Pid(), Item(text), r)) << text;
        const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        PostMessageA(tree_, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(tree_, WM_LBUTTONUP, 0, at);
        Settle();
    }
    // Lets the launcher handle what was posted to it.
    void Settle() const {
        DWORD_PTR ignored;
        SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        Sleep(200);
    }
    // A menu command, as the menu posts it.
    void Command(int id) const { PostMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    std::string AppsFile() const { return ReadFile(DataFile("quopa_apps.dat")); }

    Launcher launcher_;
    HWND main_ = nullptr;
    HWND tree_ = nullptr;
};

}  // namespace e2e
