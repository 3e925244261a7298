// The search box narrows the tree while typing and restores it when left empty.
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class SearchTest : public CommandsTest {
  protected:
    Strings Texts() const {
        return Each(ui::DisplayedRows(w_->TreeView1), [](auto* node) { return node->Text(); });
    }
    void Type(const std::string& text) { w_->txtSearch.UserTyped(text); }
    void Load(const Strings& names) {
        std::string apps = "[Category1]\r\nName=Tools\r\n";
        for (std::size_t n = 0; n < names.size(); ++n)
            apps += App(int(n) + 1, names[n], "x", "Tools", 1);
        Put("quopa_apps.dat", apps);
        w_->IntList();
    }
};

TEST_F(SearchTest, TypingOnlyNarrowsAndMatchesNamesInAnyCase) {
    w_->txtSearch.RaiseGotFocus();
    Type("m");  // Webmail and Music; Notepad, Chess, Notes go
    EXPECT_TRUE(Shown("application3") && Shown("application6"));
    EXPECT_FALSE(Shown("application1") || Shown("application2") || Shown("application5"));
    Type("MU");
    EXPECT_FALSE(Shown("application3")) << "a description that matches does not count";
    Type("m");
    EXPECT_FALSE(Shown("application3")) << "deleting characters brings nothing back";
    EXPECT_TRUE(Shown("application6"));
    for (const char* category : {"Quopa", "Games", "Web apps", "Tools"})
        EXPECT_TRUE(Shown(category)) << category;
}

// Leaving the box shows the grey hint again; an item named like it is an item like others.
TEST_F(SearchTest, TheFilterStaysUntilTheBoxIsLeftEmptyThenEveryItemComesBackInOrder) {
    const Strings full = Texts();
    w_->txtSearch.RaiseGotFocus();
    Type("note");
    w_->txtSearch.RaiseLostFocus();
    EXPECT_EQ(w_->txtSearch.Text(), "note");
    w_->txtSearch.RaiseGotFocus();
    EXPECT_EQ(w_->txtSearch.Text(), "");
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::System(ui::SystemColor::ButtonText));
    EXPECT_FALSE(Shown("application2")) << "focusing again does not restore";
    w_->txtSearch.RaiseLostFocus();
    EXPECT_EQ(w_->txtSearch.Text(), "Search...");
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::Rgb(0x80, 0x80, 0x80));
    EXPECT_EQ(Texts(), full);
    EXPECT_GE(w_->ilIcons.IndexOf("Application1"), 0) << "with their pictures";
    EXPECT_EQ(Node("application5").Parent()->Key(), "Games");
    Load({"A", "my search...", "C"});
    w_->txtSearch.RaiseGotFocus();
    w_->txtSearch.RaiseLostFocus();
    EXPECT_EQ(Texts(), (Strings{"Quopa Drive", "Tools", "A", "my search...", "C"}));
}

// Names hold bytes of the ANSI code page: the name and the typed text fold as the system folds
// them (how each letter folds is the system's own business).
TEST_F(SearchTest, LettersOfTheCodePageMatchInEitherCase) {
    Load({"\311cole", "\351t\351"});  // "Ecole" with an acute capital, "ete" with acutes
    w_->txtSearch.RaiseGotFocus();
    Type("\351");
    EXPECT_TRUE(Shown("application1") && Shown("application2"));
    Type("\311T");
    EXPECT_FALSE(Shown("application1"));
    EXPECT_TRUE(Shown("application2"));
}

}  // namespace
}  // namespace quopa::testing
