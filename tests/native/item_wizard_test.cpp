// The wizard's pages, its layouts per item type, its category list and the browse step.
#include "launch/drive_paths.h"
#include "tests/native/editor_fixture.h"

namespace quopa::testing {
namespace {

using WizardTest = EditorTest;

struct Layout {
    std::string title, description, path, pathBox;
    bool appFields;
};

Layout LayoutOf(const frmAddItem& w) {
    const bool fields = w.cmdBrowseFile.Enabled();
    const std::initializer_list<const ui::Control*> fieldControls = {
        &w.Label6, &w.txtParameters, &w.Label7, &w.txtStartIn, &w.Label9, &w.cmbWindowStyle};
    for (const ui::Control* c : fieldControls) EXPECT_EQ(c->Enabled(), fields);
    return {w.Label2.Text(), w.Label3.Text(), w.Label5.Text(), w.txtAppPath.Text(), fields};
}

void ExpectLayout(const frmAddItem& w, const Layout& want, const std::string& appType) {
    const Layout got = LayoutOf(w);
    EXPECT_EQ(got.title, want.title);
    EXPECT_EQ(got.description, want.description);
    EXPECT_EQ(got.path, want.path);
    EXPECT_EQ(got.pathBox, want.pathBox);
    EXPECT_EQ(got.appFields, want.appFields);
    EXPECT_EQ(w.AppType, appType);
}

const Layout kApp{"Application title:", "Application description:", "Executable:", "", true};
const Layout kWeb{"Website title:", "Website description:", "URL:", "http://", false};

TEST_F(WizardTest, EachTypeLaysOutTheFieldPage) {
    Load("");
    auto w = Fields(1);
    ExpectLayout(*w, kWeb, "1");
    w->SetAppType(2);  // the folder link changes nothing but the type
    ExpectLayout(*w, kWeb, "2");
    w->SetAppType(7);  // unknown types are applications; the path box keeps its text
    ExpectLayout(*w, {kApp.title, kApp.description, kApp.path, "http://", true}, "0");
    w->txtAppPath.UserTyped("C:\\x.exe");
    w->SetAppType(1);
    EXPECT_EQ(w->txtAppPath.Text(), "http://");
    w->txtAppTitle.UserTyped("A title longer than the thirty characters");
    EXPECT_EQ(w->txtAppTitle.Text().size(), 30u);
}

TEST_F(WizardTest, NextAndBackTurnThePagesAndEnterAndEscFollowThem) {
    Load("");
    auto w = Wizard();
    EXPECT_EQ(w->SSTab1.CurrentPage(), 0);
    EXPECT_TRUE(w->form.PressEnter());  // Next
    EXPECT_EQ(w->SSTab1.CurrentPage(), 1);
    ExpectLayout(*w, kApp, "0");
    w->cmdBack.Click();
    EXPECT_EQ(w->SSTab1.CurrentPage(), 0);
    EXPECT_TRUE(w->form.PressEscape());  // Cancel of page one
    EXPECT_FALSE(w->form.Loaded());
    EXPECT_EQ(rebuilds, 0);
    EXPECT_EQ(Get("quopa_apps.dat"), "");
}

// Every category is offered, "app" in its name or not; items never are.
TEST_F(WizardTest, CategoryListHoldsEveryCategoryInTreeOrder) {
    Load(Category(1, "Apps") + Category(2, "Deleted") + Category(3, "Happy") +
         Category(4, "Games") + Application(1, {.name = "Chess", .path = "E:\\c.exe"}));
    auto w = Wizard();
    EXPECT_EQ(Entries(w->Combo1), (Strings{"Quopa", "Apps", "Happy", "Games"}));
    EXPECT_EQ(w->Combo1.Text(), "Quopa");

    Load("");
    w = Wizard();
    EXPECT_EQ(Entries(w->Combo1), Strings{"Quopa"});
    EXPECT_EQ(w->Combo1.ListIndex(), 0);
}

TEST_F(WizardTest, AReloadSelectsTheMainCategoryWhileAddingAndKeepsTheEditedOnesCategory) {
    Load(kSmallApps);
    auto w = Fields();
    w->Combo1.SetText("Games");
    w->loadcats();
    EXPECT_EQ(w->Combo1.Text(), "Quopa");

    w = Wizard();
    ASSERT_TRUE(w->LoadItem("application2", "Chess"));
    w->loadcats();
    EXPECT_EQ(w->Combo1.Text(), "Games");
}

class BrowseTest : public EditorTest {
  protected:
    std::string Browse(const platform::FileDialogResult& answer, int reply = platform::kIdYes) {
        fileDialog.answers.push_back(answer);
        desktop.answers.push_back(reply);
        w->cmdBrowseFile.Click();
        desktop.answers.clear();
        return w->txtAppPath.Text();
    }
    void SetUp() override {
        EditorTest::SetUp();
        Load("");
        w = Fields();
        w->txtAppPath.UserTyped("before");
    }
    std::unique_ptr<frmAddItem> w;
};

TEST_F(BrowseTest, CancelIsSilentAndAFailureIsToldWithItsNumber) {
    EXPECT_EQ(Browse(platform::HeadlessFileDialog::Cancelled()), "before");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(Browse(platform::HeadlessFileDialog::Failed(12290, "Buffer too small")), "before");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "Error 12290 selecting file.\r\nBuffer too small");
    EXPECT_EQ(desktop.messages[0].style, platform::kMbOk);
    EXPECT_EQ(desktop.messages[0].title, kAppTitle);
}

// The drive is replaced whatever the case of its letter, so the path survives a new letter.
TEST_F(BrowseTest, AFileOnTheDriveGetsTheTokenInAnyLetterCase) {
    EXPECT_EQ(Browse(platform::HeadlessFileDialog::Chosen("E:\\Tools\\a.exe")),
              "%drive%\\Tools\\a.exe");
    EXPECT_EQ(Browse(platform::HeadlessFileDialog::Chosen("e:\\Tools\\b.exe")),
              "%drive%\\Tools\\b.exe");
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(fileDialog.calls.back().fileName, "E:\\Tools\\a.exe");  // kept for the next
}

TEST_F(BrowseTest, AFileElsewhereIsTakenUnchangedOnlyAfterYes) {
    const auto elsewhere = platform::HeadlessFileDialog::Chosen("C:\\a.exe");
    EXPECT_EQ(Browse(elsewhere, platform::kIdNo), "before");
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              "This file is not on your portable device.\r\nThis may cause file not found "
              "errors. Continue?");
    EXPECT_EQ(desktop.messages[0].style, platform::kMbIconExclamation | platform::kMbYesNo);
    EXPECT_EQ(Browse(elsewhere, platform::kIdYes), "C:\\a.exe");
}

TEST_F(BrowseTest, WithNoDriveEveryFileCountsAsOnIt) {
    state.LauncherDrive = "";
    EXPECT_EQ(Browse(platform::HeadlessFileDialog::Chosen("C:\\a.exe")), "C:\\a.exe");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(BrowseTest, OnANetworkShareTheShareRootIsTheDrive) {
    EXPECT_EQ(DriveOfFolder("E:\\Quopa"), "E:");
    EXPECT_EQ(DriveOfFolder("E:\\"), "E:");
    EXPECT_EQ(DriveOfFolder("\\\\server\\share\\tools\\quopa"), "\\\\server\\share");
    EXPECT_EQ(DriveOfFolder("\\\\server\\share"), "\\\\server\\share");
    state.LauncherDrive = "\\\\server\\share";
    EXPECT_EQ(Browse(platform::HeadlessFileDialog::Chosen("\\\\SERVER\\Share\\x\\a.exe")),
              "%drive%\\x\\a.exe");
    EXPECT_EQ(
        Browse(platform::HeadlessFileDialog::Chosen("\\\\server\\share2\\a.exe"), platform::kIdNo),
        "%drive%\\x\\a.exe");
    EXPECT_EQ(desktop.messages.size(), 1u);
}

}  // namespace
}  // namespace quopa::testing
