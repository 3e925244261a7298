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

// ---- Drops on found apps and on categories shown only for them

// ---- Typed names and values as the next load reads them back

}  // namespace
}  // namespace quopa::testing
