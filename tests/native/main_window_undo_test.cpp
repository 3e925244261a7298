// Undo and redo of the list's changes, its versions kept on the drive, and restoring one.
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "context/messages.h"
#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class UndoTest : public CommandsTest {
  protected:
    Strings Tree() const {
        return Each(InShownOrder(w_->TreeView1), [](const ui::TreeNode* n) {
            return n->Key() + "|" + n->Text() + "|" + (n->Parent() ? n->Parent()->Key() : "");
        });
    }
    std::string Apps() const { return Get("quopa_apps.dat"); }
    Strings Versions() const {
        Strings names;
        for (const auto& e : std::filesystem::directory_iterator(Host("quopa_backup")))
            names.push_back(Get("quopa_backup/" + e.path().filename().string()));
        return names;
    }
    void Delete(const std::string& key) {
        Click(key);
        desktop_.answers = {platform::kIdYes};
        w_->cmdDelete.Click();
    }
};

// Each command is taken back to the file's very bytes and the tree a load shows, then made
// again; all of them undone in turn give the first list back.
TEST_F(UndoTest, UndoAndRedoOfEachCommandGiveBackTheFileByteForByte) {
    for (const char* file : {"e.exe", "f.exe", "g.exe"}) Put(file, "MZ");
    const auto wizard = [&](const char* key, const std::string& title) {
        frmAddItem wz(ctx_, w_->TreeView1, [&] { w_->IntList(); });
        wz.Create();
        key ? (void)wz.LoadItem(key, Node(key).Text()) : wz.cmdNext.Click();
        wz.txtAppTitle.UserTyped(title);
        if (!key) wz.txtAppPath.UserTyped("E:\\e.exe");
        wz.cmdFinish.Click();
    };
    const std::vector<std::pair<std::string, std::function<void()>>> commands = {
        {"Delete \"Chess\"", [&] { Delete("application2"); }},
        {"Rename \"Notepad\"", [&] { Rename("application1", "Editor & co"); }},
        {"Edit \"Notes\"", [&] { wizard("application5", "Notes"); }},
        {"Add \"Board\"", [&] { wizard(nullptr, "Board"); }},
        {"Rename category \"Tools\"", [&] { Rename("Tools", "Utilities"); }},
        {"Add category \"Office\"",
         [&] {
             frmNewCategory add(ctx_, w_->TreeView1, [&] { w_->IntList(); });
             add.Create();
             add.txtCategoryTitle.UserTyped("Office");
             add.cmdFinish.Click();
         }},
        {"Add 2 items",
         [&] {
             w_->TreeView1.UserDropped({.paths = {"E:\\f.exe", "E:\\g.exe"},
                                        .x = 600,
                                        .y = RowY(w_->TreeView1, "Games")});
             backend_.DoEvents();
         }},
        {"Delete category \"Games\"",
         [&] {
             Click("Games");
             desktop_.answers = {platform::kIdYes};
             w_->mnuCatDelete->Click();
         }},
    };
    const std::string first = Apps();
    for (const auto& [name, command] : commands) {
        w_->IntList();
        const std::string before = Apps();
        const Strings tree = Tree();
        command();
        w_->IntList();
        const std::string after = Apps();
        const Strings changed = Tree();
        ASSERT_NE(after, before) << name;
        EXPECT_EQ(w_->mnuUndo->Caption(), "&Undo " + name) << name;
        w_->mnuUndo->Click();
        EXPECT_EQ(Apps(), before) << name;
        EXPECT_EQ(Tree(), tree) << name;
        EXPECT_EQ(w_->mnuRedo->Caption(), "&Redo " + name) << name;
        w_->mnuRedo->Click();
        EXPECT_EQ(Apps(), after) << name;
        EXPECT_EQ(Tree(), changed) << name;
        EXPECT_FALSE(w_->mnuRedo->Enabled());
    }
    EXPECT_EQ(w_->mnuUndo->Caption(), "&Undo Delete category \"Games\"");
    while (w_->mnuUndo->Enabled()) w_->mnuUndo->Click();
    EXPECT_EQ(Apps(), first);
}

// Another program's change is never written over; a locked drive is told as any refused write.
TEST_F(UndoTest, AnUndoIsRefusedWithNoWriteWhenTheFileChangedOrTheDriveIsLocked) {
    Delete("application2");
    Delete("application1");
    const std::string ours = Apps(), theirs = ours + "[Category9]\r\nName=Theirs\r\n";
    Put("quopa_apps.dat", theirs);
    Told();
    w_->mnuUndo->Click();
    EXPECT_EQ(Apps(), theirs);
    ASSERT_EQ(Told().size(), 1u);
    EXPECT_TRUE(w_->mnuUndo->Enabled() && !w_->mnuRedo->Enabled());
    Put("quopa_apps.dat", ours);
    chmod(Host("quopa_apps.dat").c_str(), 0444);
    w_->mnuUndo->Click();
    EXPECT_EQ(Told(), (Boxes{{CouldNotSave("change", w_->AppsFile()), kCritical}}));
    chmod(Host("quopa_apps.dat").c_str(), 0644);
    w_->mnuUndo->Click();
    w_->mnuUndo->Click();
    EXPECT_TRUE(Shown("application1") && Shown("application2"));
}

// Ten distinct states at most, the newest kept; one already kept is not kept twice. A drive
// that takes no version does not stop a command and is told once a start.
TEST_F(UndoTest, TheVersionRingKeepsTheLastTenDistinctStatesAndAFullDriveBlocksNothing) {
    const std::string original = Apps();
    for (int n = 1; n <= 12; ++n) ASSERT_TRUE(Rename("application1", "Name" + std::to_string(n)));
    Rename("application1", "Name11");  // a state kept already
    Strings kept = Versions();
    EXPECT_EQ(kept.size(), 10u);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), original), 0) << "the oldest went first";
    std::filesystem::remove_all(Host("quopa_backup"));
    Put("quopa_backup", "a file where the folder would go");
    Delete("application2");
    Delete("application3");
    backend_.DoEvents();
    w_->Timer1.Tick();
    EXPECT_EQ(Read("Application3", "Name"), "");
    const Boxes told = Told();
    EXPECT_EQ(std::count_if(told.begin(), told.end(), [](auto& b) { return b.second == kExclaim; }),
              1);
}

// A version edited or deleted by hand no longer counts as kept: its state is kept again.
TEST_F(UndoTest, AVersionEditedOrDeletedByHandIsKeptAgain) {
    Rename("application1", "A");
    const std::string a = Apps();
    Rename("application1", "B");
    const std::string b = Apps();
    const std::vector<std::filesystem::directory_entry> files(
        std::filesystem::directory_iterator(Host("quopa_backup")), {});
    for (const auto& file : files) {
        const std::string name = "quopa_backup/" + file.path().filename().string();
        if (Get(name) == a) Put(name, a + "; edited");
        if (Get(name) == b) std::filesystem::remove(file.path());
    }
    Rename("application1", "A");
    Rename("application1", "B");
    const Strings kept = Versions();
    EXPECT_EQ(std::count(kept.begin(), kept.end(), a), 1);
    EXPECT_EQ(std::count(kept.begin(), kept.end(), b), 1);
}

// A zero-byte list is offered back from the newest version; one another program left without
// a section is restored from the list, and the restore can itself be undone.
TEST_F(UndoTest, ADamagedListIsOfferedBackAndRestoreCanBeUndone) {
    Delete("application2");
    const std::string ours = Apps();
    Put("quopa_apps.dat", "");
    Told();
    desktop_.answers = {platform::kIdYes};
    w_ = &Start();
    ASSERT_EQ(Told().size(), 1u);
    EXPECT_EQ(Apps(), ours);
    EXPECT_TRUE(Shown("application1") && !Shown("application2"));

    const std::string theirs = "Name=lost\r\n";
    Put("quopa_apps.dat", theirs);
    const Strings lines = w_->VersionLines(w_->Versions().List());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(19), "  6 items, before Delete \"Chess\"");
    backend_.modalActions.push_back([](ui::Form& f) { f.PressEnter(); });
    desktop_.answers = {platform::kIdYes};
    w_->mnuRestore->Click();
    EXPECT_EQ(Apps(), ours);
    EXPECT_TRUE(Shown("application1"));
    w_->mnuUndo->Click();
    EXPECT_EQ(Apps(), theirs);
}

}  // namespace
}  // namespace quopa::testing
