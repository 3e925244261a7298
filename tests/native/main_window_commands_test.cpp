// The main window's tree, buttons and menus, driven through their handlers; names and paths
// the user types, judged as the apps file will hold them: the next load must show what the
// user was told.
#include <sys/stat.h>

#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

const std::string kLong(254, 'x'), kLongYz = kLong + "yz", kNul("\0Cards", 6);
const std::string kTaken = "That category name is not unique!";

struct TypedName {
    std::string typed;
    std::string stored;  // empty: refused as empty
    bool taken = false;  // refused as another category's name
};

// Beside Games, Web apps and Tools.
const TypedName kNames[] = {
    {"\"\"", "", false},         {"''", "", false},        {"\r\n", "", false},
    {"   ", "", false},          {"\x1a", "", false},      {kNul, "", false},
    {" Tools", "Tools", true},   {"Quopa", "Quopa", true}, {"Deleted", "Deleted", true},
    {"Tools ", "Tools", true},   {"tools", "tools", true}, {"\"Tools\"", "Tools", true},
    {" Cards ", "Cards", false}, {kLongYz, kLong, false},  {"'Board games'", "Board games", false}};

using TypedNamesTest = CommandsTest;

// The panel keeps the last item while a category is chosen, whose item buttons leave it
// alone; with nothing selected, keys and clicks do nothing.
TEST_F(CommandsTest, ThePanelShowsTheLastItemAndItemButtonsLeaveCategoriesAlone) {
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
}

TEST_F(CommandsTest, DoubleClickAndEnterRunItemsOnlyEvenUnderCategoriesNamedLikeThem) {
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

// An item is marked by an empty name; a category by the name "Deleted", its items kept.
TEST_F(CommandsTest, DeleteAsksAndOnYesMarksTheItemOrCategoryAndDropsItsNode) {
    for (const auto& [key, question] :
         {std::pair{"application2", "Are you sure you want to delete Chess?"},
          {"Games", "Are you sure you want to delete the Games category?"}}) {
        Click(key);
        desktop_.answers = {platform::kIdNo};
        w_->TreeView1.onKeyDown(46);
        EXPECT_TRUE(Shown(key));
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
}

TEST_F(CommandsTest, TheMainCategoryAndOneNamedLikeItAreNeitherDeletedNorRenamed) {
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
    EXPECT_TRUE(Rename("application1", "Editor"));
    EXPECT_EQ(Read("Application1", "Name"), "Editor");
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

// The wizard opened from a category's menu does not wait: its Finish rebuilds the tree while
// any of the main window's boxes is up. Each answer must still act on what was asked.
TEST_F(CommandsTest, ATreeRebuiltWhileAQuestionIsUpLeavesTheAnswerOnWhatWasAsked) {
    desktop_.whileShown = [this] { w_->IntList(); };
    Click("application2");
    w_->cmdDelete.Click();
    Click("Games");
    w_->mnuCatDelete->Click();
    EXPECT_EQ(Reads({"Application2.Name", "Application5.Name", "Category1.Name"}),
              (Strings{"", "Notes", "Deleted"}));
    EXPECT_FALSE(Shown("application2") || Shown("Games")) << "the rebuilt nodes go too";
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

// An item takes any name stored non-empty, another category's too.
TEST_F(TypedNamesTest, ARenameStoresTheNameTheLoadWillShowOrIsRefused) {
    const Strings before = Loaded();
    for (const TypedName& n : kNames) {
        const bool item = Rename("application2", n.typed);
        EXPECT_EQ(item, !n.stored.empty()) << n.typed;
        Loaded();
        EXPECT_EQ(Node("application2").Text(), item ? n.stored : "Chess") << n.typed;
        ASSERT_TRUE(!item || Rename("application2", "Chess"));
        const bool renamed = Rename("Games", n.typed);
        EXPECT_EQ(renamed, !n.stored.empty() && !n.taken) << n.typed;
        EXPECT_EQ(Told(), (n.taken ? Boxes{{kTaken, kExclaim}} : Boxes{})) << n.typed;
        if (!renamed) {
            EXPECT_EQ(Loaded(), before) << n.typed;
            continue;
        }
        EXPECT_EQ(Node(n.stored).Text(), n.stored);
        Loaded();
        ASSERT_TRUE(Shown(n.stored)) << n.typed;
        EXPECT_EQ(Node("application2").Parent()->Key(), n.stored) << "Chess moved along";
        EXPECT_TRUE(Shown("Tools") && Shown("Web apps")) << "no later category is lost";
        ASSERT_TRUE(Rename(n.stored, "Games"));
    }
}

// The dialog judges by the same rule; names equal in the first 254 characters would be one
// in the file.
TEST_F(TypedNamesTest, TheNewCategoryDialogJudgesByTheSameRule) {
    const std::pair<std::string, Boxes> cases[] = {
        {"\"\"", {{"You did not enter a title!", kCritical}}},
        {" tools", {{kTaken, kExclaim}}},
        {kLongYz, {}},
        {kLong + "other", {{kTaken, kExclaim}}}};
    for (const auto& [typed, told] : cases) {
        frmNewCategory d(ctx_, w_->TreeView1, [this] { w_->IntList(); });
        d.Create();
        d.txtCategoryTitle.UserTyped(typed);
        d.cmdFinish.Click();
        EXPECT_EQ(Told(), told) << typed;
        EXPECT_EQ(d.form.Loaded(), !told.empty()) << typed;
    }
    EXPECT_TRUE(Shown(kLong) && Shown("Tools"));
}

// Blanks or a pair of quotes would store an empty title or path, where the loader stops.
TEST_F(TypedNamesTest, TheWizardRefusesATitleOrPathThatWouldBeStoredEmpty) {
    const std::string before = Get("quopa_apps.dat");
    for (const auto& [title, path, field] :
         {std::tuple{"\"\"", "cards.exe", "title"}, {"Cards", "   ", "path"}}) {
        frmAddItem wizard(ctx_, w_->TreeView1, [this] { w_->IntList(); });
        wizard.Create();
        wizard.cmdNext.Click();
        wizard.txtAppTitle.UserTyped(title);
        wizard.txtAppPath.UserTyped(path);
        wizard.cmdFinish.Click();
        EXPECT_EQ(Told(),
                  (Boxes{{std::string("You did not fill the ") + field + " field!", kExclaim}}));
    }
    EXPECT_EQ(Get("quopa_apps.dat"), before) << "nothing was added";
}

}  // namespace
}  // namespace quopa::testing
