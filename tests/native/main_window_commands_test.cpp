// The main window's tree, buttons and menus, driven through their handlers.
#include <sys/stat.h>

#include "editor/frmAddItem.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

// The panel keeps the last item while a category is chosen, whose item buttons leave it
// alone; with nothing selected, keys and clicks do nothing. Double click and Enter run items
// only, even under categories named like them.
TEST_F(CommandsTest, ThePanelShowsTheLastItemAndOnlyItemsRun) {
    const std::string before = Get("quopa_apps.dat");
    Strings panels = {Panel(*w_)};
    for (const char* key : {"application1", "Games"}) {
        Click(key);
        panels.push_back(Panel(*w_));
    }
    EXPECT_EQ(panels, (Strings{"--- : ", "+++ Notepad: Edits text", "-++ Notepad: Edits text"}));
    for (ui::Button* b : {&w_->cmdDelete, &w_->cmdEdit, &w_->cmdRun}) b->Click();
    w_->TreeView1.Select(nullptr);
    w_->TreeView1.onKeyDown(46);
    w_->TreeView1.onMouseUp({ui::MouseButton::Right, 600, 5000});
    EXPECT_TRUE(desktop_.messages.empty() && backend_.modalForms.empty() && Shown("Games"));
    EXPECT_EQ(w_->form.LastPopup(), nullptr);
    EXPECT_EQ(Get("quopa_apps.dat"), before);
    for (const auto& [key, enter] : {std::pair{"Web apps", false},
                                     {"application2", false},
                                     {"Games", true},
                                     {"application5", true}}) {
        Click(key);
        enter ? w_->TreeView1.UserPressedKey(13) : w_->TreeView1.UserDoubleClicked();
        backend_.DoEvents();
    }
    EXPECT_EQ(Executed(), (Strings{"E:\\chess.exe", "E:\\notes.txt"}));
}

// An item is marked by an empty name; a category by the name "Deleted", its items kept. The
// wizard opened from a category's menu does not wait: its Finish rebuilds the tree while any
// of the main window's boxes is up. Each answer must still act on what was asked.
TEST_F(CommandsTest, DeleteAsksAndOnYesMarksTheItemOrCategoryButNeverTheMainOne) {
    desktop_.whileShown = [this] { w_->IntList(); };
    for (const auto& [key, question] :
         {std::pair{"application2", "Are you sure you want to delete Chess?"},
          {"Games", "Are you sure you want to delete the Games category?"}}) {
        Click(key);
        desktop_.answers = {platform::kIdNo};
        w_->TreeView1.onKeyDown(46);
        EXPECT_TRUE(Shown(key));
        Click(key);  // the rebuild took the selection
        w_->TreeView1.onKeyDown(46);
        EXPECT_FALSE(Shown(key));
        EXPECT_EQ(Told(), Boxes(2, {question, kQuestion}));
    }
    EXPECT_EQ(Reads({"Application2.Name", "Application2.Path", "Category1.Name",
                     "Application5.Category"}),
              (Strings{"", "%drive%\\chess.exe", "Deleted", "Games"}));
    EXPECT_FALSE(Shown("application5"));
    w_->IntList();
    EXPECT_FALSE(Shown("Games") || Shown("application2"));
    EXPECT_TRUE(Shown("Tools")) << "later categories still load";
    // The main category, and one named like it, are neither deleted nor renamed.
    const std::string file = "[Category1]\r\nName=Quopa Drive\r\n";
    Put("quopa_apps.dat", file);
    w_->IntList();
    for (const char* key : {"Quopa", "Quopa Drive"}) {
        Click(key);
        w_->mnuCatDelete->Click();
        EXPECT_EQ(LastMessage(), "You can't delete the main category!") << key;
    }
    EXPECT_FALSE(Rename("Quopa", "Mine"));
    EXPECT_EQ(LastMessage(), "You cant change the name of the main category!");
    EXPECT_EQ(Get("quopa_apps.dat"), file);
}

// The items follow in the same write, matched case-sensitively; a category whose name looks
// like an item's is still renamed as a category.
TEST_F(CommandsTest, RenamingACategoryCarriesItsItemsInOneWriteAndTheNodeTakesTheNewKey) {
    const int replaces = files_.replaces;
    ASSERT_TRUE(Rename("Games", "Play"));
    EXPECT_EQ(files_.replaces - replaces, 1);
    ASSERT_TRUE(Rename("Play", "Fun")) << "the second rename finds the node by its new name";
    ASSERT_TRUE(Rename("Web apps", "Sites"));
    EXPECT_EQ(Reads({"Category1.Name", "Application2.Category", "Application5.Category",
                     "Application4.Category", "Play.Name", "Category2.Name",
                     "Application3.Category", "Web apps.Name"}),
              (Strings{"Fun", "Fun", "Fun", "games", "", "Sites", "Sites", ""}));
    EXPECT_EQ(Node("application2").Parent()->Key(), "Fun");
}

// A locked stick: one report for each refused change, and the tree stays as the file.
TEST_F(CommandsTest, AWriteTheDriveRefusesIsToldAndTheTreeStaysAsTheFile) {
    chmod(Host("quopa_apps.dat").c_str(), 0444);
    Click("application2");
    w_->cmdDelete.Click();
    EXPECT_FALSE(Rename("application2", "Go"));
    EXPECT_FALSE(Rename("Games", "Play"));
    Click("Games");
    w_->mnuCatDelete->Click();
    EXPECT_TRUE(Shown("application2") && Node("Games").Text() == "Games");
    int refusals = 0;
    for (const auto& [text, style] : Told())
        refusals += style == kCritical && text.find(w_->AppsFile()) != std::string::npos;
    EXPECT_EQ(refusals, 4);
}

TEST_F(CommandsTest, RightClickSelectsTheNodeUnderThePointerAndItsMenuDoesWhatTheButtonsDo) {
    std::vector<const ui::MenuItem*> menus;
    for (const char* key : {"Tools", "Quopa", "application5"}) {
        RightClick(key);
        menus.push_back(w_->form.LastPopup());
        RightClick("application1", ui::MouseButton::Left);
    }
    EXPECT_EQ(menus, (std::vector<const ui::MenuItem*>{&w_->mnuCatRightClick, &w_->mnuCatRightClick,
                                                       &w_->mnuFileRightClick}));
    EXPECT_EQ(Panel(*w_), "+++ Notes: ");
    w_->mnuFileRun->Click();
    w_->mnuFileEdit->Click();
    desktop_.answers = {platform::kIdNo};
    w_->mnuFileDelete->Click();
    EXPECT_EQ(Executed(), Strings{"E:\\notes.txt"});
    EXPECT_EQ(backend_.modalForms, Strings{"Edit existing item"});
    EXPECT_EQ(LastMessage(), "Are you sure you want to delete Notes?");
}

// It does not wait, and while it is up every way of opening it brings it forward; its list
// follows renames and deletes, its pick the category's new name or the menu's category.
TEST_F(CommandsTest, TheWizardFromACategoryStaysOpenBesideTheTreeAndFollowsIt) {
    Click("Games");
    w_->mnuCatAddNew->Click();
    frmAddItem& wizard = *w_->ModelessWizard();
    desktop_.foregroundCalls.clear();
    w_->mnuNew->Click();
    EXPECT_EQ(desktop_.foregroundCalls.size(), 1u);
    EXPECT_TRUE(backend_.modalForms.empty() && w_->form.Enabled()) << "the tree stays usable";
    ASSERT_TRUE(Rename("Games", "Play"));
    Click("Web apps");
    w_->mnuCatDelete->Click();
    EXPECT_EQ(Entries(wizard.Combo1), (Strings{"Quopa", "Play", "Tools"}));
    EXPECT_EQ(wizard.Combo1.Text(), "Play");
    Click("Tools");
    w_->mnuCatAddNew->Click();
    wizard.cmdNext.Click();
    wizard.txtAppTitle.UserTyped("Saw");
    wizard.txtAppPath.UserTyped("saw.exe");
    wizard.cmdFinish.Click();
    EXPECT_EQ(Node("application7").Parent()->Key(), "Tools");
}

}  // namespace
}  // namespace quopa::testing
