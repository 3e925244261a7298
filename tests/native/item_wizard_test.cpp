// The wizard's pages, its layouts per item type, its category list and the browse step; the
// new-category dialog, its refusals and who hears of it.
#include <sys/stat.h>

#include "launch/drive_paths.h"
#include "tests/native/editor_fixture.h"
#include "ui/headless/headless_tree_view.h"

namespace quopa::testing {
namespace {

using WizardTest = EditorTest;
using Dialog = platform::HeadlessFileDialog;

// A web link's page has no program fields; unknown types are applications, and the path
// box keeps its text.
TEST_F(WizardTest, EachTypeLaysOutTheFieldPage) {
    Load("");
    auto w = Fields(1);
    const auto page = [&] {
        return w->Label5.Text() + w->txtAppPath.Text() + (w->txtParameters.Enabled() ? "+" : "-") +
               (w->cmdBrowseFile.Enabled() ? "+" : "-") + w->AppType;
    };
    EXPECT_EQ(page(), "URL:http://--1");
    w->SetAppType(7);
    EXPECT_EQ(page(), "Executable:http://++0");
    w->txtAppTitle.UserTyped(std::string(40, 't'));
    EXPECT_EQ(w->txtAppTitle.Text().size(), 30u);
}

// Every category is offered, "app" in its name or not; items never are. A reload picks the
// main category while adding and keeps an edited item's own.
TEST_F(WizardTest, CategoryListHoldsEveryCategoryInTreeOrder) {
    Load(Category(1, "Apps") + Category(2, "Deleted") + Category(3, "Happy") +
         Category(4, "Games") + Application(1, {.name = "Chess", .path = "E:\\c.exe"}) +
         Application(2, {.name = "Go", .path = "E:\\g.exe", .category = "Games"}));
    auto w = Fields();
    EXPECT_EQ(Entries(w->Combo1), (Strings{"Quopa", "Apps", "Happy", "Games"}));
    w->Combo1.SetText("Games");
    w->loadcats();
    EXPECT_EQ(w->Combo1.Text(), "Quopa");
    w = Wizard();
    ASSERT_TRUE(w->LoadItem("application2", "Go"));
    w->loadcats();
    EXPECT_EQ(w->Combo1.Text(), "Games");
}

// A file on the drive gets the token whatever the case of its letter, so the path survives a
// new letter; one elsewhere is taken unchanged only after Yes. On a share its root stands for
// the drive.
TEST_F(WizardTest, BrowsingTakesTheFileAsTheDriveWillFindItAgain) {
    const std::string elsewhere =
        "This file is not on your portable device.\r\nThis may cause file not found errors. "
        "Continue?";
    const std::string failed = "Error 12290 selecting file.\r\nBuffer too small";
    const std::string share = "\\\\server\\share";
    const int no = platform::kIdNo;
    const struct {
        std::string drive;
        platform::FileDialogResult answer;
        int reply;
        std::string box, told;
    } cases[] = {
        {"E:", Dialog::Cancelled(), 0, "before", ""},
        {"E:", Dialog::Failed(12290, "Buffer too small"), 0, "before", failed},
        {"E:", Dialog::Chosen("E:\\Tools\\a.exe"), 0, "%drive%\\Tools\\a.exe", ""},
        {"E:", Dialog::Chosen("e:\\Tools\\b.exe"), 0, "%drive%\\Tools\\b.exe", ""},
        {"E:", Dialog::Chosen("C:\\a.exe"), no, "before", elsewhere},
        {"E:", Dialog::Chosen("C:\\a.exe"), platform::kIdYes, "C:\\a.exe", elsewhere},
        {"", Dialog::Chosen("C:\\a.exe"), 0, "C:\\a.exe", ""},  // no drive: all is on it
        {share, Dialog::Chosen("\\\\SERVER\\Share\\x\\a.exe"), 0, "%drive%\\x\\a.exe", ""},
        {share, Dialog::Chosen("\\\\server\\share2\\a.exe"), no, "before", elsewhere},
    };
    Load("");
    auto w = Fields();
    for (const auto& c : cases) {
        state.LauncherDrive = c.drive;
        w->txtAppPath.UserTyped("before");
        fileDialog.answers.push_back(c.answer);
        if (c.reply) desktop.answers.push_back(c.reply);
        w->cmdBrowseFile.Click();
        EXPECT_EQ(w->txtAppPath.Text(), c.box) << c.answer.fileName;
        Boxes want;
        if (!c.told.empty())
            want = {{c.told, c.told == failed ? platform::kMbOk : kExclaim | platform::kMbYesNo}};
        EXPECT_EQ(Told(), want) << c.answer.fileName;
    }
    EXPECT_EQ(fileDialog.calls.at(3).fileName, "E:\\Tools\\a.exe") << "the last choice, again";
    EXPECT_EQ(DriveOfFolder("E:\\Quopa") + DriveOfFolder("\\\\server\\share\\tools\\quopa"),
              "E:\\\\server\\share");
}

using NewCategoryTest = EditorTest;

// Types the title and presses Finish; true when the dialog closed.
bool Finish(frmNewCategory& d, const std::string& title) {
    d.txtCategoryTitle.UserTyped(title);
    d.cmdFinish.Click();
    return !d.form.Loaded();
}

// Any node key in any letter case is taken, but not the main category's text; a refusal
// writes nothing and keeps the title.
TEST_F(NewCategoryTest, ATakenTitleNoFreeNumberOrARefusedWriteIsToldAndWritesNothing) {
    Load(kSmallApps);
    tree.SetBounds({0, 0, 3000, ui::HeadlessTreeViewPeer::kRowTwips});  // one row shows
    auto d = CategoryDialog();
    EXPECT_FALSE(Finish(*d, "games"));
    EXPECT_EQ(tree.NodesOnScreen(), std::vector<ui::TreeNode*>{tree.Find("Games")})
        << "the category holding the name is shown";
    state.NextCategoryIndex = 10000;
    EXPECT_FALSE(Finish(*d, "Tools"));
    state.NextCategoryIndex = 2;
    chmod(Host("quopa_apps.dat").c_str(), 0444);
    EXPECT_FALSE(Finish(*d, "Tools"));
    EXPECT_EQ(Told(), (Boxes{{"That category name is not unique!", kExclaim},
                             {kNoCategoryNumberLeft, kCritical},
                             {CouldNotSave("category", appsFile), kCritical}}));
    EXPECT_EQ(d->txtCategoryTitle.Text(), "Tools");
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    chmod(Host("quopa_apps.dat").c_str(), 0644);
    EXPECT_TRUE(Finish(*d, "Quopa Drive"));
}

// From the wizard's New button: a modal dialog over the wizard; a category added while the
// wizard is open reaches its list at once, after the tree is rebuilt.
TEST_F(NewCategoryTest, IsStoredUnderTheNextFreeNumberAndTheWizardsListTakesItIn) {
    Load(Category(1, "Games") + Category(2, "Deleted"));
    auto adding = Fields();
    bool wizardDisabled = false;
    backend.modalActions.push_back([&](ui::Form& f) {
        wizardDisabled = !adding->form.Enabled();
        EXPECT_TRUE(f.PressEscape());
    });
    adding->cmdNewCat.Click();
    EXPECT_EQ(backend.modalForms, Strings{"Add Category"});
    EXPECT_TRUE(wizardDisabled);
    auto d = CategoryDialog();
    d->onCategoryAdded = [&] { adding->loadcats(); };
    EXPECT_TRUE(Finish(*d, "Tools"));
    EXPECT_EQ(Get("quopa_apps.dat"),
              Category(1, "Games") + Category(2, "Deleted") + Category(3, "Tools"));
    EXPECT_EQ(d->AddedNumber, 3);
    EXPECT_EQ(state.NextCategoryIndex, 4);
    EXPECT_EQ(Entries(adding->Combo1), (Strings{"Quopa", "Games", "Tools"}));
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
    EXPECT_EQ((Strings{Stored("Category2", "Name"), Stored("Category3", "Name"),
                       Stored("Application1", "Name"), Stored("Application3", "Name"),
                       Stored("Application4", "Name")}),
              (Strings{"Tools", "Web", "Notepad", "One", "Two"}));
}

}  // namespace
}  // namespace quopa::testing
