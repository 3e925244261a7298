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

// Found nodes are not categories of the list: what is dropped on them goes to the found
// app's user category, else to the main one, and shows once the tree is built again. The
// open wizard takes one thing dropped, "Add to my list" says why it waits, and a found app
// taken into the list is not added again when its program is dropped.
TEST_F(TogetherTest, DropsOnFoundNodesLandInAUserCategoryOrTheWizardAndSkipTwins) {
    Package("EditorPortable",
            "[Details]\r\nName=Editor\r\nCategory=Tools\r\n"
            "[Control]\r\nStart=Editor.exe\r\n");
    Package("WriterPortable",
            "[Details]\r\nName=Writer\r\nCategory=Office\r\n"
            "[Control]\r\nStart=Writer.exe\r\n");
    for (const char* file : {"e.exe", "f.exe", "g.exe", "h.exe"}) Put(file, "MZ");
    Put("PortableApps/EditorPortable/Editor.exe", "MZ");
    StartWith("[Category1]\r\nName=Tools\r\n" + App(1, "Notepad", "%drive%\\np.exe", "Tools"));
    Look();
    auto drop = [&](Strings paths, const std::string& key) {
        w_->TreeView1.UserDropped({.paths = paths, .x = 600, .y = RowY(w_->TreeView1, key)});
        backend_.DoEvents();
    };
    drop({"E:\\e.exe", "E:\\f.exe"}, "portableapps:category:office");
    EXPECT_EQ(LastMessage(), "2 items were added to Quopa Drive:\r\ne\r\nf");
    for (int n = 0; n < 2; ++n)
        backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });
    drop({"E:\\g.exe"}, "portableapps:editorportable");
    w_->OpenAddFound("portableapps:editorportable");
    w_->IntList();
    Look();
    EXPECT_EQ(Node("application3").Parent()->Key(), "Quopa");
    EXPECT_EQ(Node("application4").Parent()->Key(), "Tools");
    drop({"E:\\PortableApps\\EditorPortable\\Editor.exe"}, "Tools");
    EXPECT_EQ(LastMessage(), "Already in the list, so not added again:\r\nEditor");
    w_->OpenAddItem("Tools", true);
    drop({"E:\\h.exe"}, "portableapps:writerportable");
    frmAddItem& wizard = *w_->ModelessWizard();
    EXPECT_EQ((Strings{wizard.txtAppPath.Text(), wizard.Combo1.Text()}),
              (Strings{"%drive%\\h.exe", "Quopa"}));
    w_->OpenAddFound("portableapps:writerportable");
    EXPECT_EQ(LastMessage(), "An item is being added already. Finish or cancel it first.");
}

// ---- Typed names and values as the next load reads them back

}  // namespace
}  // namespace quopa::testing
