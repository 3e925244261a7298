// The quick-launch box's matching and what it learns, and the box in the main window.
#include "platform/headless/headless_desktop.h"
#include "tests/native/main_window_fixture.h"
#include "tree/quick_match.h"

namespace quopa::testing {
namespace {

constexpr std::int64_t kDay = 24 * 3600, kNow = 1800000000;
constexpr int kEnter = 0x0D, kEscape = 0x1B, kDown = 0x28;

class QuickMatchTest : public TempDriveTest {
  protected:
    QuickMatchTest() {
        std::vector<QuickItem> items;
        for (const std::string& name : names)
            items.push_back({name, name, name == "Zeta" ? "Writes letters" : "", "Tools",
                             name == "Omega" ? "%drive%\\wordpad.exe" : "x.exe", ""});
        index.SetItems(items);
    }
    Strings Best(const std::string& typed, std::int64_t now = kNow) {
        return Each(index.Best(typed, usage, now, 8), [](const QuickItem& i) { return i.key; });
    }
    void Start(const std::string& key, std::int64_t when, const std::string& typed = "") {
        usage.Started(key, key, key == "Omega" ? "%drive%\\wordpad.exe" : "x.exe", when, typed);
    }

    Strings names{
        "Writer", "LibreOffice Writer", "Visual Studio Code", "Lw", "Rewrite", "Écrire", "Zeta",
        "Omega",  "Word Writer"};
    platform::HeadlessDesktop desktop{files_};
    QuickIndex index{
        [this](std::string_view s) { return desktop.LowerCase(desktop.WithoutAccents(s)); }};
    Usage usage{files_, "E:\\quopa_usage.dat"};
};

// Whole name, start, a later word's start, initials (of words or inner capitals), inside,
// then description and file name; case and accents ignored; equal matches by use.
TEST_F(QuickMatchTest, TiersRankExactAndPrefixAboveFuzzierMatchesAndUseWithinATier) {
    const std::vector<std::pair<std::string, Strings>> table = {
        {"lw", {"Lw", "LibreOffice Writer"}},  // exact beats initials
        {"WRITER", {"Writer", "LibreOffice Writer", "Word Writer"}},
        {"wr", {"Writer", "LibreOffice Writer", "Word Writer", "Rewrite", "Zeta"}},
        {"vsc", {"Visual Studio Code"}},
        {"low", {"LibreOffice Writer"}},
        {"ecri", {"Écrire"}},
        {"letters", {"Zeta"}},
        {"wordpad", {"Omega"}},
        {" code ", {"Visual Studio Code"}},
        {"qq", {}},
    };
    for (const auto& [typed, expected] : table) EXPECT_EQ(Best(typed), expected) << typed;
    Start("Word Writer", kNow);
    Start("Rewrite", kNow);
    EXPECT_EQ(Best("wr"),
              (Strings{"Writer", "Word Writer", "LibreOffice Writer", "Rewrite", "Zeta"}))
        << "used first among later-word starts; a start stays above them";
    EXPECT_EQ(Best(""), (Strings{"Rewrite", "Word Writer"})) << "empty: the used ones";
}

// A list handed over again keeps what did not change and takes what did: a description,
// an item gone, one come, the order.
TEST_F(QuickMatchTest, AListHandedOverAgainMatchesAsIfNew) {
    std::vector<QuickItem> items = {{"Zeta", "Zeta", "Draws maps", "Tools", "x.exe", ""},
                                    {"Kappa", "Kappa", "", "Tools", "k.exe", ""}};
    index.SetItems(items);
    EXPECT_EQ(Best("maps"), (Strings{"Zeta"}));
    EXPECT_EQ(Best("writer"), Strings{});
    std::swap(items[0], items[1]);
    items[1].description = "Writes letters";
    index.SetItems(items);
    EXPECT_EQ(Best("maps"), Strings{});
    EXPECT_EQ(Best("let"), (Strings{"Zeta"}));
    EXPECT_EQ(Best("a"), (Strings{"Kappa", "Zeta"}));
}

// A start counts half after the half-life; the item chosen for a text comes first for it,
// within the exact-and-prefix group it does not jump over.
TEST_F(QuickMatchTest, StartsDecayAndTheItemChosenForATextComesFirstForIt) {
    for (int i = 0; i < 3; ++i) Start("Word Writer", kNow - 90 * kDay);
    Start("LibreOffice Writer", kNow - kDay);
    EXPECT_DOUBLE_EQ(usage.Weight("Word Writer", "Word Writer", "x.exe", kNow), 0.375);
    EXPECT_EQ(usage.Weight("Word Writer", "Word Writer", "y.exe", kNow), 0) << "another path";
    EXPECT_EQ(Best("writer", kNow - 89 * kDay),
              (Strings{"Writer", "Word Writer", "LibreOffice Writer"}));
    EXPECT_EQ(Best("writer"), (Strings{"Writer", "LibreOffice Writer", "Word Writer"}))
        << "three old starts weigh less than a recent one";

    Start("Rewrite", kNow, "wr");
    EXPECT_EQ(Best("wr"),
              (Strings{"Writer", "Rewrite", "LibreOffice Writer", "Word Writer", "Zeta"}));
    Start("LibreOffice Writer", kNow, "wr");
    EXPECT_EQ(Best("wr")[1], "LibreOffice Writer") << "the last choice for the text";
    Start("LibreOffice Writer", kNow, "lw");
    EXPECT_EQ(Best("lw"), (Strings{"Lw", "LibreOffice Writer"})) << "not over an exact match";
    Start("Word Writer", kNow);
    Start("Writer", kNow, "w");
    EXPECT_EQ(Best("w")[0], "Writer") << "among prefixes, the choice over more use";
}

// The file keeps counts, times and choices; an entry whose item changed is dropped, a found
// app not looked at yet is kept; a drive that refuses the write is not told about.
TEST_F(QuickMatchTest, TheFileKeepsWhatWasLearnedAndDropsWhatNoLongerMatches) {
    Start("Omega", kNow - kDay, "om");
    Start("Zeta", kNow);
    usage.Started("portableapps:tool", "Tool", "%drive%\\PortableApps\\t.exe", kNow);
    ASSERT_TRUE(usage.Save());
    const std::string saved = Get("quopa_usage.dat");
    Usage again(files_, "E:\\quopa_usage.dat");
    again.Load();
    EXPECT_DOUBLE_EQ(again.Weight("Omega", "Omega", "%drive%\\wordpad.exe", kNow),
                     usage.Weight("Omega", "Omega", "%drive%\\wordpad.exe", kNow));
    EXPECT_EQ(again.ChosenFor("om"), "Omega");
    EXPECT_FALSE(again.Unsaved());
    again.Started("Zeta", "Zeta", "x.exe", kNow);
    again.Prune({{"Omega", {"Omega", "%drive%\\other.exe"}}, {"Zeta", {"Zeta", "x.exe"}}});
    EXPECT_EQ(again.ChosenFor("om"), "") << "its path changed";
    again.Started("application3", "Gone", "g.exe", kNow);
    again.Prune({{"Zeta", {"Zeta", "x.exe"}}});
    EXPECT_EQ(again.Weight("application3", "Gone", "g.exe", kNow), 0) << "deleted item";
    EXPECT_GT(again.Weight("portableapps:tool", "Tool", "%drive%\\PortableApps\\t.exe", kNow), 0);
    files_.refuseReplaces = true;
    EXPECT_FALSE(again.Save());
    EXPECT_EQ(Get("quopa_usage.dat"), saved);
    EXPECT_TRUE(again.Save()) << "nothing new: nothing tried again";
}

class QuickBoxTest : public MainWindowTest {
  protected:
    frmQuick& Box() { return main_->Quick(); }
    Strings Rows() {
        return Each(Box().lstQuick.Rows(),
                    [](const ui::ListRow& r) { return r.text + "|" + r.detail; });
    }
};

// The hot key opens the box and not the window; Enter starts the pick and hides the box,
// which learns it. The apps and settings files stay as they were; the learning waits for the
// box to hide, the minute or the exit.
TEST_F(QuickBoxTest, TheHotKeyTogglesTheBoxWhichStartsThePickAndLearnsIt) {
    const std::string apps = "[Category1]\r\nName=Office\r\n" +
                             App(1, "LibreOffice Writer", "%drive%\\lw.exe", "Office") +
                             App(2, "Lw notes", "%drive%\\n.txt", "Office") +
                             App(3, "Paint", "%drive%\\p.exe", "Quopa", 0, "Draws pictures");
    Put("quopa_apps.dat", apps);
    Put("quopa_settings.dat", "[Settings]\r\nLanguage=English\r\n");
    Start().form.SetWindowState(ui::WindowState::Minimized);
    services_.hotkey.Press();
    EXPECT_TRUE(Box().form.Visible());
    EXPECT_FALSE(main_->form.Visible());
    main_->txtSearch.UserTyped("writer");  // hides Paint and its picture
    Box().txtQuick.UserTyped("pict");
    EXPECT_EQ(Rows(), (Strings{"Paint|Quopa Drive"}));
    EXPECT_EQ(Box().lstQuick.Rows()[0].image, "filetype.exe");
    main_->txtSearch.UserTyped(""), main_->txtSearch_LostFocus();
    Box().txtQuick.UserTyped("lw");
    EXPECT_EQ(Rows(), (Strings{"Lw notes|Office", "LibreOffice Writer|Office"}));
    Box().txtQuick.UserPressedKey(kDown);
    Box().txtQuick.UserPressedKey(kEnter);
    EXPECT_FALSE(Box().form.Visible());
    EXPECT_EQ(Executed(), (Strings{"E:\\lw.exe"}));
    EXPECT_NE(Get("quopa_usage.dat").find("Typed1=lw"), std::string::npos);

    services_.hotkey.Press();
    EXPECT_EQ(Rows(), (Strings{"LibreOffice Writer|Office"})) << "empty: the most used";
    Box().txtQuick.UserTyped("lw");
    EXPECT_EQ(Rows()[0], "Lw notes|Office") << "a prefix stays above the choice";
    EXPECT_TRUE(Box().txtQuick.UserPressedKey(kEscape));
    EXPECT_TRUE(Box().form.Visible() && Box().txtQuick.Text().empty());
    services_.hotkey.Press();
    EXPECT_FALSE(Box().form.Visible()) << "the hot key again hides it";
    services_.hotkey.Press();
    Box().form.RaiseDeactivate();
    EXPECT_FALSE(Box().form.Visible()) << "another window took the focus";

    main_->TreeView1.Select(main_->TreeView1.Find("application3"));
    main_->cmdRun_Click();
    main_->FillRunMenu();
    main_->mnuPopupApplication_Click(3);
    const std::string before = Get("quopa_usage.dat");
    main_->tmrUsage.Tick();
    EXPECT_NE(Get("quopa_usage.dat"), before) << "the minute's write";
    EXPECT_NEAR(main_->Learned().Weight("application3", "Paint", "%drive%\\p.exe", Usage::Now()), 2,
                0.01);
    EXPECT_EQ(Get("quopa_apps.dat"), apps);
    EXPECT_EQ(Get("quopa_settings.dat"), "[Settings]\r\nLanguage=English\r\n");
}

// An item deleted in the window leaves the box and takes its counts and choices along.
TEST_F(QuickBoxTest, AnItemDeletedInTheWindowLeavesTheBoxWithItsCounts) {
    Put("quopa_apps.dat", App(1, "Paint", "%drive%\\p.exe") + App(2, "Paste", "%drive%\\q.exe"));
    Start();
    services_.hotkey.Press();
    Box().txtQuick.UserTyped("pa");
    Box().txtQuick.UserPressedKey(kEnter);
    EXPECT_NE(Get("quopa_usage.dat").find("Key=application1"), std::string::npos);
    main_->TreeView1.Select(main_->TreeView1.Find("application1"));
    main_->cmdDelete_Click();
    services_.hotkey.Press();
    Box().txtQuick.UserTyped("pa");
    EXPECT_EQ(Rows(), (Strings{"Paste|Quopa Drive"}));
    Box().txtQuick.UserPressedKey(kEscape);
    Box().txtQuick.UserPressedKey(kEscape);
    EXPECT_EQ(Get("quopa_usage.dat").find("application1"), std::string::npos);
}

}  // namespace
}  // namespace quopa::testing
