// The drive's PortableApps apps in the main window: where they show, what the commands do
// with them, the search, the tray, the wizard that takes one into the list, and the box in
// Options that turns them on and off.
#include <filesystem>

#include "editor/frmAddItem.h"
#include "settings/frmOptions.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

constexpr char kApps[] =
    "[Category1]\r\nName=Tools\r\n"
    "[Application1]\r\nName=Listed\r\nPath=%drive%\\PortableApps\\ListedPortable\\Listed.exe\r\n"
    "Category=Tools\r\nType=0\r\n";

class FoundAppsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Put("quopa_settings.dat", "[Settings]\r\nLoadPortableApps=1\r\n");
        Put("quopa_apps.dat", kApps);
        // Folder, name, category, description, program.
        const char* apps[][5] = {{"EditorPortable", "Editor", "tools", "Edits text", "Editor.exe"},
                                 {"GamePortable", "Game", "Games", "Plays", "Game.exe"},
                                 {"ListedPortable", "Listed again", "Tools", "", "LISTED.exe"}};
        for (const auto& a : apps) {
            const std::string info = std::string("PortableApps/") + a[0] + "/App/AppInfo";
            std::filesystem::create_directories(Host(info));
            Put(info + "/appinfo.ini", std::string("[Details]\r\nName=") + a[1] +
                                           "\r\nCategory=" + a[2] + "\r\nDescription=" + a[3] +
                                           "\r\n[Control]\r\nStart=" + a[4] + "\r\n");
        }
        w_ = &Start();
    }
    void Look() {
        while (w_->Found().Looking()) w_->Found().Continue();
    }
    Strings Texts(const std::string& key) const {
        return Each(w_->TreeView1.Find(key)->Children(), [](auto* node) { return node->Text(); });
    }
    ui::TreeNode* Found(const std::string& folder) const {
        return w_->TreeView1.Find("portableapps:" + folder);
    }

    frmMain* w_ = nullptr;
};

// They join their category, or one shown for them only, and never repeat a listed one; they
// run in their own folder, and neither they nor a category shown for them only can be
// edited, renamed or deleted.
TEST_F(FoundAppsTest, FoundAppsJoinTheirCategoryRunInTheirFolderAndAreNoOnesToChange) {
    EXPECT_EQ(Texts("Tools"), Strings{"Listed"}) << "none before the look";
    Look();
    EXPECT_EQ(Texts("Tools"), (Strings{"Listed", "Editor"}))
        << "letter case ignored, in category and in file";
    const ui::TreeNode* games = Found("gameportable")->Parent();
    EXPECT_TRUE(games->Text() == "Games" && games->Expanded());
    w_->IntList();
    EXPECT_NE(Found("editorportable"), nullptr) << "a rebuild keeps them, without a new look";
    for (const char* key : {"editorportable", "category:games"}) {
        w_->TreeView1.UserSelected(Found(key));
        w_->TreeView1_KeyDown(46);
        w_->cmdEdit.Click();
        w_->TreeView1.UserEditedLabel(*Found(key), "Mine");
        backend_.DoEvents();
    }
    EXPECT_EQ(Found("editorportable")->Text() + Found("category:games")->Text(), "EditorGames");
    EXPECT_TRUE(desktop_.messages.empty() && backend_.modalForms.empty());
    EXPECT_EQ(Get("quopa_apps.dat"), kApps) << "nothing found is written";
    w_->TreeView1.UserSelected(Found("editorportable"));
    EXPECT_EQ(Panel(*w_), "+-- Editor: From the PortableApps folder.\r\nEdits text");
    w_->cmdRun.Click();
    EXPECT_EQ(shell_.executed.back().file + " in " + shell_.executed.back().directory,
              "E:\\PortableApps\\EditorPortable\\Editor.exe in E:\\PortableApps\\EditorPortable");
}

TEST_F(FoundAppsTest, AddToMyListFillsTheWizardAndTheOptionsBoxTurnsThemOff) {
    Look();
    w_->TreeView1.onMouseUp(
        {ui::MouseButton::Right, 600, RowY(w_->TreeView1, "portableapps:editorportable")});
    EXPECT_EQ(w_->form.LastPopup(), &w_->mnuFoundRightClick);
    frmAddItem wizard(ctx_, w_->TreeView1, {});
    wizard.Create();
    EXPECT_EQ(wizard.Combo1.ListCount(), 2) << "Quopa and Tools: not the found apps' Games";
    backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });  // Finish
    w_->mnuFoundAdd->Click();
    EXPECT_EQ(
        Each(Strings{"Name", "Path", "StartIn", "Category", "Description"},
             [&](auto& key) { return ini_.ReadIni("Application2", key, "", w_->AppsFile()); }),
        (Strings{"Editor", "%drive%\\PortableApps\\EditorPortable\\Editor.exe",
                 "%drive%\\PortableApps\\EditorPortable", "Tools", "Edits text"}));
    EXPECT_EQ(Found("editorportable"), nullptr);
    // The box in Options stores the choice, which takes effect at once.
    frmOptions dlg(ctx_, [&] { w_->ApplyPortableApps(); });
    dlg.Create();
    EXPECT_EQ(dlg.chkPortableApps.Value(), 1);
    dlg.chkPortableApps.UserClicked();
    dlg.cmdApply.Click();
    EXPECT_NE(Get("quopa_settings.dat").find("LoadPortableApps=0"), std::string::npos);
    EXPECT_EQ(Found("gameportable"), nullptr) << "gone at once";
    EXPECT_EQ(Found("category:games"), nullptr);
    EXPECT_EQ(TrayRun(), (Strings{"Listed", "Editor"}));
    dlg.chkPortableApps.UserClicked();
    dlg.cmdOK.Click();
    Look();
    EXPECT_NE(Found("gameportable"), nullptr) << "turned on, the next look shows them";
}

}  // namespace
}  // namespace quopa::testing
