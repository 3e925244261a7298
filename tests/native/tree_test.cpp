#include <string>

#include "tests/native/tree_fixture.h"
#include "tree/mod_get_browser.h"

namespace quopa::testing {
namespace {

TEST_F(TreeTest, EmptyOrMissingFileShowsOnlyTheMainCategoryAndEndsAutorun) {
    for (bool present : {false, true}) {
        if (present) Apps("");
        loader.IntList();
        EXPECT_EQ(Keys(tree.Roots()), Strings{"Quopa"});
        const ui::TreeNode* main = tree.Find("Quopa");
        EXPECT_EQ(main->Text(), "Quopa Drive");
        EXPECT_EQ(main->Tag(), "Category0");
        EXPECT_EQ(main->Image(), "default");
        EXPECT_FALSE(main->Expanded());
        EXPECT_EQ(state.NextItemIndex, 1);
        EXPECT_EQ(state.NextCategoryIndex, 1);
        EXPECT_FALSE(run.Enabled());
        EXPECT_GE(icons.IndexOf("default"), 0);
        EXPECT_GE(icons.IndexOf("browser"), 0);
    }
    EXPECT_EQ(Get("quopa_apps.dat"), "") << "loading must not write";
    EXPECT_EQ(doEventsCalls, 2);
    // The browser's picture comes from a scratch page in the temporary folder.
    EXPECT_EQ(shell.findExecutableFiles, Strings(2, "E:\\tmp\\dummy.html"));
    EXPECT_FALSE(Exists("tmp/dummy.html"));
    EXPECT_EQ(shell.iconRequests[0], shell.browserPath);
    EXPECT_TRUE(desktop.messages.empty());
    // Autorun is done once the first load is over, even one that found no items.
    Apps(Application(1, {"A", "E:\\a.exe", "Quopa", "0", "1"}));
    loader.IntList();
    EXPECT_TRUE(shell.executed.empty());
}

TEST_F(TreeTest, BuildsCategoriesItemsAndTrayEntries) {
    Apps(Category(1, "Games") + Category(2, "Deleted") + Category(3, "deleted") +
         Category(4, "Empty") + Application(1, {"Notepad", "%drive%\\Tools\\notepad2.exe"}) +
         Application(2, {"", "%drive%\\gone.exe"}) +
         Application(3, {"Chess", "%drive%\\Games\\chess.exe", "Games"}) +
         Application(4, {"Site", "http://example.org", "Games", "1"}) +
         Application(5, {"Odd", "%drive%\\x.exe", "Games", "abc"}));
    loader.IntList();

    EXPECT_EQ(Keys(tree.Roots()), (Strings{"Quopa", "Games", "deleted", "Empty"}));
    EXPECT_EQ(tree.Find("Empty")->Tag(), "Category4");
    EXPECT_EQ(tree.Find("Games")->Image(), "default");
    EXPECT_EQ(ItemsOf("Quopa"), Strings{"application1"});
    EXPECT_EQ(ItemsOf("Games"), (Strings{"application3", "application4", "application5"}));
    EXPECT_EQ(tree.Find("application3")->Text(), "Chess");
    EXPECT_EQ(tree.Find("application3")->Image(), "Application3");
    EXPECT_EQ(tree.Find("application4")->Image(), "browser");
    EXPECT_EQ(tree.Find("application5")->Image(), "Application5") << "a bad type counts as 0";
    EXPECT_TRUE(tree.Find("Quopa")->Expanded());
    EXPECT_TRUE(tree.Find("Games")->Expanded());
    EXPECT_FALSE(tree.Find("Empty")->Expanded());

    EXPECT_EQ(state.NextItemIndex, 6);
    EXPECT_EQ(state.NextCategoryIndex, 5);
    EXPECT_TRUE(run.Enabled());
    loader.FillRunMenu();
    EXPECT_EQ(apps.Element(1)->Caption(), "Notepad");
    EXPECT_EQ(apps.Element(2), nullptr);
    EXPECT_EQ(apps.Element(3)->Caption(), "Chess");
    EXPECT_EQ(apps.Element(4)->Caption(), "Site");
}

// Refused categories are left out; an item without a usable category stays off the tree,
// still reachable from the tray, and loading goes on past it.
TEST_F(TreeTest, UnusableCategoriesAndItemsAreSkippedAndTheRestLoads) {
    Apps(Category(1, "Games") + Category(2, "Games") + Category(3, "Quopa") +
         Category(4, "application2") + Category(5, "Tools") +
         Application(1, {"A", "E:\\a.exe", "Tools"}) + Application(2, {"B", "E:\\b.exe", "Games"}) +
         Application(3, {"Lost app", "E:\\c.exe", "Gone"}) +
         Application(4, {"Lost link", "http://x", "Gone", "1"}) +
         Application(5, {"No category", "E:\\d.exe", ""}) +
         Application(6, {"Kept", "E:\\e.exe", "Games"}) +
         Application(7, {"Nested", "E:\\f.exe", "application6"}));
    loader.IntList();
    EXPECT_EQ(Keys(tree.Roots()), (Strings{"Quopa", "Games", "application2", "Tools"}));
    EXPECT_EQ(tree.Find("Games")->Tag(), "Category1");
    EXPECT_EQ(state.NextCategoryIndex, 6);
    EXPECT_EQ(ItemsOf("Tools"), Strings{"application1"});
    EXPECT_EQ(ItemsOf("Games"), Strings{"application6"})
        << "an item whose key a category holds stays off the tree";
    EXPECT_TRUE(tree.Find("application6")->Children().empty());
    for (const char* key : {"application3", "application4", "application5", "application7"})
        EXPECT_EQ(tree.Find(key), nullptr) << key;
    loader.FillRunMenu();
    for (int n = 1; n <= 7; ++n) EXPECT_NE(apps.Element(n), nullptr) << n;
    EXPECT_EQ(apps.Element(2)->Caption(), "B");
    EXPECT_EQ(apps.Element(3)->Caption(), "Lost app");
    EXPECT_EQ(state.NextItemIndex, 8);
}

// One lookup per file type, shared by its items. Without a browser the user is told, and
// links take the system's generic icon, else the program's own.
TEST_F(TreeTest, IconsAreLookedUpOncePerTypeAndLinksFallBackWithoutABrowser) {
    Apps(Application(1, {"A", "%drive%\\A.EXE"}) +
         Application(2, {"B", "%drive%\\missing\\b.exe"}) +
         Application(3, {"C", "%drive%\\c.txt"}) + Application(4, {"D", "%drive%\\d.xyz"}) +
         Application(5, {"E", "%drive%\\e.xyz"}) + Application(6, {"F", "%drive%\\f.exe"}) +
         Application(7, {"Site", "http://x", "Quopa", "1"}));
    shell.noIconFor.insert(".xyz");
    shell.browserCode = 31;
    loader.IntList();
    const int exe = icons.IndexOf("Application1");
    EXPECT_GE(exe, 0);
    EXPECT_EQ(icons.IndexOf("Application2"), exe) << "a missing file still has its type's icon";
    EXPECT_EQ(icons.IndexOf("Application6"), exe);
    EXPECT_NE(icons.IndexOf("Application3"), exe);
    EXPECT_GE(icons.IndexOf("browser"), 0);
    EXPECT_EQ(icons.IndexOf("Application4"), icons.IndexOf("browser"));
    EXPECT_EQ(icons.IndexOf("Application5"), icons.IndexOf("browser"));
    EXPECT_EQ(ItemsOf("Quopa").size(), 7u) << "an item without an icon still shows";
    EXPECT_EQ(shell.iconRequests, (Strings{"", "E:\\a.exe", "E:\\c.txt", "E:\\d.xyz"}));
    EXPECT_EQ(shell.lastIconFlags, 16u);
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "No dice!");
    EXPECT_EQ(desktop.messages[0].title, kAppTitle);
    EXPECT_EQ(desktop.messages[0].style, platform::kMbOk);

    shell.noIconFor.insert("");
    loader.IntList();
    EXPECT_EQ(icons.IndexOf("browser"), icons.IndexOf("default"));
    EXPECT_NE(tree.Find("application7"), nullptr);
}

TEST_F(TreeTest, AutorunLaunchesOncePerProcessWithoutFolderFallback) {
    Apps(Application(1, {"Quiet", "%drive%\\Tools\\A.exe", "Quopa", "0", "1"}) +
         Application(2, {"Max", "%drive%\\Doc.txt", "Quopa", "0", "1", "\"-x\"", "%drive%\\Work",
                         "Maximized"}) +
         Application(3, {"Off", "%drive%\\c.exe", "Quopa", "0", "0"}) +
         Application(4, {"", "%drive%\\deleted.exe", "Quopa", "0", "1"}) +
         Application(5, {"Broken", "%drive%\\e.exe", "Missing", "0", "1"}));
    shell.executeResult = 2;
    loader.IntList();
    Strings runs;  // file, parameters, folder, show command
    for (const auto& e : shell.executed)
        runs.push_back(e.file + "|" + e.parameters + "|" + e.directory + "|" +
                       std::to_string(e.showCommand));
    EXPECT_EQ(runs,
              (Strings{"E:\\tools\\a.exe|||1", "E:\\doc.txt|-x|E:\\work|3", "E:\\e.exe|||1"}));
    EXPECT_EQ(desktop.messages.size(), 3u) << "each failure is reported, loading goes on";
    EXPECT_EQ(ItemsOf("Quopa").size(), 3u);
    EXPECT_TRUE(state.AutorunDone);

    loader.IntList();
    loader.LoadApps();
    EXPECT_EQ(shell.executed.size(), 3u);
}

TEST_F(TreeTest, LoadAppsAgainRestoresMissingNodesInNumberOrder) {
    Apps(Category(1, "Games") + Application(1, {"A", "E:\\a.exe", "Games"}) +
         Application(2, {"Search... B", "E:\\b.exe", "Games"}) +
         Application(3, {"C", "http://c", "Games", "1"}) +
         Application(4, {"D", "E:\\d.txt", "Quopa"}) +
         Application(5, {"", "E:\\gone.exe", "Games"}) +
         Application(6, {"Search... F", "E:\\f.exe", "Games"}) +
         Application(7, {"G", "E:\\g.exe", "Games"}));
    loader.IntList();
    const auto full = ItemsOf("Games");
    const int exe = icons.IndexOf("Application1");
    const int txt = icons.IndexOf("Application4");
    tree.Select(tree.Find("application6"));
    // What the search filter does to the items it hides.
    for (int n : {1, 3, 4, 7}) {
        tree.Remove("application" + std::to_string(n));
        icons.Remove("Application" + std::to_string(n));
    }
    const auto lookups = shell.iconRequests.size();
    state.NextItemIndex = 1;

    loader.LoadApps();
    EXPECT_EQ(ItemsOf("Games"), full);
    EXPECT_EQ(ItemsOf("Quopa"), Strings{"application4"});
    EXPECT_EQ(tree.Find("application2")->Text(), "Search... B");
    ASSERT_NE(tree.SelectedItem(), nullptr);
    EXPECT_EQ(tree.SelectedItem()->Key(), "application6");
    EXPECT_EQ(tree.Find("application7")->Text(), "G");
    EXPECT_EQ(tree.Find("application7")->Image(), "Application7");
    EXPECT_EQ(icons.IndexOf("Application1"), exe);
    EXPECT_EQ(icons.IndexOf("Application7"), exe);
    EXPECT_EQ(icons.IndexOf("Application4"), txt);
    EXPECT_EQ(shell.iconRequests.size(), lookups) << "pictures already held are reused";
    EXPECT_EQ(state.NextItemIndex, 8);
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(shell.findExecutableFiles.size(), 1u);
}

class TreeLimitTest : public TreeTest {};

TEST_F(TreeLimitTest, ItemNumbersStopAt9999AndTheNextOneIsFree) {
    std::string text;
    for (int n = 1; n <= 10000; ++n) text += Application(n, {"I" + std::to_string(n), "E:\\x.exe"});
    Apps(text);
    loader.IntList();
    EXPECT_EQ(ItemsOf("Quopa").size(), 9999u);
    EXPECT_EQ(tree.Find("application10000"), nullptr);
    EXPECT_EQ(state.NextItemIndex, 10001) << "a new item must not overwrite a stored one";
    EXPECT_EQ(ItemsOf("Quopa").back(), "application9999");
}

TEST_F(TreeLimitTest, NineThousandNineHundredNinetyNineCategoriesStillLoadTheItems) {
    std::string text;
    for (int n = 1; n <= 9999; ++n) text += Category(n, "C" + std::to_string(n));
    text += Application(1, {"A", "E:\\a.exe", "C9999"});
    Apps(text);
    loader.IntList();
    EXPECT_EQ(tree.Roots().size(), 10000u);
    EXPECT_EQ(ItemsOf("C9999"), Strings{"application1"});
    EXPECT_EQ(state.NextCategoryIndex, 10000);
    EXPECT_EQ(state.NextItemIndex, 2);
}

TEST_F(TreeTest, APageAlreadyInTheTemporaryFolderIsAskedAboutAndKept) {
    Put("tmp/dummy.html", "<p>someone's page</p>");
    loader.IntList();
    EXPECT_EQ(shell.findExecutableFiles, Strings{"E:\\tmp\\dummy.html"});
    EXPECT_EQ(Get("tmp/dummy.html"), "<p>someone's page</p>");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST(BrowserLookup, TrimAtNulAndFailedCodes) {
    EXPECT_EQ(TrimAtNul(std::string("C:\\b.exe\0   ", 12)), "C:\\b.exe");
    EXPECT_EQ(TrimAtNul("no nul"), "no nul");
    EXPECT_EQ(TrimAtNul(""), "");
}

}  // namespace
}  // namespace quopa::testing
