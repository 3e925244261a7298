// Features used together: found apps with the search keys, the tray, drops and the filter;
// typed names read back by a fresh load. Each feature alone is tested beside its code; the
// faults live where they meet.
#include <filesystem>

#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class TogetherTest : public CommandsTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();  // each scenario lays out its own drive, then starts
        Put("quopa_settings.dat", "[Settings]\r\nLoadPortableApps=1\r\n");
    }
    // A package in the drive's PortableApps folder, its appinfo.ini as given.
    void Package(const std::string& folder, const std::string& info) {
        const std::string dir = "PortableApps/" + folder + "/App/AppInfo";
        std::filesystem::create_directories(Host(dir));
        Put(dir + "/appinfo.ini", info);
    }
    frmMain& StartWith(const std::string& apps) {
        Put("quopa_apps.dat", apps);
        w_ = &Start();
        return *w_;
    }
    void Look() {
        while (w_->Found().Looking()) w_->Found().Continue();
    }
    ui::TreeNode* Found(const std::string& folder) const {
        return w_->TreeView1.Find("portableapps:" + folder);
    }
};

// ---- Found apps with the search box's keys and the hot key

// ---- Found apps in the tray, in the filter and in the item-file pass

// ---- Packages as their format writes them: keys, icons, the grey mark, text encodings

// The grey mark follows the program and the picture the package's icon, whichever is there.
TEST_F(TogetherTest, AFoundAppIsGreyWhenItsProgramIsGoneThoughItsIconIsThere) {
    for (const std::string folder : {"Gone", "Here"})
        Package(folder, "[Control]\r\nStart=" + folder + ".exe\r\n");
    Put("PortableApps/Gone/App/AppInfo/appicon.ico", "ico");
    Put("PortableApps/Here/Here.exe", "MZ");
    shell_.ownIcons["E:\\PortableApps\\Gone\\App\\AppInfo\\appicon.ico"] = 0x50;
    StartWith("");
    Look();
    while (w_->tmrItemPass.Enabled()) w_->tmrItemPass.Tick();
    EXPECT_TRUE(Found("gone")->Greyed() && !Found("here")->Greyed());
    EXPECT_EQ(w_->ilIcons.IndexOf("portableapps:gone"),
              w_->ilIcons.IndexOf("file:e:\\portableapps\\gone\\app\\appinfo\\appicon.ico"));
}

// A folder named like an entry of another package, or like a category shown for found apps,
// still has a node of its own, and the tree and the tray each run the one picked.
TEST_F(TogetherTest, FoundAppsNamedAlikeKeepTheirOwnNodesAndRunTheirOwnPrograms) {
    Package("Category",
            "[Control]\r\nIcons=2\r\nStart=c.exe\r\nStart1=one.exe\r\nName1=One\r\n"
            "Start2=two.exe\r\nName2=Two\r\n");
    Package("Category#2", "[Details]\r\nName=Other\r\nCategory=2\r\n[Control]\r\nStart=o.exe\r\n");
    StartWith(App(1, "Notes", "%drive%\\notes.txt"));
    Look();
    const ui::TreeNode* other = Found("category#2");
    ASSERT_TRUE(other && Found("category|2"));
    EXPECT_EQ(other->Parent()->Text() + "/" + other->Text(), "2/Other");
    w_->TreeView1.UserSelected(Found("category|2"));
    w_->cmdRun.Click();
    EXPECT_EQ(TrayRun(), (Strings{"Notes", "One", "Two", "Other"}));
    w_->mnuPopupRun->Items().back()->Click();
    EXPECT_EQ(Executed(), (Strings{"E:\\PortableApps\\Category\\two.exe",
                                   "E:\\PortableApps\\Category#2\\o.exe"}));
}

// ---- Drops on found apps and on categories shown only for them

// ---- Typed names and values as the next load reads them back

}  // namespace
}  // namespace quopa::testing
