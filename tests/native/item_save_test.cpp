// What Finish stores, byte for byte, for new and edited items, and when it refuses.
#include "tests/native/editor_fixture.h"

namespace quopa::testing {
namespace {

class SaveTest : public EditorTest {
  protected:
    std::unique_ptr<frmAddItem> Edit(const std::string& key, const std::string& text) {
        auto w = Wizard();
        EXPECT_TRUE(w->LoadItem(key, text));
        return w;
    }
};

TEST_F(SaveTest, ANewItemWritesTheNineKeysInOrderAndShowsInTheRebuiltTree) {
    Load("");
    auto w = Fields(0, "Tool");
    fileDialog.answers.push_back(platform::HeadlessFileDialog::Chosen("E:\\Apps\\Tool\\Tool.exe"));
    w->cmdBrowseFile.Click();
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
    EXPECT_EQ(ItemsOf("Quopa"), Strings{"application1"});
}

TEST_F(SaveTest, SuccessiveNewItemsTakeTheNextNumbersAndTheirCategory) {
    Load(kSmallApps);
    auto w = Fields(1, "Site", "http://example.org");
    w->Combo1.UserPicked(1);
    w->cmdFinish.Click();
    Fields(0, "Pad", "x.exe")->cmdFinish.Click();
    EXPECT_EQ(ItemsOf("Games"), (Strings{"application2", "application3"}));
    EXPECT_EQ(Get("quopa_apps.dat"),
              kSmallApps + Application(3, {"Site", "http://example.org", "Games", "1"}) +
                  Application(4, {"Pad", "x.exe"}));
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
    EXPECT_EQ(Stored("Application1", "StartIn"), "c:\\prog\\");
    EXPECT_EQ(Stored("Application1", "Type"), "1");
}

// A refused Finish leaves the file as it was, the wizard open with what was typed and the
// item's number free for the next try, which is one replacement of the file.
TEST_F(SaveTest, ARefusedFinishChangesNothingAndTheNextTryIsOneReplacement) {
    Load(kSmallApps);
    auto w = Fields(0, "Kept", "x.exe");
    state.NextItemIndex = 10000;
    w->cmdFinish.Click();
    state.NextItemIndex = 3;
    files_.refuseReplaces = true;  // a pulled stick
    w->cmdFinish.Click();
    const std::string couldNot = "The item could not be saved to " + appsFile +
                                 ".\r\nThe drive may be write-protected or no longer there.";
    EXPECT_EQ(Told(), (Boxes{{kNoItemNumberLeft, kCritical}, {couldNot, kCritical}}));
    EXPECT_TRUE(w->form.Loaded() && w->txtAppTitle.Text() == "Kept");
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    EXPECT_EQ(state.NextItemIndex, 3);
    files_.refuseReplaces = false;
    const int before = files_.replaces;
    w->cmdFinish.Click();
    EXPECT_EQ(files_.replaces - before, 1);
    EXPECT_NE(tree.Find("application3"), nullptr);
}

// An edit opens on the fields and writes back to its own section. Both fields are judged
// before anything is written; an edit finished unchanged rewrites nothing but the same keys;
// an emptied start-in box keeps the stored folder.
TEST_F(SaveTest, AnEditWritesItsOwnSectionOnlyWhenBothFieldsAreFilled) {
    Load(kSmallApps);
    auto w = Edit("application2", "Chess");
    EXPECT_EQ(std::tuple(w->form.Text(), w->SSTab1.CurrentPage(), w->cmdBack.Enabled(),
                         w->txtParameters.Text(), w->cmbWindowStyle.Text(), w->chkAutorun.Value()),
              std::tuple("Edit existing item", 1, false, "-window", "Maximized", 1));
    w->cmdFinish.Click();
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    w = Edit("application2", "Chess");
    w->txtAppTitle.UserTyped("Chess 2");
    w->txtAppPath.UserTyped("");
    w->cmdFinish.Click();
    EXPECT_EQ(Told(), (Boxes{{"You did not fill the path field!", kExclaim}}));
    EXPECT_TRUE(w->form.Loaded());
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    w->txtAppPath.UserTyped("%drive%\\Games\\chess.exe");
    w->txtStartIn.UserTyped("");
    w->cmdFinish.Click();
    EXPECT_EQ(Stored("Application2", "StartIn"), "%drive%\\games\\");
    EXPECT_EQ(Shape(), "Quopa+[application1] Games+[application2]");
    EXPECT_EQ(tree.Find("application2")->Text(), "Chess 2");
}

// Only item nodes can be edited: a category's key names no item section. A web link opens
// with its own layout, and an odd type keeps the design's empty keys.
TEST_F(SaveTest, OnlyAnItemKeyOpensForEditingAndAnOddTypeKeepsTheDesignsEmptyKeys) {
    Load(Category(1, "Apps") +
         Application(1, {.name = "Site", .path = "http://a.org", .category = "Apps", .type = "1"}) +
         Application(2, {.name = "Odd", .path = "x.exe", .type = "one"}));
    auto w = Wizard();
    for (const char* key : {"Apps", "Quopa", "", "application", "application1x"})
        EXPECT_FALSE(w->LoadItem(key, "x")) << key;
    EXPECT_EQ(w->form.Text(), "Add new item");
    w = Edit("application1", "Site");
    EXPECT_EQ(w->Label5.Text() + w->txtAppPath.Text(), "URL:http://a.org");
    w->cmdFinish.Click();  // "App" in the category's name
    EXPECT_EQ(ItemsOf("Apps"), Strings{"application1"});
    w = Edit("application2", "Odd");
    EXPECT_EQ(w->Label5.Text(), "Executable:");
    w->cmdFinish.Click();
    EXPECT_NE(Get("quopa_apps.dat")
                  .find("Type=\r\nParameters=\"\"\r\nStartIn=\r\nWindowStyle=Normal\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace quopa::testing
