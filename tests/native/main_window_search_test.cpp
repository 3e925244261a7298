// The search box narrows the tree while typing and restores it when left empty.
#include "tests/native/main_window_commands_fixture.h"

namespace quopa::testing {
namespace {

class SearchTest : public CommandsTest {
  protected:
    void Type(const std::string& text) { w_->txtSearch.UserTyped(text); }
    void Enter() { w_->txtSearch.RaiseGotFocus(); }
    void Leave() { w_->txtSearch.RaiseLostFocus(); }
    bool Shown(const std::string& key) { return w_->TreeView1.Find(key) != nullptr; }
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

    Type("MAIL");
    EXPECT_FALSE(Shown("application6"));
}

TEST_F(SearchTest, LeavingTheBoxEmptyRestoresEveryItemInOrderUnderItsCategory) {
    const std::vector<std::string> full = Texts();
    Enter();
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::System(ui::SystemColor::ButtonText));
    Type("chess");
    Type("");
    Leave();
    EXPECT_EQ(w_->txtSearch.Text(), "Search...");
    EXPECT_EQ(w_->txtSearch.ForeColor(), ui::Color::Rgb(0x80, 0x80, 0x80));
    EXPECT_EQ(Texts(), full);
    EXPECT_EQ(Node("application5").Parent()->Key(), "Games");
    EXPECT_GE(w_->ilIcons.IndexOf("Application1"), 0);
}

TEST_F(SearchTest, LeavingWithTextKeepsTheFilterUntilTheBoxIsLeftEmpty) {
    Enter();
    Type("note");
    Leave();
    EXPECT_EQ(w_->txtSearch.Text(), "note");
    EXPECT_FALSE(Shown("application2"));
    Enter();
    EXPECT_EQ(w_->txtSearch.Text(), "");
    EXPECT_FALSE(Shown("application2")) << "focusing again does not restore";
    Leave();
    EXPECT_TRUE(Shown("application2"));
}

TEST_F(SearchTest, ANameHoldingThePlaceholderStaysThroughTheRestore) {
    Put("quopa_apps.dat",
        "[Category1]\r\nName=Tools\r\n[Application1]\r\nName=A\r\nPath=x\r\nCategory=Tools\r\n"
        "Type=1\r\n[Application2]\r\nName=my search...\r\nPath=y\r\nCategory=Tools\r\n"
        "Type=1\r\n[Application3]\r\nName=C\r\nPath=z\r\nCategory=Tools\r\nType=1\r\n");
    w_->IntList();
    Enter();
    Leave();
    EXPECT_EQ(Texts(),
              (std::vector<std::string>{"Quopa Drive", "Tools", "A", "my search...", "C"}));
}

// Names hold bytes of the ANSI code page; the headless system folds as Windows-1252 does.
struct FoldCase {
    const char* label;
    const char* name;
    const char* typed;
    bool kept;
};

class SearchFoldTest : public SearchTest, public ::testing::WithParamInterface<FoldCase> {};

TEST_P(SearchFoldTest, LettersOfTheCodePageMatchInEitherCase) {
    const FoldCase& c = GetParam();
    Put("quopa_apps.dat", std::string("[Category1]\r\nName=Tools\r\n[Application1]\r\nName=") +
                              c.name + "\r\nPath=x\r\nCategory=Tools\r\nType=1\r\n");
    w_->IntList();
    Enter();
    Type(c.typed);
    EXPECT_EQ(Shown("application1"), c.kept);
}

INSTANTIATE_TEST_SUITE_P(Letters, SearchFoldTest,
                         ::testing::Values(FoldCase{"Ascii", "Webmail", "MAIL", true},
                                           FoldCase{"AcuteCapitalName",
                                                    "\xC9"
                                                    "cole",
                                                    "\xE9"
                                                    "c",
                                                    true},
                                           FoldCase{"AcuteCapitalTyped",
                                                    "\xE9"
                                                    "t\xE9",
                                                    "\xC9T\xC9", true},
                                           FoldCase{"CaronAndDiaeresis",
                                                    "\x8A"
                                                    "koda \x9F",
                                                    "\x9A"
                                                    "KODA \xFF",
                                                    true},
                                           FoldCase{"TimesIsNoCapitalOfDivide",
                                                    "6\xF7"
                                                    "2",
                                                    "\xD7", false},
                                           FoldCase{"OtherLetterStaysOut",
                                                    "\xC8"
                                                    "cole",
                                                    "\xE9", false}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace quopa::testing
