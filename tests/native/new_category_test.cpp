// The new-category dialog: its refusals, where it stores a category, and who hears of it.
#include <sys/stat.h>

#include "context/messages.h"
#include "tests/native/editor_fixture.h"
#include "ui/headless/headless_tree_view.h"

namespace quopa::testing {
namespace {

class NewCategoryTest : public EditorTest {
  protected:
    std::unique_ptr<frmNewCategory> Dialog() {
        auto d = std::make_unique<frmNewCategory>(ctx, tree, rebuild);
        d->Create();
        return d;
    }
    // Types the title and presses Finish; true when the dialog closed.
    bool Finish(frmNewCategory& d, const std::string& title) {
        d.txtCategoryTitle.UserTyped(title);
        d.cmdFinish.Click();
        return !d.form.Loaded();
    }
};

// Any node key in any letter case is taken, and so is the name that marks a deletion; a
// refusal writes nothing.
TEST_F(NewCategoryTest, AnEmptyOrTakenTitleOrNoFreeNumberIsRefused) {
    Load(kSmallApps);
    auto d = Dialog();
    EXPECT_FALSE(Finish(*d, ""));
    EXPECT_EQ(Texts(), Strings{"You did not enter a title!"});
    EXPECT_EQ(desktop.messages[0].style, platform::kMbIconCritical | platform::kMbOk);
    for (const char* title : {"Quopa", "games", "GAMES", "Application2", "Deleted"}) {
        desktop.messages.clear();
        EXPECT_FALSE(Finish(*d, title)) << title;
        EXPECT_EQ(Texts(), Strings{"That category name is not unique!"}) << title;
        EXPECT_EQ(desktop.messages[0].style, platform::kMbIconExclamation | platform::kMbOk);
    }
    desktop.messages.clear();
    state.NextCategoryIndex = 10000;
    EXPECT_FALSE(Finish(*d, "Tools"));
    EXPECT_EQ(Texts(), Strings{kNoCategoryNumberLeft});
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
}

TEST_F(NewCategoryTest, TheCategoryHoldingTheNameIsScrolledIntoView) {
    Load(kSmallApps);
    tree.SetBounds({0, 0, 3000, ui::HeadlessTreeViewPeer::kRowTwips});  // one row shows
    EXPECT_FALSE(Finish(*Dialog(), "games"));
    EXPECT_EQ(tree.NodesOnScreen(), std::vector<ui::TreeNode*>{tree.Find("Games")});
}

TEST_F(NewCategoryTest, TheMainCategorysTextIsNoKey) {
    Load(kSmallApps);
    EXPECT_TRUE(Finish(*Dialog(), "Quopa Drive"));
}

TEST_F(NewCategoryTest, IsStoredUnderTheNextFreeNumberAndShownAtOnce) {
    Load(Category(1, "Games") + Category(2, "Deleted"));
    ASSERT_EQ(state.NextCategoryIndex, 3);
    auto d = Dialog();
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

TEST_F(NewCategoryTest, AFailedWriteIsToldAndTheDialogKeepsTheTitle) {
    Load(kSmallApps);
    chmod(Host("quopa_apps.dat").c_str(), 0444);
    auto d = Dialog();
    EXPECT_FALSE(Finish(*d, "Tools"));
    EXPECT_EQ(Texts(), Strings{"The category could not be saved to " + appsFile +
                               ".\r\nThe drive may be write-protected or no longer there."});
    EXPECT_EQ(d->txtCategoryTitle.Text(), "Tools");
    EXPECT_EQ(rebuilds, 0);
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

    auto d = Dialog();
    d->onCategoryAdded = [&] { adding->loadcats(); };
    EXPECT_TRUE(Finish(*d, "Tools"));
    EXPECT_EQ(Entries(adding->Combo1), (Strings{"Quopa", "Games", "Tools"}));
    EXPECT_EQ(adding->Combo1.Text(), "Quopa");
}

}  // namespace
}  // namespace quopa::testing

namespace quopa::testing {
namespace {

// A dialog opened while a load waits (a start-up load that pumps, say) finds the numbers of
// the last build stale: two categories added then must not land in one section.
class WaitingRebuildTest : public EditorTest {};

TEST_F(WaitingRebuildTest, CategoriesAndItemsAddedWhileARebuildWaitsTakeNumbersOfTheirOwn) {
    Load(kSmallApps);   // Category1 and Application1-2 are taken; the counters say 2 and 3
    rebuild = nullptr;  // the rebuild they ask for waits for the load
    for (const char* title : {"Tools", "Web"}) {
        frmNewCategory d(ctx, tree, rebuild);
        d.Create();
        d.txtCategoryTitle.UserTyped(title);
        d.cmdFinish.Click();
    }
    state.NextItemIndex = 1;  // as stale as it can be
    for (const char* title : {"One", "Two"}) {
        auto wizard = Fields();
        wizard->txtAppTitle.UserTyped(title);
        wizard->txtAppPath.UserTyped("http://example.org");
        wizard->cmdFinish.Click();
    }
    EXPECT_EQ(ini.ReadIni("Category1", "Name", "", appsFile), "Games");
    EXPECT_EQ(ini.ReadIni("Category2", "Name", "", appsFile), "Tools");
    EXPECT_EQ(ini.ReadIni("Category3", "Name", "", appsFile), "Web");
    EXPECT_EQ(ini.ReadIni("Application1", "Name", "", appsFile), "Notepad");
    EXPECT_EQ(ini.ReadIni("Application3", "Name", "", appsFile), "One");
    EXPECT_EQ(ini.ReadIni("Application4", "Name", "", appsFile), "Two");
}

}  // namespace
}  // namespace quopa::testing
