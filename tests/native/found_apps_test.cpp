// The drive's PortableApps apps in the main window: where they show, what the commands do
// with them, the search, the tray, the wizard that takes one into the list, and the box in
// Options that turns them on and off.
#include <algorithm>
#include <filesystem>

#include "editor/frmAddItem.h"
#include "settings/frmOptions.h"
#include "tests/native/main_window_fixture.h"
#include "ui/headless/headless_tree_view.h"

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
        PutApp("EditorPortable", "Editor", "tools", "Edits text", "Editor.exe");
        PutApp("GamePortable", "Game", "Games", "Plays", "Game.exe");
        PutApp("ListedPortable", "Listed again", "Tools", "", "LISTED.exe");
    }
    void PutApp(const std::string& folder, const std::string& name, const std::string& category,
                const std::string& description, const std::string& start) const {
        std::filesystem::create_directories(Host("PortableApps/" + folder + "/App/AppInfo"));
        Put("PortableApps/" + folder + "/App/AppInfo/appinfo.ini",
            "[Details]\r\nName=" + name + "\r\nCategory=" + category +
                "\r\nDescription=" + description + "\r\n[Control]\r\nStart=" + start + "\r\n");
    }
    frmMain& Look() {
        while (w_->Found().Looking()) w_->Found().Continue();
        return *w_;
    }
    void StartAndLook() {
        w_ = &Start();
        Look();
    }
    std::vector<std::string> Texts(const std::string& key) const {
        std::vector<std::string> texts;
        if (const ui::TreeNode* node = w_->TreeView1.Find(key))
            for (const ui::TreeNode* child : node->Children()) texts.push_back(child->Text());
        return texts;
    }
    ui::TreeNode* Found(const std::string& folder) const {
        return w_->TreeView1.Find("portableapps:" + folder);
    }
    // The tray's Run entries as the user sees them, opening the menu.
    std::vector<std::string> TrayRun() {
        w_->Form_TrayNotify(ui::TrayMouse::RightUp);
        std::vector<std::string> captions;
        for (const auto& item : w_->mnuPopupRun->Items()) captions.push_back(item->Caption());
        return captions;
    }

    frmMain* w_ = nullptr;
};

TEST_F(FoundAppsTest, FoundAppsJoinTheirCategoryOrOneShownOnlyAndNeverRepeatAListedOne) {
    w_ = &Start();
    EXPECT_EQ(Texts("Tools"), std::vector<std::string>{"Listed"}) << "none before the look";
    Look();
    EXPECT_EQ(Texts("Tools"), (std::vector<std::string>{"Listed", "Editor"}))
        << "letter case ignored, in category and in file";
    const ui::TreeNode* games = Found("gameportable")->Parent();
    ASSERT_NE(games, nullptr);
    EXPECT_EQ(games->Text(), "Games");
    EXPECT_TRUE(games->Expanded());
    EXPECT_EQ(Get("quopa_apps.dat"), kApps) << "nothing found is written";
    EXPECT_EQ(TrayRun(), (std::vector<std::string>{"Listed", "Editor", "Game"}));
}

TEST_F(FoundAppsTest, AFoundAppRunsInItsOwnFolderAndCannotBeEditedRenamedOrDeleted) {
    StartAndLook();
    ui::TreeView& tree = w_->TreeView1;
    tree.UserSelected(Found("editorportable"));
    EXPECT_TRUE(w_->cmdRun.Enabled());
    EXPECT_FALSE(w_->cmdEdit.Enabled());
    EXPECT_FALSE(w_->cmdDelete.Enabled());
    EXPECT_EQ(w_->lblAppDescription.Text(), "Edits text");
    tree.UserDoubleClicked();
    backend_.DoEvents();
    ASSERT_EQ(shell_.executed.size(), 1u);
    EXPECT_EQ(shell_.executed[0].file, "E:\\PortableApps\\EditorPortable\\Editor.exe");
    EXPECT_EQ(shell_.executed[0].directory, "E:\\PortableApps\\EditorPortable");

    w_->TreeView1_KeyDown(46);
    w_->cmdDelete.Click();
    w_->cmdEdit.Click();
    const std::string name = Found("editorportable")->Text();
    tree.UserEditedLabel(*Found("editorportable"), "Mine");
    backend_.DoEvents();
    EXPECT_EQ(Found("editorportable")->Text(), name);
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_TRUE(backend_.modalForms.empty());
    tree.UserSelected(Found("gameportable")->Parent());
    w_->TreeView1_KeyDown(46);
    tree.UserEditedLabel(*Found("gameportable")->Parent(), "Fun");
    backend_.DoEvents();
    EXPECT_NE(Found("gameportable")->Parent()->Text(), "Fun");
    EXPECT_TRUE(desktop_.messages.empty()) << "a category shown for found apps only is no one's";
    EXPECT_EQ(Get("quopa_apps.dat"), kApps);

    TrayRun();
    w_->mnuPopupRun->Items().back()->Click();
    EXPECT_EQ(shell_.executed.back().file, "E:\\PortableApps\\GamePortable\\Game.exe");
}

TEST_F(FoundAppsTest, AddToMyListFillsTheWizardAndTheFoundOneIsNotShownTwice) {
    StartAndLook();
    const auto rows = ui::DisplayedRows(w_->TreeView1);
    const auto row = std::find(rows.begin(), rows.end(), Found("editorportable")) - rows.begin();
    w_->TreeView1.onMouseUp({ui::MouseButton::Right, 600,
                             static_cast<int>(row) * ui::HeadlessTreeViewPeer::kRowTwips + 100});
    EXPECT_EQ(w_->form.LastPopup(), &w_->mnuFoundRightClick);
    frmAddItem wizard(ctx_, w_->TreeView1, {});
    wizard.Create();
    EXPECT_EQ(wizard.Combo1.ListCount(), 2) << "Quopa and Tools: not the found apps' Games";
    backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });  // Finish
    w_->mnuFoundAdd->Click();
    EXPECT_EQ(backend_.modalForms.size(), 1u);
    auto stored = [&](const char* key) {
        return ini_.ReadIni("Application2", key, "", w_->AppsFile());
    };
    EXPECT_EQ(stored("Name"), "Editor");
    EXPECT_EQ(stored("Path"), "%drive%\\PortableApps\\EditorPortable\\Editor.exe");
    EXPECT_EQ(stored("StartIn"), "%drive%\\PortableApps\\EditorPortable");
    EXPECT_EQ(stored("Category"), "Tools");
    EXPECT_EQ(stored("Description"), "Edits text");
    EXPECT_EQ(Texts("Tools"), (std::vector<std::string>{"Listed", "Editor"}));
    EXPECT_EQ(Found("editorportable"), nullptr);
}

TEST_F(FoundAppsTest, TheSearchNarrowsFoundAppsAndTheRestorePutsThemBackAtOnce) {
    StartAndLook();
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.UserTyped("gam");
    EXPECT_EQ(Found("editorportable"), nullptr);
    EXPECT_NE(Found("gameportable"), nullptr);
    w_->txtSearch.UserTyped("");
    w_->txtSearch.RaiseLostFocus();
    EXPECT_NE(Found("editorportable"), nullptr) << "from what was found, without a new look";
    w_->IntList();
    EXPECT_NE(Found("editorportable"), nullptr) << "and so does a rebuild";
}

TEST_F(FoundAppsTest, TheOptionsBoxStoresTheChoiceAndTakesEffectAtOnce) {
    StartAndLook();
    frmOptions dlg(ctx_, [&] { w_->ApplyPortableApps(); });
    dlg.Create();
    EXPECT_TRUE(dlg.chkPortableApps.Enabled());
    EXPECT_EQ(dlg.chkPortableApps.Value(), 1);
    dlg.chkPortableApps.UserClicked();
    dlg.cmdApply.Click();
    EXPECT_NE(Get("quopa_settings.dat").find("LoadPortableApps=0"), std::string::npos);
    EXPECT_EQ(Found("editorportable"), nullptr) << "gone at once";
    EXPECT_EQ(w_->TreeView1.Find("portableapps:category:games"), nullptr);
    EXPECT_EQ(TrayRun(), std::vector<std::string>{"Listed"});

    dlg.chkPortableApps.UserClicked();
    dlg.cmdOK.Click();
    Look();
    EXPECT_NE(Found("editorportable"), nullptr);
    EXPECT_EQ(TrayRun().size(), 3u);
}

}  // namespace
}  // namespace quopa::testing
