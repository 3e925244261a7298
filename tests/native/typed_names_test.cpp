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
        return Each(w_->TreeView1.Nodes(), [](auto* node) { return node->Key(); });
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
