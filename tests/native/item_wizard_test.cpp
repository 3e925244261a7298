// The wizard's pages, its layouts per item type, its category list and the browse step.
#include "launch/drive_paths.h"
#include "tests/native/editor_fixture.h"

namespace quopa::testing {
namespace {

using WizardTest = EditorTest;
using Dialog = platform::HeadlessFileDialog;

// The field page as the user sees it: its labels, the path box, which of the program's own
// fields are open, and the type to be stored.
Strings Page(const frmAddItem& w) {
    std::string on;
    for (const ui::Control* c : std::initializer_list<const ui::Control*>{
             &w.cmdBrowseFile, &w.Label6, &w.txtParameters, &w.Label7, &w.txtStartIn, &w.Label9,
             &w.cmbWindowStyle})
        on += c->Enabled() ? '+' : '-';
    return {w.Label2.Text(), w.Label3.Text(), w.Label5.Text(), w.txtAppPath.Text(), on, w.AppType};
}

const Strings kApp{
    "Application title:", "Application description:", "Executable:", "", "+++++++", "0"};
const Strings kWeb{"Website title:", "Website description:", "URL:", "http://", "-------", "1"};

TEST_F(WizardTest, EachTypeLaysOutTheFieldPage) {
    Load("");
    auto w = Fields(1);
    EXPECT_EQ(Page(*w), kWeb);
    w->SetAppType(2);  // the folder link changes nothing but the type
    Strings folder = kWeb;
    folder[5] = "2";
    EXPECT_EQ(Page(*w), folder);
    w->SetAppType(7);  // unknown types are applications; the path box keeps its text
    Strings unknown = kApp;
    unknown[3] = "http://";
    EXPECT_EQ(Page(*w), unknown);
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
    EXPECT_EQ(Page(*w), kApp);
    w->cmdBack.Click();
    EXPECT_EQ(w->SSTab1.CurrentPage(), 0);
    EXPECT_TRUE(w->form.PressEscape());  // Cancel of page one
    EXPECT_FALSE(w->form.Loaded());
    EXPECT_EQ(rebuilds, 0);
    EXPECT_EQ(Get("quopa_apps.dat"), "");
}

// Every category is offered, "app" in its name or not; items never are. A reload picks the
// main category while adding and keeps an edited item's own.
TEST_F(WizardTest, CategoryListHoldsEveryCategoryInTreeOrder) {
    Load("");
    EXPECT_EQ(Entries(Wizard()->Combo1), Strings{"Quopa"});
    Load(Category(1, "Apps") + Category(2, "Deleted") + Category(3, "Happy") +
         Category(4, "Games") + Application(1, {.name = "Chess", .path = "E:\\c.exe"}) +
         Application(2, {.name = "Go", .path = "E:\\g.exe", .category = "Games"}));
    auto w = Fields();
    EXPECT_EQ(Entries(w->Combo1), (Strings{"Quopa", "Apps", "Happy", "Games"}));
    EXPECT_EQ(w->Combo1.ListIndex(), 0);
    w->Combo1.SetText("Games");
    w->loadcats();
    EXPECT_EQ(w->Combo1.Text(), "Quopa");
    w = Wizard();
    ASSERT_TRUE(w->LoadItem("application2", "Go"));
    w->loadcats();
    EXPECT_EQ(w->Combo1.Text(), "Games");
}

// A file on the drive gets the token whatever the case of its letter, so the path survives a
// new letter; one elsewhere is taken unchanged only after Yes.
TEST_F(WizardTest, BrowsingTakesTheFileAsTheDriveWillFindItAgain) {
    const std::string elsewhere =
        "This file is not on your portable device.\r\nThis may cause file not found errors. "
        "Continue?";
    const std::string failed = "Error 12290 selecting file.\r\nBuffer too small";
    const std::string share = "\\\\server\\share";
    const int no = platform::kIdNo;
    struct Case {
        std::string drive;
        platform::FileDialogResult answer;
        int reply;
        std::string box, told;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        state.LauncherDrive = c.drive;
        w->txtAppPath.UserTyped("before");
        fileDialog.answers.push_back(c.answer);
        if (c.reply) desktop.answers.push_back(c.reply);
        w->cmdBrowseFile.Click();
        EXPECT_EQ(w->txtAppPath.Text(), c.box) << c.answer.fileName;
        Boxes want;
        if (!c.told.empty()) {
            EXPECT_EQ(desktop.messages.at(0).title, kAppTitle);
            want = {{c.told, c.told == failed ? platform::kMbOk : kExclaim | platform::kMbYesNo}};
        }
        EXPECT_EQ(Told(), want) << c.answer.fileName;
    }
    EXPECT_EQ(fileDialog.calls.at(3).fileName, "E:\\Tools\\a.exe") << "the last choice, again";
}

// On a network share the share's root stands for the drive.
TEST(DriveOfFolder, IsTheLetterOrTheShareRoot) {
    EXPECT_EQ(DriveOfFolder("E:\\Quopa"), "E:");
    EXPECT_EQ(DriveOfFolder("E:\\"), "E:");
    EXPECT_EQ(DriveOfFolder("\\\\server\\share\\tools\\quopa"), "\\\\server\\share");
    EXPECT_EQ(DriveOfFolder("\\\\server\\share"), "\\\\server\\share");
}

}  // namespace
}  // namespace quopa::testing
