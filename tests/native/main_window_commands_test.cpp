// The main window's tree, buttons and menus, driven through their handlers.
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

TEST_F(CommandsTest, ClicksSetTheButtonsAndThePanelShowsTheLastItem) {
    const std::string before = Get("quopa_apps.dat");
    EXPECT_FALSE(w_->cmdRun.Enabled() || w_->cmdEdit.Enabled() || w_->cmdDelete.Enabled());
    Click("application1");
    EXPECT_TRUE(w_->cmdRun.Enabled() && w_->cmdEdit.Enabled() && w_->cmdDelete.Enabled());
    EXPECT_EQ(w_->lblAppTitle.Text(), "Notepad");
    EXPECT_EQ(w_->lblAppDescription.Text(), "Edits text");

    Click("Games");
    EXPECT_FALSE(w_->cmdRun.Enabled());
    EXPECT_TRUE(w_->cmdEdit.Enabled() && w_->cmdDelete.Enabled());
    EXPECT_EQ(w_->lblAppTitle.Text(), "Notepad");

    Click("application2");  // no description: empty, and nothing written back
    EXPECT_EQ(w_->lblAppDescription.Text(), "");
    EXPECT_EQ(Get("quopa_apps.dat"), before);
}

TEST_F(CommandsTest, DoubleClickRunsItemsOnlyEvenUnderCategoriesNamedLikeThem) {
    Click("Web apps");
    w_->TreeView1.UserDoubleClicked();
    backend_.DoEvents();
    EXPECT_TRUE(shell_.executed.empty());
    Click("application2");
    w_->TreeView1.UserDoubleClicked();
    backend_.DoEvents();
    ASSERT_EQ(shell_.executed.size(), 1u);
    EXPECT_EQ(shell_.executed[0].file, "E:\\chess.exe");
}

TEST_F(CommandsTest, EnterRunsTheItemTheArrowKeysSelectedAndTheirPanelShowsIt) {
    Click("Games");
    w_->TreeView1.UserSelected(&Node("application2"));  // the Down key
    EXPECT_TRUE(w_->cmdRun.Enabled());
    EXPECT_EQ(w_->lblAppTitle.Text(), "Chess");
    w_->TreeView1.UserPressedKey(13);
    backend_.DoEvents();
    ASSERT_EQ(shell_.executed.size(), 1u);
    EXPECT_EQ(shell_.executed[0].file, "E:\\chess.exe");
    w_->TreeView1.UserSelected(&Node("Games"));
    w_->TreeView1.UserPressedKey(13);
    backend_.DoEvents();
    EXPECT_EQ(shell_.executed.size(), 1u) << "Enter on a category runs nothing";
}

TEST_F(CommandsTest, DeleteAsksAndOnYesMarksTheItemAndDropsItsNode) {
    Click("application2");
    desktop_.answers = {platform::kIdNo};
    w_->cmdDelete.Click();
    EXPECT_EQ(LastMessage(), "Are you sure you want to delete Chess?");
    EXPECT_EQ(desktop_.messages.back().style, platform::kMbIconQuestion | platform::kMbYesNo);
    EXPECT_EQ(Read("Application2", "Name"), "Chess");
    ASSERT_NE(w_->TreeView1.Find("application2"), nullptr);

    desktop_.answers = {platform::kIdYes};
    w_->TreeView1.onKeyDown(46);
    EXPECT_EQ(Read("Application2", "Name"), "");
    EXPECT_EQ(Read("Application2", "Path"), "%drive%\\chess.exe");
    EXPECT_EQ(w_->TreeView1.Find("application2"), nullptr);
    EXPECT_EQ(w_->lblAppTitle.Text(), "Chess") << "the panel keeps the deleted item";
    w_->IntList();
    EXPECT_EQ(w_->TreeView1.Find("application2"), nullptr);
    EXPECT_NE(w_->TreeView1.Find("application5"), nullptr);
}

TEST_F(CommandsTest, EditAndDeleteLeaveCategoriesAloneAndNothingSelectedDoesNothing) {
    const std::string before = Get("quopa_apps.dat");
    Click("application1");
    Click("Games");
    w_->cmdDelete.Click();
    w_->cmdEdit.Click();
    w_->cmdRun.Click();
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_TRUE(backend_.modalForms.empty());
    EXPECT_NE(w_->TreeView1.Find("Games"), nullptr);

    w_->TreeView1.Select(nullptr);
    w_->TreeView1.onKeyDown(46);
    w_->TreeView1.onMouseUp({ui::MouseButton::Right, 600, 5000});
    EXPECT_TRUE(desktop_.messages.empty());
    EXPECT_EQ(w_->form.LastPopup(), nullptr);
    EXPECT_EQ(Get("quopa_apps.dat"), before);
}

TEST_F(CommandsTest, DeleteCategoryAsksThenMarksItAndKeepsItsItems) {
    Click("Games");
    desktop_.answers = {platform::kIdNo};
    w_->TreeView1.onKeyDown(46);
    EXPECT_EQ(LastMessage(), "Are you sure you want to delete the Games category?");
    EXPECT_EQ(Read("Category1", "Name"), "Games");

    desktop_.answers = {platform::kIdYes};
    w_->TreeView1.onKeyDown(46);
    EXPECT_EQ(Read("Category1", "Name"), "Deleted");
    EXPECT_EQ(Read("Application2", "Category"), "Games");
    EXPECT_EQ(w_->TreeView1.Find("Games"), nullptr);
    EXPECT_EQ(w_->TreeView1.Find("application2"), nullptr);
    w_->IntList();
    EXPECT_NE(w_->TreeView1.Find("Tools"), nullptr) << "later categories still load";
}

TEST_F(CommandsTest, MainCategoryIsRefusedAfterTheQuestionAndSoIsOneNamedLikeIt) {
    Put("quopa_apps.dat", "[Category1]\r\nName=Quopa Drive\r\n");
    w_->IntList();
    for (const char* key : {"Quopa", "Quopa Drive"}) {
        desktop_.messages.clear();
        Click(key);
        desktop_.answers = {platform::kIdYes};
        w_->mnuCatDelete->Click();
        ASSERT_EQ(desktop_.messages.size(), 2u) << key;
        EXPECT_EQ(desktop_.messages[0].text,
                  "Are you sure you want to delete the Quopa Drive category?");
        EXPECT_EQ(desktop_.messages[1].text, "You can't delete the main category!");
        EXPECT_EQ(desktop_.messages[1].style, platform::kMbIconExclamation | platform::kMbOk);
    }
    EXPECT_EQ(Read("Category1", "Name"), "Quopa Drive");
    EXPECT_EQ(Read("Quopa", "Name"), "");
}

TEST_F(CommandsTest, RenamingAnItemWritesItsNameButNotAnEmptyOneNorTheMainCategorys) {
    EXPECT_TRUE(Rename("application1", "Editor"));
    EXPECT_EQ(Read("Application1", "Name"), "Editor");
    EXPECT_FALSE(Rename("application1", ""));
    EXPECT_EQ(Read("Application1", "Name"), "Editor");
    EXPECT_EQ(Node("application1").Text(), "Editor");

    EXPECT_FALSE(Rename("Quopa", "Mine"));
    EXPECT_EQ(LastMessage(), "You cant change the name of the main category!");
    EXPECT_EQ(desktop_.messages.back().style, platform::kMbIconExclamation | platform::kMbOk);
    EXPECT_EQ(Node("Quopa").Text(), "Quopa Drive");
    EXPECT_EQ(Read("Category0", "Name"), "");
}

TEST_F(CommandsTest, RenamingACategoryCarriesItsItemsInOneWriteAndTheNodeTakesTheNewKey) {
    const int replaces = files_.replaces;
    ASSERT_TRUE(Rename("Games", "Play"));
    EXPECT_EQ(files_.replaces - replaces, 1);
    EXPECT_EQ(Read("Category1", "Name"), "Play");
    EXPECT_EQ(Read("Application2", "Category"), "Play");
    EXPECT_EQ(Read("Application5", "Category"), "Play");
    EXPECT_EQ(Read("Application4", "Category"), "games") << "matched case-sensitively";
    EXPECT_EQ(Read("Play", "Name"), "");

    ASSERT_TRUE(Rename("Play", "Fun")) << "the second rename finds the node by its new name";
    EXPECT_EQ(Read("Application2", "Category"), "Fun");
    EXPECT_EQ(Node("Fun").Text(), "Fun");
    EXPECT_EQ(Node("application2").Parent()->Key(), "Fun");

    // A category whose name looks like an item's is still renamed as a category.
    ASSERT_TRUE(Rename("Web apps", "Sites"));
    EXPECT_EQ(Read("Category2", "Name"), "Sites");
    EXPECT_EQ(Read("Application3", "Category"), "Sites");
    EXPECT_EQ(Read("Web apps", "Name"), "");
}

TEST_F(CommandsTest, CategoryNamesThatAreTakenOrEmptyAreRefused) {
    const std::string before = Get("quopa_apps.dat");
    for (const char* taken : {"Tools", "Quopa"}) {
        desktop_.messages.clear();
        EXPECT_FALSE(Rename("Games", taken));
        EXPECT_EQ(LastMessage(), "That category name is not unique!");
        EXPECT_EQ(desktop_.messages.back().style, platform::kMbIconExclamation | platform::kMbOk);
    }
    EXPECT_FALSE(Rename("Games", ""));
    EXPECT_EQ(Get("quopa_apps.dat"), before);
    EXPECT_EQ(Node("Games").Text(), "Games");
}

TEST_F(CommandsTest, AWriteTheDriveRefusesIsToldAndTheTreeStaysAsTheFile) {
    WriteProtect();
    Click("application2");
    desktop_.answers = {platform::kIdYes};
    w_->cmdDelete.Click();
    EXPECT_NE(LastMessage().find(w_->AppsFile()), std::string::npos);
    EXPECT_EQ(desktop_.messages.back().style, platform::kMbIconCritical | platform::kMbOk);
    EXPECT_NE(w_->TreeView1.Find("application2"), nullptr);

    EXPECT_FALSE(Rename("application2", "Go"));
    EXPECT_FALSE(Rename("Games", "Play"));
    EXPECT_EQ(Node("Games").Text(), "Games");
    Click("Games");
    desktop_.answers = {platform::kIdYes};
    w_->mnuCatDelete->Click();
    EXPECT_NE(w_->TreeView1.Find("Games"), nullptr);
    int reports = 0;
    for (const auto& message : desktop_.messages)
        reports += message.style == (platform::kMbIconCritical | platform::kMbOk);
    EXPECT_EQ(reports, 4) << "one report for each refused change";
}

// The wizard opened from a category's menu does not wait: its Finish rebuilds the tree while
// any of the main window's boxes is up. Each answer must still act on what was asked.
TEST_F(CommandsTest, ATreeRebuiltWhileAQuestionIsUpLeavesTheAnswerOnWhatWasAsked) {
    desktop_.whileShown = [this] { w_->IntList(); };
    Click("application2");
    w_->cmdDelete.Click();
    EXPECT_EQ(Read("Application2", "Name"), "");
    EXPECT_EQ(Read("Application5", "Name"), "Notes");
    EXPECT_EQ(w_->TreeView1.Find("application2"), nullptr);

    Click("Games");
    w_->mnuCatDelete->Click();
    EXPECT_EQ(Read("Category1", "Name"), "Deleted");
    EXPECT_EQ(w_->TreeView1.Find("Games"), nullptr) << "the rebuilt node goes too";

    const std::string before = Get("quopa_apps.dat");
    WriteProtect();
    Click("application1");
    w_->cmdDelete.Click();  // the question, then the refusal
    EXPECT_EQ(desktop_.messages.back().style, platform::kMbIconCritical | platform::kMbOk);
    EXPECT_NE(w_->TreeView1.Find("application1"), nullptr);
    EXPECT_FALSE(Rename("Tools", "Kit"));
    EXPECT_EQ(Node("Tools").Text(), "Tools");

    desktop_.answers = {platform::kIdNo};
    w_->mnuRemove->Click();
    EXPECT_EQ(Get("quopa_apps.dat"), before);
}

TEST_F(CommandsTest, RightClickSelectsTheNodeUnderThePointerAndOpensItsMenu) {
    RightClick("application5");
    EXPECT_EQ(w_->TreeView1.SelectedItem(), &Node("application5"));
    EXPECT_EQ(w_->lblAppTitle.Text(), "Notes");
    EXPECT_EQ(w_->form.LastPopup(), &w_->mnuFileRightClick);
    RightClick("Tools");
    EXPECT_EQ(w_->form.LastPopup(), &w_->mnuCatRightClick);
    EXPECT_FALSE(w_->cmdRun.Enabled());
    RightClick("Quopa");
    EXPECT_EQ(w_->form.LastPopup(), &w_->mnuCatRightClick);

    RightClick("application1", ui::MouseButton::Left);
    RightClick("application1", ui::MouseButton::Middle);
    EXPECT_EQ(w_->TreeView1.SelectedItem(), &Node("Quopa"));
}

TEST_F(CommandsTest, ItemMenuEntriesDoWhatTheButtonsDo) {
    Click("application1");
    w_->mnuFileRun->Click();
    ASSERT_EQ(shell_.executed.size(), 1u);
    w_->mnuFileEdit->Click();
    EXPECT_EQ(backend_.modalForms, std::vector<std::string>{"Edit existing item"});
    desktop_.answers = {platform::kIdNo};
    w_->mnuFileDelete->Click();
    EXPECT_EQ(LastMessage(), "Are you sure you want to delete Notepad?");
}

TEST_F(CommandsTest, AddNewItemFromACategoryDoesNotWaitAndComesForwardWhenOpen) {
    Click("Tools");
    w_->mnuCatAddNew->Click();
    EXPECT_TRUE(backend_.modalForms.empty()) << "the main window stays usable";
    desktop_.foregroundCalls.clear();
    // While it is up, every way of opening it brings it forward instead of a second one.
    w_->mnuCatAddNew->Click();
    w_->mnuNew->Click();
    Click("application1");
    w_->cmdEdit.Click();
    EXPECT_EQ(desktop_.foregroundCalls.size(), 3u);
    EXPECT_TRUE(backend_.modalForms.empty());
}

TEST_F(CommandsTest, TheOpenWizardsCategoriesFollowRenamesAndDeletes) {
    Click("Games");
    w_->mnuCatAddNew->Click();
    frmAddItem& wizard = *w_->ModelessWizard();
    auto listed = [&] {
        std::vector<std::string> names;
        for (int i = 0; i < wizard.Combo1.ListCount(); ++i) names.push_back(wizard.Combo1.List(i));
        return names;
    };
    ASSERT_TRUE(Rename("Games", "Play"));
    ASSERT_TRUE(Rename("Tools", "Kit"));
    Click("Web apps");
    w_->mnuCatDelete->Click();
    EXPECT_EQ(listed(), (std::vector<std::string>{"Quopa", "Play", "Kit"}));
    EXPECT_EQ(wizard.Combo1.Text(), "Play") << "the pick follows its category's new name";
    Click("Kit");
    w_->mnuCatAddNew->Click();
    EXPECT_EQ(wizard.Combo1.Text(), "Kit") << "the menu's category, though the wizard was open";

    wizard.cmdNext.Click();
    wizard.txtAppTitle.UserTyped("Saw");
    wizard.txtAppPath.UserTyped("saw.exe");
    wizard.cmdFinish.Click();
    EXPECT_EQ(Node("application7").Parent()->Key(), "Kit");
}

TEST_F(CommandsTest, MenuBarHoldsFileAndHelpWithTheirShortcutsAndDialogs) {
    std::vector<std::string> bar;
    for (const auto& menu : w_->menuBar.Items()) bar.push_back(menu->Caption());
    EXPECT_EQ(bar, (std::vector<std::string>{"&File", "&Help"}));
    EXPECT_EQ(w_->mnuNew->Shortcut(), "Ctrl+I");
    EXPECT_EQ(w_->mnuNewCategory->Shortcut(), "Ctrl+C");
    for (ui::MenuItem* entry : {w_->mnuNewCategory, w_->mnuOptions, w_->mnuUpdate, w_->mnuQuopa})
        entry->Click();
    EXPECT_EQ(backend_.modalForms,
              (std::vector<std::string>{"Add Category", "Options", "Quopa Update Checker",
                                        "About Quopa Application Launcher"}));
}

TEST_F(CommandsTest, SupportOpensTheForumThroughTheShell) {
    w_->mnuSupport->Click();
    ASSERT_EQ(shell_.executed.size(), 1u);
    EXPECT_EQ(shell_.executed[0].operation, "open");
    EXPECT_EQ(shell_.executed[0].file, "http://www.quopa.net/forum");
    EXPECT_TRUE(desktop_.messages.empty());
}

TEST_F(CommandsTest, SafelyRemoveFromTheMenuBarStaysWhenTheToolWillNotStart) {
    desktop_.answers = {platform::kIdNo};
    w_->mnuRemove->Click();
    EXPECT_TRUE(shell_.started.empty());
    shell_.startResult = false;
    desktop_.answers = {platform::kIdYes};
    w_->mnuRemove->Click();
    EXPECT_FALSE(process_.ended);
    EXPECT_EQ(desktop_.messages.back().style, platform::kMbIconCritical | platform::kMbOk);
    shell_.startResult = true;
    desktop_.answers = {platform::kIdYes};
    w_->mnuRemove->Click();
    EXPECT_EQ(shell_.started.back().showCommand, 2);
    EXPECT_TRUE(process_.ended);
}

}  // namespace
}  // namespace quopa::testing
