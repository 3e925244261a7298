// The item wizard and the category dialog over a tree loaded from a drive E:: the wizard's
// pages, its category list and the browse step; what Finish stores, byte for byte, for new
// and edited items, and when it refuses; the category dialog's refusals and who hears of it.
#include <sys/stat.h>

#include "context/messages.h"
#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "launch/drive_paths.h"
#include "tests/native/main_window_fixture.h"
#include "tests/native/tree_fixture.h"

namespace quopa::testing {
namespace {

// The small apps file as the program writes it.
const std::string kSmallApps =
    Category(1, "Games") +
    Application(1, {"Notepad", "%drive%\\Tools\\notepad2.exe", "Quopa", "0", "0", "\"\"",
                    "%drive%\\tools\\"}) +
    Application(2, {"Chess", "%drive%\\Games\\chess.exe", "Games", "0", "1", "\"-window\"",
                    "%drive%\\games\\", "Maximized"});

class EditorTest : public TreeTest {
  protected:
    void SetUp() override {
        TreeTest::SetUp();
        state.AutorunDone = true;  // no launches while loading
        form.Show();
    }
    void Load(const std::string& apps) {
        Apps(apps);
        loader.IntList();
    }
    std::unique_ptr<frmAddItem> Wizard() {
        auto wizard = std::make_unique<frmAddItem>(ctx, tree, rebuild);
        wizard->Create();
        return wizard;
    }
    // The wizard on its field page for a new item of type `type`, maybe filled in.
    std::unique_ptr<frmAddItem> Fields(int type = 0, const char* title = nullptr,
                                       const char* path = nullptr) {
        auto wizard = Wizard();
        (type == 0 ? wizard->Option1 : wizard->Option2).UserClicked();
        wizard->cmdNext.Click();
        if (title) wizard->txtAppTitle.UserTyped(title);
        if (path) wizard->txtAppPath.UserTyped(path);
        return wizard;
    }
    std::unique_ptr<frmAddItem> Edit(const std::string& key, const std::string& text) {
        auto w = Wizard();
        EXPECT_TRUE(w->LoadItem(key, text));
        return w;
    }
    std::unique_ptr<frmNewCategory> CategoryDialog() {
        auto d = std::make_unique<frmNewCategory>(ctx, tree, rebuild);
        d->Create();
        return d;
    }
    std::string Stored(const std::string& section, const char* key) {
        return ini.ReadIni(section, key, "", appsFile);
    }

    AppContext ctx{backend, services, ini, state, "E:\\"};
    std::function<void()> rebuild = [this] { loader.IntList(); };
};

using Dialog = platform::HeadlessFileDialog;

// A web link's page has no program fields; unknown types are applications, and the path
// box keeps its text.
TEST_F(EditorTest, EachTypeLaysOutTheFieldPageAndBrowsingTakesTheFileAsTheDriveFindsIt) {
    Load("");
    auto w = Fields(1);
    const auto page = [&] {
        return w->Label5.Text() + w->txtAppPath.Text() + (w->txtParameters.Enabled() ? "+" : "-") +
               (w->cmdBrowseFile.Enabled() ? "+" : "-") + w->AppType;
    };
    EXPECT_EQ(page(), "URL:http://--1");
    w->SetAppType(7);
    EXPECT_EQ(page(), "Executable:http://++0");
    std::string sun40;  // Japanese: three bytes a character
    for (int i = 0; i < 40; ++i) sun40 += "\xE6\x97\xA5";
    w->txtAppTitle.UserTyped(sun40);
    EXPECT_EQ(w->txtAppTitle.Text(), sun40.substr(0, 90)) << "30 characters, none cut";
    // Browsing: a file on the drive gets the token whatever the case of its letter, so the
    // path survives a new letter; one elsewhere is taken unchanged only after Yes. On a share
    // its root stands for the drive.
    const std::string elsewhere =
        "This file is not on your portable device.\r\nThis may cause file not found errors. "
        "Continue?";
    const std::string failed = "Error 12290 selecting file.\r\nBuffer too small";
    const std::string share = "\\\\server\\share";
    // The path box afterwards; a file elsewhere is refused unless the answer is Yes.
    const struct {
        std::string drive;
        platform::FileDialogResult answer;
        std::string box, told;
    } cases[] = {{"E:", Dialog::Failed(12290, "Buffer too small"), "before", failed},
                 {"E:", Dialog::Chosen("E:\\Tools\\a.exe"), "%drive%\\Tools\\a.exe", ""},
                 {"E:", Dialog::Chosen("e:\\Tools\\b.exe"), "%drive%\\Tools\\b.exe", ""},
                 {"E:", Dialog::Chosen("C:\\a.exe"), "before", elsewhere},
                 {"E:", Dialog::Chosen("C:\\a.exe"), "C:\\a.exe", elsewhere},
                 {"", Dialog::Chosen("C:\\a.exe"), "C:\\a.exe", ""},  // no drive: all is on it
                 {share, Dialog::Chosen("\\\\SERVER\\Share\\x\\a.exe"), "%drive%\\x\\a.exe", ""},
                 {share, Dialog::Chosen("\\\\server\\share2\\a.exe"), "before", elsewhere}};
    for (const auto& c : cases) {
        state.LauncherDrive = c.drive;
        w->txtAppPath.UserTyped("before");
        fileDialog.answers.push_back(c.answer);
        desktop.answers.push_back(c.box == "before" ? platform::kIdNo : platform::kIdYes);
        w->cmdBrowseFile.Click();
        EXPECT_EQ(w->txtAppPath.Text(), c.box) << c.answer.fileName;
        Boxes want;
        if (!c.told.empty())
            want = {{c.told, c.told == failed ? platform::kMbOk : kExclaim | platform::kMbYesNo}};
        EXPECT_EQ(Told(desktop), want) << c.answer.fileName;
        desktop.answers.clear();
    }
    EXPECT_EQ(fileDialog.calls.at(2).fileName, "E:\\Tools\\a.exe") << "the last choice, again";
    EXPECT_EQ(DriveOfFolder("E:\\Quopa") + DriveOfFolder("\\\\server\\share\\tools\\quopa"),
              "E:\\\\server\\share");
}

// Every category is offered, "app" in its name or not; items never are. A reload picks the
// main category while adding and keeps an edited item's own.
TEST_F(EditorTest, CategoryListHoldsEveryCategoryInTreeOrder) {
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

// Types the title and presses Finish; true when the dialog closed.
bool Finish(frmNewCategory& d, const std::string& title) {
    d.txtCategoryTitle.UserTyped(title);
    d.cmdFinish.Click();
    return !d.form.Loaded();
}

// Any node key in any letter case is taken, but not the main category's text; a refusal
// writes nothing and keeps the title.
TEST_F(EditorTest, ATakenTitleNoFreeNumberOrARefusedWriteIsToldAndWritesNothing) {
    Load(kSmallApps);
    auto d = CategoryDialog();
    EXPECT_FALSE(Finish(*d, "games"));
    state.NextCategoryIndex = 10000;
    EXPECT_FALSE(Finish(*d, "Tools"));
    state.NextCategoryIndex = 2;
    chmod(Host("quopa_apps.dat").c_str(), 0444);
    EXPECT_FALSE(Finish(*d, "Tools"));
    EXPECT_EQ(Told(desktop), (Boxes{{"That category name is not unique!", kExclaim},
                                    {kNoCategoryNumberLeft, kCritical},
                                    {CouldNotSave("category", appsFile), kCritical}}));
    EXPECT_EQ(d->txtCategoryTitle.Text(), "Tools");
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps);
    chmod(Host("quopa_apps.dat").c_str(), 0644);
    EXPECT_TRUE(Finish(*d, "Quopa Drive"));
}

// From the wizard's New button: a modal dialog over the wizard; a category added while the
// wizard is open reaches its list at once, after the tree is rebuilt.
TEST_F(EditorTest, IsStoredUnderTheNextFreeNumberAndTheWizardsListTakesItIn) {
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
    EXPECT_EQ(d->AddedNumber + 10 * state.NextCategoryIndex, 43);
    EXPECT_EQ(Entries(adding->Combo1), (Strings{"Quopa", "Games", "Tools"}));
}

// A dialog opened while a load waits (a start-up load that pumps, say) finds the numbers of
// the last build stale: two categories added then must not land in one section.
TEST_F(EditorTest, CategoriesAndItemsAddedWhileARebuildWaitsTakeNumbersOfTheirOwn) {
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

TEST_F(EditorTest, ANewItemWritesTheNineKeysInOrderAndShowsInTheRebuiltTree) {
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

TEST_F(EditorTest, SuccessiveNewItemsTakeTheNextNumbersAndARefusedOneChangesNothing) {
    Load(kSmallApps);
    auto w = Fields(1, "Site", "http://example.org");
    w->Combo1.UserPicked(1);
    w->cmdFinish.Click();
    Fields(0, "Pad", "x.exe")->cmdFinish.Click();
    EXPECT_EQ(ItemsOf("Games"), (Strings{"application2", "application3"}));
    EXPECT_EQ(Get("quopa_apps.dat"),
              kSmallApps + Application(3, {"Site", "http://example.org", "Games", "1"}) +
                  Application(4, {"Pad", "x.exe"}));
    // A refused Finish leaves the file as it was, the wizard open with what was typed and the
    // item's number free for the next try, which is one replacement of the file.
    const std::string stored = Get("quopa_apps.dat");
    w = Fields(0, "Kept", "x.exe");
    state.NextItemIndex = 10000;
    w->cmdFinish.Click();
    state.NextItemIndex = 9999;    // the last number the tree looks at
    files_.refuseReplaces = true;  // a pulled stick
    w->cmdFinish.Click();
    EXPECT_EQ(Told(desktop),
              (Boxes{{kNoItemNumberLeft, kCritical}, {CouldNotSave("item", appsFile), kCritical}}));
    EXPECT_TRUE(w->form.Loaded() && w->txtAppTitle.Text() == "Kept");
    EXPECT_EQ(Get("quopa_apps.dat"), stored);
    EXPECT_EQ(state.NextItemIndex, 9999);
    files_.refuseReplaces = false;
    const int before = files_.replaces;
    w->cmdFinish.Click();
    EXPECT_EQ(files_.replaces - before, 1);
    EXPECT_NE(Get("quopa_apps.dat").find("[Application9999]\r\nName=Kept"), std::string::npos);
}

// An edit opens on the fields and writes back to its own section. Both fields are judged
// before anything is written; an edit finished unchanged rewrites nothing but the same keys;
// an emptied start-in box keeps the stored folder.
TEST_F(EditorTest, AnEditWritesItsOwnSectionOnlyWhenBothFieldsAreFilled) {
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
    EXPECT_EQ(Get("quopa_apps.dat"), kSmallApps) << "the title is not written alone";
    w->txtAppPath.UserTyped("%drive%\\Games\\chess.exe");
    w->txtStartIn.UserTyped("");
    w->cmdFinish.Click();
    EXPECT_EQ(Stored("Application2", "StartIn"), "%drive%\\games\\");
    EXPECT_EQ(Shape(), "Quopa+[application1] Games+[application2]");
    EXPECT_EQ(tree.Find("application2")->Text(), "Chess 2");
}

// Only item nodes can be edited: a category's key names no item section. A web link opens
// with its own layout, and an odd type keeps the design's empty keys.
TEST_F(EditorTest, OnlyAnItemKeyOpensForEditingAndAnOddTypeKeepsTheDesignsEmptyKeys) {
    Load(Category(1, "Apps") +
         Application(1, {.name = "Site", .path = "http://a.org", .category = "Apps", .type = "1"}) +
         Application(2, {.name = "Odd", .path = "x.exe", .type = "one"}));
    auto w = Wizard();
    for (const char* key : {"Apps", "Quopa", "", "application", "application1x"})
        EXPECT_FALSE(w->LoadItem(key, "x")) << key;
    EXPECT_EQ(w->form.Text(), "Add new item");
    w = Edit("application1", "Site");
    w->cmdFinish.Click();  // "App" in the category's name
    EXPECT_EQ(ItemsOf("Apps"), Strings{"application1"});
    Edit("application2", "Odd")->cmdFinish.Click();
    EXPECT_NE(Get("quopa_apps.dat")
                  .find("Type=\r\nParameters=\"\"\r\nStartIn=\r\nWindowStyle=Normal\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace quopa::testing
