// Names and paths the user types, judged as the apps file will hold them, through the real
// handlers; the next load must show what the user was told.
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

class TypedNamesTest : public CommandsTest {
  protected:
    // The categories and items a fresh load shows.
    Strings Loaded() {
        w_->IntList();
        Strings keys;
        for (const ui::TreeNode* node : w_->TreeView1.Nodes()) keys.push_back(node->Key());
        return keys;
    }
};

TEST_F(TypedNamesTest, ACategoryRenameStoresTheNameTheLoadWillShowOrIsRefused) {
    const Strings before = Loaded();
    for (const TypedName& n : kNames) {
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

TEST_F(TypedNamesTest, TheNewCategoryDialogJudgesByTheSameRule) {
    for (const TypedName& n : kNames) {
        frmNewCategory d(ctx_, w_->TreeView1, [this] { w_->IntList(); });
        d.Create();
        d.txtCategoryTitle.UserTyped(n.typed);
        d.cmdFinish.Click();
        const bool added = !d.form.Loaded();
        EXPECT_EQ(added, !n.stored.empty() && !n.taken) << n.typed;
        EXPECT_EQ(Told(), (n.stored.empty() ? Boxes{{"You did not enter a title!", kCritical}}
                           : n.taken        ? Boxes{{kTaken, kExclaim}}
                                            : Boxes{}))
            << n.typed;
        EXPECT_TRUE(!added || (Shown(n.stored) && Shown("Tools"))) << n.typed;
    }
    // Equal in the first 254 characters: the file holds one name for both.
    frmNewCategory d(ctx_, w_->TreeView1, [this] { w_->IntList(); });
    d.Create();
    d.txtCategoryTitle.UserTyped(kLong + "other");
    d.cmdFinish.Click();
    EXPECT_EQ(LastMessage(), kTaken);
}

TEST_F(TypedNamesTest, AnItemRenamedToNothingStoredKeepsItsName) {
    for (const TypedName& n : kNames) {
        const bool renamed = Rename("application2", n.typed);
        EXPECT_EQ(renamed, !n.stored.empty()) << n.typed;
        Loaded();
        ASSERT_TRUE(Shown("application2")) << n.typed;
        EXPECT_EQ(Node("application2").Text(), renamed ? n.stored : "Chess") << n.typed;
        ASSERT_TRUE(!renamed || Rename("application2", "Chess"));
    }
}

TEST_F(TypedNamesTest, TheWizardRefusesATitleOrPathThatWouldBeStoredEmpty) {
    const std::string before = Get("quopa_apps.dat");
    for (const TypedName& n : kNames) {
        if (!n.stored.empty()) continue;
        for (bool title : {true, false}) {
            frmAddItem wizard(ctx_, w_->TreeView1, [this] { w_->IntList(); });
            wizard.Create();
            wizard.cmdNext.Click();
            wizard.txtAppTitle.UserTyped(title ? n.typed : "Cards");
            wizard.txtAppPath.UserTyped(title ? "cards.exe" : n.typed);
            wizard.cmdFinish.Click();
            EXPECT_TRUE(wizard.form.Loaded());
            EXPECT_EQ(Told(), (Boxes{{title ? "You did not fill the title field!"
                                            : "You did not fill the path field!",
                                      kExclaim}}));
        }
    }
    EXPECT_EQ(Get("quopa_apps.dat"), before) << "nothing was added";
}

}  // namespace
}  // namespace quopa::testing
