// The search box narrows the tree while typing and restores it when left empty.
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class SearchTest : public CommandsTest {
  protected:
    Strings Texts() const {
        Strings texts;
        for (const ui::TreeNode* node : ui::DisplayedRows(w_->TreeView1))
            texts.push_back(node->Text());
        return texts;
    }
    void Type(const std::string& text) { w_->txtSearch.UserTyped(text); }
    void Enter() { w_->txtSearch.RaiseGotFocus(); }
    void Leave() { w_->txtSearch.RaiseLostFocus(); }
    void Load(const Strings& names) {
        std::string apps = "[Category1]\r\nName=Tools\r\n";
        for (std::size_t n = 0; n < names.size(); ++n)
            apps += "[Application" + std::to_string(n + 1) + "]\r\nName=" + names[n] +
                    "\r\nPath=x\r\nCategory=Tools\r\nType=1\r\n";
        Put("quopa_apps.dat", apps);
        w_->IntList();
    }
};

TEST_F(SearchTest, TypingOnlyNarrowsAndMatchesNamesInAnyCase) {
    Enter();
    Type("m");  // Webmail and Music; Notepad, Chess, Notes go
    EXPECT_TRUE(Shown("application3") && Shown("application6"));
    EXPECT_FALSE(Shown("application1") || Shown("application2") || Shown("application5"));
    EXPECT_EQ(w_->ilIcons.IndexOf("Application1"), -1);
    Type("MU");
    EXPECT_FALSE(Shown("application3")) << "a description that matches does not count";
    EXPECT_TRUE(Shown("application6"));
    Type("m");
    EXPECT_FALSE(Shown("application3")) << "deleting characters brings nothing back";
    for (const char* category : {"Quopa", "Games", "Web apps", "Tools"})
        EXPECT_TRUE(Shown(category)) << category;
}

TEST_F(SearchTest, TheFilterStaysUntilTheBoxIsLeftEmptyThenEveryItemComesBackInOrder) {
    const Strings full = Texts();
    Enter();
    Type("note");
    Leave();
    EXPECT_EQ(w_->txtSearch.Text(), "note");
    EXPECT_FALSE(Shown("application2"));
    Enter();
    EXPECT_EQ(w_->txtSearch.Text(), "");
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::System(ui::SystemColor::ButtonText));
    EXPECT_FALSE(Shown("application2")) << "focusing again does not restore";
    Leave();
    EXPECT_EQ(w_->txtSearch.Text(), "Search...");
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::Rgb(0x80, 0x80, 0x80));
    EXPECT_EQ(Texts(), full);
    EXPECT_EQ(Node("application5").Parent()->Key(), "Games");
    EXPECT_GE(w_->ilIcons.IndexOf("Application1"), 0);

    Load({"A", "my search...", "C"});
    Enter();
    Leave();
    EXPECT_EQ(Texts(), (Strings{"Quopa Drive", "Tools", "A", "my search...", "C"}));
}

// Names hold bytes of the ANSI code page: the name and the typed text fold as the system folds
// them (how each letter folds is the system's own business).
TEST_F(SearchTest, LettersOfTheCodePageMatchInEitherCase) {
    Load({"\311cole", "\351t\351"});  // "Ecole" with an acute capital, "ete" with acutes
    Enter();
    Type("\351");
    EXPECT_TRUE(Shown("application1") && Shown("application2"));
    Type("\311T");
    EXPECT_FALSE(Shown("application1"));
    EXPECT_TRUE(Shown("application2"));
}

}  // namespace
}  // namespace quopa::testing
