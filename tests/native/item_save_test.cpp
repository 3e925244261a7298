// What Finish stores, byte for byte, for new and edited items, and when it refuses.
#include <sys/stat.h>

#include "context/messages.h"
#include "tests/native/editor_fixture.h"

namespace quopa::testing {
namespace {

class SaveTest : public EditorTest {
  protected:
    std::unique_ptr<frmAddItem> Filled(int type, const std::string& title,
                                       const std::string& path) {
        auto w = Fields(type);
        w->txtAppTitle.UserTyped(title);
        w->txtAppPath.UserTyped(path);
        return w;
    }
    std::unique_ptr<frmAddItem> Edit(const std::string& key, const std::string& text) {
        auto w = Wizard();
        EXPECT_TRUE(w->LoadItem(key, text));
        return w;
    }
};

TEST_F(SaveTest, ANewItemWritesTheNineKeysInOrderAndShowsInTheRebuiltTree) {
    Load("");
    auto w = Fields();
    fileDialog.answers.push_back(platform::HeadlessFileDialog::Chosen("E:\\Apps\\Tool\\Tool.exe"));
    w->cmdBrowseFile.Click();
    w->txtAppTitle.UserTyped("Tool");
    w->txtAppDescription.UserTyped("A tool");
    w->txtParameters.UserTyped(" -x ");
    w->cmbWindowStyle.UserPicked(1);
    w->chkAutorun.UserClicked();
    w->cmdFinish.Click();
    EXPECT_EQ(Get("quopa_apps.dat"),
              "[Application1]\r\nName=Tool\r\nDescription=A tool\r\n"
              "Path=%drive%\\Apps\\Tool\\Tool.exe\r\nCategory=Quopa\r\nAutorun=1\r\nType=0\r\n"
              "Parameters=\" -x \"\r\nStartIn=%drive%\\apps\\tool\\\r\nWindowStyle=Maximized\r\n");
    EXPECT_FALSE(w->form.Loaded());
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(ItemsOf("Quopa"), Strings{"application1"});
    EXPECT_EQ(ini.ReadIni("Application1", "Parameters", "", appsFile), " -x ");
}

TEST_F(SaveTest, SuccessiveNewItemsTakeTheNextNumbersAndTheirCategory) {
    Load(kSmallApps);
    auto w = Filled(1, "Site", "http://example.org");
    w->Combo1.UserPicked(1);
    w->cmdFinish.Click();
    Filled(0, "Pad", "x.exe")->cmdFinish.Click();
    EXPECT_EQ(ItemsOf("Games"), (Strings{"application2", "application3"}));
    EXPECT_EQ(Get("quopa_apps.dat").substr(kSmallApps.size()),
              "[Application3]\r\nName=Site\r\nDescription=\r\nPath=http://example.org\r\n"
              "Category=Games\r\nAutorun=0\r\nType=1\r\nParameters=\"\"\r\nStartIn=\r\n"
              "WindowStyle=Normal\r\n"
              "[Application4]\r\nName=Pad\r\nDescription=\r\nPath=x.exe\r\nCategory=Quopa\r\n"
              "Autorun=0\r\nType=0\r\nParameters=\"\"\r\nStartIn=\r\nWindowStyle=Normal\r\n");
}

// The folder of the last browsed file, whatever the path box holds by now.
TEST_F(SaveTest, StartInComesFromTheLastFileChosenEvenForAWebLink) {
    Load("");
    auto w = Fields();
    fileDialog.answers.push_back(platform::HeadlessFileDialog::Chosen("C:\\Prog\\X.exe"));
    desktop.answers.push_back(platform::kIdNo);
    w->cmdBrowseFile.Click();
    w->cmdBack.Click();
    w->Option2.UserClicked();
    w->cmdNext.Click();
    w->txtAppTitle.UserTyped("Site");
    w->cmdFinish.Click();
    EXPECT_EQ(ini.ReadIni("Application1", "StartIn", "", appsFile), "c:\\prog\\");
    EXPECT_EQ(ini.ReadIni("Application1", "Type", "", appsFile), "1");
}

TEST_F(SaveTest, EmptyFieldsAreRefusedBeforeAnythingIsWritten) {
    Load(kSmallApps);
    auto w = Filled(0, "", "x.exe");
    w->cmdFinish.Click();
    EXPECT_EQ(w->NewAppType, "Application3");
    w = Edit("application1", "Notepad");
    w->txtAppTitle.UserTyped("Renamed");
    w->txtAppPath.UserTyped("");
    w->cmdFinish.Click();
    EXPECT_EQ(Texts(),
              (Strings{"You did not fill the title field!", "You did not fill the path field!"}));
    EXPECT_EQ(desktop.messages[0].style, platform::kMbIconExclamation | platform::kMbOk);
    EXPECT_TRUE(w->form.Loaded());
    w->cmdCancel2.Click();
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    EXPECT_EQ(rebuilds, 0);
}

TEST_F(SaveTest, WithEveryItemNumberTakenNothingIsWritten) {
    Load(kSmallApps);
    state.NextItemIndex = 10000;
    auto w = Filled(0, "One too many", "x.exe");
    w->cmdFinish.Click();
    EXPECT_EQ(Texts(), Strings{kNoItemNumberLeft});
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    EXPECT_TRUE(w->form.Loaded());
}

TEST_F(SaveTest, AReadOnlyFileIsToldAndTheWizardKeepsWhatWasTyped) {
    Load(kSmallApps);
    chmod(Host("quopa_apps.dat").c_str(), 0444);
    auto w = Filled(0, "Kept", "x.exe");
    w->cmdFinish.Click();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text,
              "The item could not be saved to " + appsFile +
                  ".\r\nThe drive may be write-protected or no longer there.");
    EXPECT_EQ(desktop.messages[0].style, platform::kMbIconCritical | platform::kMbOk);
    EXPECT_TRUE(w->form.Loaded());
    EXPECT_EQ(w->txtAppTitle.Text(), "Kept");
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
}

// A pulled stick leaves the file as it was, and the item's number free for the next try.
TEST_F(SaveTest, AFinishIsOneReplacementOfTheFileOrNone) {
    Load(kSmallApps);
    auto w = Filled(0, "Whole", "x.exe");
    files_.refuseReplaces = true;
    w->cmdFinish.Click();
    EXPECT_TRUE(w->form.Loaded());
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    EXPECT_EQ(state.NextItemIndex, 3);
    files_.refuseReplaces = false;
    const int before = files_.replaces;
    w->cmdFinish.Click();
    EXPECT_EQ(files_.replaces - before, 1);
    EXPECT_NE(tree.Find("application3"), nullptr);
}

TEST_F(SaveTest, EditingAndFinishingUnchangedKeepsTheKeys) {
    Load(kSmallApps);
    for (const auto& [key, text] :
         {std::pair{"application1", "Notepad"}, {"application2", "Chess"}})
        Edit(key, text)->cmdFinish.Click();
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    EXPECT_EQ(rebuilds, 2);
}

TEST_F(SaveTest, AnEditOpensOnTheFieldsAndWritesBackToItsOwnSection) {
    Load(kSmallApps);
    auto w = Edit("application2", "Chess");
    EXPECT_EQ(w->form.Text(), "Edit existing item");
    EXPECT_EQ(w->SSTab1.CurrentPage(), 1);
    EXPECT_FALSE(w->cmdBack.Enabled());
    EXPECT_EQ(w->txtParameters.Text(), "-window");
    EXPECT_EQ(w->cmbWindowStyle.Text(), "Maximized");
    EXPECT_EQ(w->chkAutorun.Value(), 1);
    w->txtStartIn.UserTyped("");  // an emptied start-in box keeps the stored folder
    w->txtAppTitle.UserTyped("Chess 2");
    w->cmdFinish.Click();
    EXPECT_EQ(ini.ReadIni("Application2", "StartIn", "", appsFile), "%drive%\\games\\");
    EXPECT_EQ(tree.Find("application2")->Text(), "Chess 2");
    EXPECT_EQ(tree.Find("application3"), nullptr);
}

TEST_F(SaveTest, AWebLinkOpensWithItsOwnLayoutAndItsUrl) {
    Load(Application(1, {.name = "Site", .path = "http://a.org", .type = "1"}) +
         Application(2, {.name = "Odd", .path = "x.exe", .type = "one"}));
    auto w = Edit("application1", "Site");
    EXPECT_EQ(w->Label5.Text(), "URL:");
    EXPECT_EQ(w->txtAppPath.Text(), "http://a.org");
    EXPECT_FALSE(w->txtParameters.Enabled());
    w = Edit("application2", "Odd");  // no whole number: design layout, type kept empty
    EXPECT_EQ(w->Label5.Text(), "Executable:");
    w->cmdFinish.Click();
    EXPECT_NE(Get("quopa_apps.dat")
                  .find("Type=\r\nParameters=\"\"\r\nStartIn=\r\nWindowStyle=Normal\r\n"),
              std::string::npos);
}

// Only item nodes can be edited: a category's key names no item section.
TEST_F(SaveTest, OnlyAnItemKeyOpensForEditing) {
    Load(kSmallApps);
    auto w = Wizard();
    for (const char* key : {"Games", "Quopa", "", "application", "application2x"})
        EXPECT_FALSE(w->LoadItem(key, "x")) << key;
    EXPECT_FALSE(w->EditApp);
    EXPECT_EQ(w->form.Text(), "Add new item");
}

TEST_F(SaveTest, AnEditedItemOfACategoryWithAppInItsNameStaysThere) {
    Load(Category(1, "Apps") +
         Application(1, {.name = "Tool", .path = "t.exe", .category = "Apps"}));
    Edit("application1", "Tool")->cmdFinish.Click();
    EXPECT_EQ(ItemsOf("Apps"), Strings{"application1"});
}

}  // namespace
}  // namespace quopa::testing
