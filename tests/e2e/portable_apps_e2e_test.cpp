// The drive's PortableApps apps on the real quopa.exe: the box in Options brings them into
// the tree, one runs in its own folder, a restart shows them again, unticking takes them away.
#include "tests/e2e/launcher_fixture.h"

namespace e2e {
namespace {

class PortableAppsE2E : public TreeE2E {
  protected:
    void SetUp() override {
        TreeE2E::SetUp();
        root_ = drive_.drive() + "\\PortableApps";
        app_ = root_ + "\\DriveToolPortable";
        for (const std::string& folder : {root_, app_, app_ + "\\App", app_ + "\\App\\AppInfo"})
            CreateDirectoryA(folder.c_str(), nullptr);
        WriteFile(app_ + "\\App\\AppInfo\\appinfo.ini",
                  "\xEF\xBB\xBF[Details]\r\nName=Drive Tool\r\nCategory=Utilities\r\n"
                  "Description=Checks the drive\r\n[Control]\r\nStart=DriveToolPortable.exe\r\n");
        const std::string program = WinePath(Env("QUOPA_DRIVE_PROGRAM"));
        ASSERT_TRUE(CopyFileA(program.c_str(), (app_ + "\\DriveToolPortable.exe").c_str(), FALSE));
    }
    void TearDown() override {
        TreeE2E::TearDown();
        for (const char* file :
             {"\\DriveToolPortable.exe", "\\cwd.txt", "\\App\\AppInfo\\appinfo.ini"})
            DeleteFileA((app_ + file).c_str());
        for (const std::string& folder : {app_ + "\\App\\AppInfo", app_ + "\\App", app_, root_})
            RemoveDirectoryA(folder.c_str());
    }
    // Ticks or clears the box in the real Options window and presses OK.
    void SetBox(bool on) {
        Command(quopa::cmd::kOptions);
        HWND options = launcher_.WaitWindow("QuopaOptions", 10000);
        ASSERT_NE(options, nullptr);
        HWND box = FindChild(options, "Button", "Load PortableApps applications");
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(IsWindowEnabled(box));
        if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != on) Click(box);
        Click(FindChild(options, "Button", "&OK"));
        ASSERT_TRUE(WaitGone(options));
    }
    bool Shown(const std::string& text) const { return Item(text) != nullptr; }

    std::string root_, app_;
};

TEST_F(PortableAppsE2E, TickedTheDrivesAppsShowRunInTheirFolderAndComeBackUntilCleared) {
    StartWith("", 1);
    EXPECT_FALSE(Shown("Drive Tool"));
    SetBox(true);
    ASSERT_TRUE(WaitUntil([&] { return Shown("Drive Tool"); }, 5000)) << "not found";
    EXPECT_TRUE(Shown("Utilities"));

    ClickItem("Drive Tool");
    Click(FindChild(main_, "Button", "&Run"));
    // The program writes its folder once it runs; the file exists a moment before that.
    EXPECT_TRUE(WaitUntil([&] { return ReadFile(app_ + "\\cwd.txt") == app_; }, 10000))
        << ReadFile(app_ + "\\cwd.txt");
    EXPECT_EQ(AppsFile(), "") << "a found app is not written to the list";

    ExitThroughMenu(launcher_, main_);
    main_ = StartMain(launcher_);
    ASSERT_NE(main_, nullptr);
    tree_ = FindChild(main_, WC_TREEVIEWA);
    EXPECT_TRUE(WaitUntil([&] { return Shown("Drive Tool"); }, 5000)) << "not after a restart";

    SetBox(false);
    Settle();
    EXPECT_FALSE(Shown("Drive Tool"));
    EXPECT_FALSE(Shown("Utilities"));
}

}  // namespace
}  // namespace e2e
