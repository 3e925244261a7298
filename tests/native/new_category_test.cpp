// The new-category dialog: its refusals, where it stores a category, and who hears of it.
#include <sys/stat.h>

#include "tests/native/editor_fixture.h"
#include "ui/headless/headless_tree_view.h"

namespace quopa::testing {
namespace {

class NewCategoryTest : public EditorTest {
  protected:
    // Types the title and presses Finish; true when the dialog closed.
    static bool Finish(frmNewCategory& d, const std::string& title) {
        d.txtCategoryTitle.UserTyped(title);
        d.cmdFinish.Click();
        return !d.form.Loaded();
    }
};

// Any node key in any letter case is taken; a refusal writes nothing and keeps the title.
TEST_F(NewCategoryTest, ATakenTitleNoFreeNumberOrARefusedWriteIsToldAndWritesNothing) {
    Load(kSmallApps);
    auto d = CategoryDialog();
    EXPECT_FALSE(Finish(*d, "GAMES"));
    EXPECT_FALSE(Finish(*d, "Application2"));
    state.NextCategoryIndex = 10000;
    EXPECT_FALSE(Finish(*d, "Tools"));
    state.NextCategoryIndex = 2;
    chmod(Host("quopa_apps.dat").c_str(), 0444);
    EXPECT_FALSE(Finish(*d, "Tools"));
    const std::string taken = "That category name is not unique!";
    EXPECT_EQ(Told(), (Boxes{{taken, kExclaim},
                             {taken, kExclaim},
                             {kNoCategoryNumberLeft, kCritical},
                             {CouldNotSave("category", appsFile), kCritical}}));
    EXPECT_EQ(d->txtCategoryTitle.Text(), "Tools");
    EXPECT_EQ(rebuilds, 0);
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
}

TEST_F(NewCategoryTest, TheCategoryHoldingTheNameIsScrolledIntoViewButTheMainOnesTextIsFree) {
    Load(kSmallApps);
    tree.SetBounds({0, 0, 3000, ui::HeadlessTreeViewPeer::kRowTwips});  // one row shows
    auto d = CategoryDialog();
    EXPECT_FALSE(Finish(*d, "games"));
    EXPECT_EQ(tree.NodesOnScreen(), std::vector<ui::TreeNode*>{tree.Find("Games")});
    EXPECT_TRUE(Finish(*d, "Quopa Drive"));
}

TEST_F(NewCategoryTest, IsStoredUnderTheNextFreeNumberAndShownAtOnce) {
    Load(Category(1, "Games") + Category(2, "Deleted"));
    ASSERT_EQ(state.NextCategoryIndex, 3);
    auto d = CategoryDialog();
    int told = 0;
    d->onCategoryAdded = [&] {
        ++told;
        EXPECT_NE(tree.Find("Tools"), nullptr);  // after the rebuild
    };
    EXPECT_TRUE(Finish(*d, "Tools"));
    EXPECT_EQ(Get("quopa_apps.dat"),
              Category(1, "Games") + Category(2, "Deleted") + Category(3, "Tools"));
    EXPECT_EQ(d->AddedNumber, 3);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(state.NextCategoryIndex, 4);
}

// From the wizard's New button: a modal dialog over the wizard; a category added while the
// wizard is open reaches its list at once.
TEST_F(NewCategoryTest, TheWizardsListTakesANewCategoryIn) {
    Load(kSmallApps);
    auto adding = Fields();
    adding->Combo1.SetText("Games");
    bool wizardDisabled = false;
    backend.modalActions.push_back([&](ui::Form& f) {
        wizardDisabled = !adding->form.Enabled();
        EXPECT_TRUE(f.PressEscape());
    });
    adding->cmdNewCat.Click();
    EXPECT_EQ(backend.modalForms, Strings{"Add Category"});
    EXPECT_TRUE(wizardDisabled);
    EXPECT_EQ(rebuilds, 0);
    auto d = CategoryDialog();
    d->onCategoryAdded = [&] { adding->loadcats(); };
    EXPECT_TRUE(Finish(*d, "Tools"));
    EXPECT_EQ(Entries(adding->Combo1), (Strings{"Quopa", "Games", "Tools"}));
    EXPECT_EQ(adding->Combo1.Text(), "Quopa");
}

// A dialog opened while a load waits (a start-up load that pumps, say) finds the numbers of
// the last build stale: two categories added then must not land in one section.
TEST_F(NewCategoryTest, CategoriesAndItemsAddedWhileARebuildWaitsTakeNumbersOfTheirOwn) {
    Load(kSmallApps);   // Category1 and Application1-2 are taken; the counters say 2 and 3
    rebuild = nullptr;  // the rebuild they ask for waits for the load
    for (const char* title : {"Tools", "Web"}) EXPECT_TRUE(Finish(*CategoryDialog(), title));
    state.NextItemIndex = 1;  // as stale as it can be
    for (const char* title : {"One", "Two"})
        Fields(1, title, "http://example.org")->cmdFinish.Click();
    EXPECT_EQ((Strings{Stored("Category1", "Name"), Stored("Category2", "Name"),
                       Stored("Category3", "Name"), Stored("Application1", "Name"),
                       Stored("Application3", "Name"), Stored("Application4", "Name")}),
              (Strings{"Games", "Tools", "Web", "Notepad", "One", "Two"}));
}

}  // namespace
}  // namespace quopa::testing
