#include <stdexcept>

#include "launch/drive_paths.h"
#include "launch/shell_rules.h"
#include "platform/debug_trace.h"
#include "tests/native/tree_fixture.h"
#include "ui/headless/headless_tree_view.h"

namespace quopa::testing {
namespace {

using namespace std::string_literals;

// The browser's picture comes from a scratch page in the temporary folder; someone's page of
// that name is asked about and kept.
TEST_F(TreeTest, EmptyOrMissingFileShowsOnlyTheMainCategoryAndEndsAutorun) {
    for (bool present : {false, true}) {
        if (present) Apps("");
        loader.IntList();
        EXPECT_EQ(Shape() + " " + Info("Quopa"), "Quopa[] Quopa Drive|default|Category0");
        EXPECT_EQ(state.NextItemIndex + 10 * state.NextCategoryIndex, 11);
        EXPECT_TRUE(!run.Enabled() && icons.IndexOf("browser") >= 0);
    }
    EXPECT_EQ(Get("quopa_apps.dat"), "") << "loading must not write";
    EXPECT_FALSE(Exists("tmp/dummy.html"));
    Put("tmp/dummy.html", "<p>someone's page</p>");
    loader.IntList();
    EXPECT_EQ(Get("tmp/dummy.html"), "<p>someone's page</p>");
    EXPECT_EQ(shell.findExecutableFiles, Strings(3, "E:\\tmp\\dummy.html"));
    EXPECT_TRUE(desktop.messages.empty());
    // Autorun is done once the first load is over, even one that found no items. Without a
    // browser the user is told.
    Apps(Application(1, {"A", "E:\\a.exe", "Quopa", "0", "1"}));
    shell.browserCode = 31;
    loader.IntList();
    EXPECT_TRUE(shell.executed.empty());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text + desktop.messages[0].title, "No dice!"s + kAppTitle);
}

// A deleted item (no name) is left out and a bad type counts as 0. Refused categories are
// left out; an item without a usable category, or whose key a category holds, stays off the
// tree, still reachable from the tray, and loading goes on.
TEST_F(TreeTest, BuildsCategoriesItemsAndTrayEntriesSkippingWhatItCannotUse) {
    Apps(Category(1, "Games") + Category(2, "Deleted") + Category(3, "deleted") +
         Category(4, "Games") + Category(5, "Quopa") + Category(6, "application7") +
         Application(1, {"Notepad", "%drive%\\Tools\\notepad2.exe"}) +
         Application(2, {"", "%drive%\\gone.exe"}) +
         Application(3, {"Chess", "%drive%\\Games\\chess.exe", "Games"}) +
         Application(4, {"Site", "http://example.org", "Games", "1"}) +
         Application(5, {"Odd", "%drive%\\x.exe", "Games", "abc"}) +
         Application(6, {"Lost link", "http://x", "Gone", "1"}) +
         Application(7, {"Key taken", "E:\\d.exe", "Games"}) +
         Application(8, {"Nested", "E:\\f.exe", "application3"}));
    loader.IntList();
    EXPECT_EQ(Shape(),
              "Quopa+[application1] Games+[application3 application4 application5] "
              "deleted[] application7[]");
    EXPECT_EQ(Info("deleted") + " " + Info("application3") + " " + Info("application4") + " " +
                  Info("application5"),
              "deleted|default|Category3 Chess|Application3| Site|browser| Odd|Application5|");
    EXPECT_TRUE(tree.Find("application3")->Children().empty());
    EXPECT_EQ(state.NextItemIndex + 10 * state.NextCategoryIndex, 79);
    loader.FillRunMenu();
    std::string tray;
    for (int n = 1; n <= 8; ++n) tray += apps.Element(n) ? apps.Element(n)->Caption() + "|" : "-|";
    EXPECT_EQ(tray, "Notepad|-|Chess|Site|Odd|Lost link|Key taken|Nested|");
}

TEST_F(TreeTest, AutorunLaunchesWithoutFolderFallbackAndReportsEachFailure) {
    Apps(Application(1, {"Quiet", "%drive%\\Tools\\A.exe", "Quopa", "0", "1"}) +
         Application(2, {"Max", "%drive%\\Doc.txt", "Quopa", "0", "1", "\"-x\"", "%drive%\\Work",
                         "Maximized"}) +
         Application(3, {"Off", "%drive%\\c.exe", "Quopa", "0", "0"}) +
         Application(4, {"", "%drive%\\deleted.exe", "Quopa", "0", "1"}) +
         Application(5, {"Broken", "%drive%\\e.exe", "Missing", "0", "1"}));
    shell.executeResult = 2;
    loader.IntList();
    EXPECT_EQ(Runs(shell), (Strings{"E:\\tools\\a.exe|||1|0", "E:\\doc.txt|-x|E:\\work|3|0",
                                    "E:\\e.exe|||1|0"}));
    EXPECT_EQ(desktop.messages.size(), 3u) << "each failure is reported, loading goes on";
}

// A new item must not overwrite a stored one, and items load after the last category.
TEST_F(TreeTest, ItemAndCategoryNumbersStopAt9999AndTheNextOneIsFree) {
    std::string text;
    for (int n = 1; n <= 9999; ++n) text += Category(n, "C" + std::to_string(n));
    for (int n = 1; n <= 10000; ++n) text += Application(n, {"I", "E:\\x.exe", "C9999"});
    Apps(text);
    loader.IntList();
    EXPECT_EQ(tree.Roots().size(), 10000u);
    EXPECT_EQ(ItemsOf("C9999").size(), 9999u);
    EXPECT_EQ(state.NextItemIndex + state.NextCategoryIndex, 20001);
}

class TreePumpTest : public TreeTest {
  protected:
    // Games holds item 1; item 2's autorun fails, so its error box opens mid-load.
    void SetUp() override {
        TreeTest::SetUp();
        Apps(Category(1, "Games") + Application(1, {"Chess", "E:\\chess.exe", "Games"}) +
             Application(2, {"Start", "E:\\start.exe", "Quopa", "0", "1"}) +
             Application(3, {"Site", "http://x", "Quopa", "1"}));
        shell.executeResult = 2;
    }
};

TEST_F(TreePumpTest, AReloadAskedForDuringALoadRunsOnceAfterIt) {
    bool seenInside = true;
    desktop.whileShown = [this, &seenInside] {
        desktop.whileShown = nullptr;
        Put("quopa_apps.dat", Get("quopa_apps.dat") + Category(2, "Later"));
        loader.LoadApps();
        loader.IntList();
        loader.LoadApps();
        seenInside = tree.Find("Later") != nullptr;
    };
    loader.IntList();
    EXPECT_FALSE(seenInside) << "the rebuild must wait for the load it interrupts";
    EXPECT_EQ(Shape(), "Quopa+[application2 application3] Games+[application1] Later[]");
    // Autorun still runs once; the outer build, the waiting rebuild and one item load merge.
    EXPECT_EQ(std::tuple(shell.executed.size(), shell.findExecutableFiles.size(), doEventsCalls),
              std::tuple(1u, 2u, 2));
}

// An item whose load fails is left off, and the developer is told why; a fault nobody can
// handle ends the load, and must not leave it marked as running.
TEST_F(TreePumpTest, AnItemThatFailsIsTracedAndTheRestLoads) {
    desktop.whileShown = [this] { tree.Remove("Games"); };  // not touched afterwards
    loader.IntList();
    EXPECT_EQ(Shape(), "Quopa+[application2 application3]");
    state.AutorunDone = false;
    Strings traces;
    platform::SetTraceSink([&traces](const std::string& text) { traces.push_back(text); });
    desktop.whileShown = [] { throw std::runtime_error("box failed"); };
    loader.IntList();
    platform::SetTraceSink(nullptr);
    EXPECT_EQ(traces, Strings{"Application2 left off the tree: box failed"});
    EXPECT_EQ(Shape(), "Quopa+[application3] Games+[application1]");
    loader.FillRunMenu();
    EXPECT_EQ(apps.Element(2)->Caption(), "Start") << "the tray still offers it";

    struct Fault {};
    desktop.whileShown = [] { throw Fault{}; };
    state.AutorunDone = false;
    EXPECT_THROW(loader.IntList(), Fault);
    desktop.whileShown = nullptr;
    loader.IntList();
    EXPECT_EQ(ItemsOf("Games"), Strings{"application1"});
}

TEST(LaunchRules, WindowStylesShellErrorsAndDriveMovesMapExactly) {
    for (const auto& [style, show] :
         std::initializer_list<std::pair<const char*, int>>{{"Normal", 10},
                                                            {"Minimized", 6},
                                                            {"Maximized", 3},
                                                            {"maximized", 10},
                                                            {" Normal", 10}})
        EXPECT_EQ(WindowStyleToShow(style), show) << style;
    const std::string general =
        "An error occurred occurred whilst trying to open or print the selected file.";
    std::string seen;
    for (int code : {8, 5, 28, 30, 32, 1, 25, -1, 33}) seen += ShellErrorMessage(code) + "|"s;
    EXPECT_EQ(seen,
              "Out of memory|Path/file access error|The file could not be opened due to time "
              "out.  Please try again in a moment.|The file could not be opened because the "
              "target application is busy.  Please try again in a moment.|The specified "
              "dynamic-link library was not found.|" +
                  general + "|" + general + "|||");
    // Only paths under another drive letter move to the launcher's drive.
    EXPECT_EQ(OnLauncherDrive("f:/Папка/x.exe", "\\\\server\\share"),
              "\\\\server\\share/Папка/x.exe");
    for (const char* stays : {"E:\\x.exe", "e:\\x.exe", "x.exe", "http://example.org/x.exe",
                              "\\\\server\\share\\x.exe", "F:x.exe", ""})
        EXPECT_EQ(OnLauncherDrive(stays, "E:"), "") << stays;
}

// The token takes the drive and lowers the whole path. Without parameters and a folder every
// executable shows normally, whatever the caller asked; a refusal is shown once, with the
// shell's reason, and reported.
TEST_F(TreeTest, TheTokenTakesTheDriveExecutablesShowNormallyAndARefusalIsShownOnce) {
    EXPECT_EQ(launcher.ReplaceToken("\"%Drive%\\Папка B\\日本.EXE\" %DRIVE%\\Y"),
              "\"E:\\Папка b\\日本.exe\" E:\\y");
    EXPECT_EQ(launcher.ReplaceToken("C:\\Keep\\Case.EXE") + launcher.ReplaceToken("%drive"),
              "C:\\Keep\\Case.EXE%drive");
    EXPECT_TRUE(launcher.ShellOpenFile("E:\\A.EXE", 3, "", "E:\\", "open", 0));
    EXPECT_TRUE(launcher.ShellOpenFile("http://x/setup.exe", 6, "-q", "", "open", 0));
    for (int show : {0, 6}) launcher.ShellOpenFile("E:\\a.exe", show, "", "", "open", 7);
    EXPECT_EQ(Runs(shell), (Strings{"E:\\A.EXE||E:\\|3|0", "http://x/setup.exe|-q||6|0",
                                    "E:\\a.exe|||1|7", "E:\\a.exe|||1|7"}));
    shell.executeResult = 32;  // the highest failure
    EXPECT_FALSE(launcher.ShellOpenFile("X:\\a.exe", 10, "", "", "open", 0));
    for (std::intptr_t success : {33, -5}) {
        shell.executeResult = success;
        EXPECT_TRUE(launcher.ShellOpenFile("X:\\a.exe", 10, "", "", "open", 0)) << success;
    }
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(
        desktop.messages[0].text + "|" + desktop.messages[0].title,
        std::string("The specified dynamic-link library was not found. - X:\\a.exe|") + kAppTitle);
    EXPECT_EQ(desktop.messages[0].style, platform::kMbIconCritical | platform::kMbOk);
}

// An executable must not start hidden; without a folder it starts in the program's. An
// unknown item gets the shell's error, and no file is made.
TEST_F(TreeTest, RunAppResolvesTheItemAndFallsBackToTheProgramFolder) {
    shell.executeResult = 2;
    launcher.RunApp("application9");
    EXPECT_EQ(desktop.messages.back().text, "File not found - ");
    EXPECT_FALSE(Exists("quopa_apps.dat"));
    shell.executeResult = 33;
    Apps(Application(2, {"R", "%drive%\\Docs\\Read Me.TXT", "Quopa", "0", "0", "\"-a -b\"",
                         "%DRIVE%\\Docs\\", "Maximized"}));
    launcher.RunApp("Application2");
    EXPECT_EQ(Runs(shell), (Strings{"||E:\\|10|0", "E:\\docs\\read me.txt|-a -b|E:\\docs\\|3|0"}));
    EXPECT_EQ(shell.executed[1].operation, "open");
}

// A path stored under a fixed drive letter, launched after the stick got another letter:
// only a path missing where it points, and present on the stick, is moved.
TEST_F(TreeTest, AMissingPathIsLaunchedFromTheLaunchersDrive) {
    std::filesystem::create_directories(Host("d/Apps"));
    files_.MapDrive('D', Host("d"));
    std::filesystem::create_directory(Host("Apps"));
    Put("Apps/Tool.exe", "MZ");
    Put("d/Apps/Tool.exe", "MZ");
    const std::string stored =
        Application(1, {"A", "F:\\Apps\\Tool.exe", "Quopa", "0", "0", "", "F:\\Apps"}) +
        Application(2, {"B", "D:\\Apps\\Tool.exe"}) + Application(3, {"C", "D:\\Apps\\Gone.exe"});
    Apps(stored);
    for (const char* key : {"application1", "application2", "application3"}) launcher.RunApp(key);
    // The file on its own drive wins over the copy on the stick.
    EXPECT_EQ(Runs(shell),
              (Strings{"E:\\Apps\\Tool.exe||E:\\Apps|10|0", "D:\\Apps\\Tool.exe||E:\\|10|0",
                       "D:\\Apps\\Gone.exe||E:\\|10|0"}));
    EXPECT_EQ(Get("quopa_apps.dat"), stored) << "the stored text stays as it was";
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(FileExists(files_, "E:\\Apps")) << "a folder is no file";
}

// The look at the items' own files after a build: own icons, missing targets greyed.
class ItemFilePassTest : public TreeTest {
  protected:
    void SetUp() override {
        TreeTest::SetUp();
        std::filesystem::create_directory(Host("apps"));
    }
    // Programs on the drive that carry an icon of their own.
    void Programs(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            Put(std::string("apps/") + name, "MZ");
            shell.ownIcons[std::string("E:\\apps\\") + name] = 0x50;
        }
    }
    void Finish() {
        for (int slices = 0; loader.Pass().Pending() && slices < 1000; ++slices)
            loader.ContinuePass();
    }
    void Slice() { loader.ContinuePass(std::chrono::steady_clock::duration::zero()); }
    int ImageOf(int n) const { return icons.IndexOf("Application" + std::to_string(n)); }
    int Own(const std::string& file) const { return icons.IndexOf("file:e:\\apps\\" + file); }
    // The items greyed, by number.
    std::vector<int> Greyed() const {
        std::vector<int> greyed;
        for (int n = 1; n < 10; ++n)
            if (const auto* node = tree.Find("application" + std::to_string(n));
                node && node->Greyed())
                greyed.push_back(n);
        return greyed;
    }
};

// Nodes on screen are looked at first, one item a slice at least, each file once, and web
// links never; only programs and shortcuts carry icons, and a file without one keeps its
// type's picture.
TEST_F(ItemFilePassTest, LooksAtNodesOnScreenFirstAndItemsOfOneFileShareOnePicture) {
    Programs({"a.exe", "d.exe"});
    Put("apps/plain.exe", "MZ");
    Put("apps/notes.txt", "");
    // Rows: Quopa Drive, application4, application5, application6, Games, application1, ...
    Apps(Category(1, "Games") + Application(1, {"A", "%drive%\\apps\\a.exe", "Games"}) +
         Application(2, {"A again", "%DRIVE%\\Apps\\A.exe", "Games"}) +
         Application(3, {"Web", "E:\\apps\\gone.exe", "Games", "1"}) +
         Application(4, {"D", "%drive%\\apps\\d.exe"}) +
         Application(5, {"Plain", "%drive%\\apps\\plain.exe"}) +
         Application(6, {"Notes", "%drive%\\apps\\notes.txt"}));
    tree.SetBounds({0, 0, 3000, 3 * ui::HeadlessTreeViewPeer::kRowTwips});
    loader.IntList();
    const int typePicture = ImageOf(5);
    EXPECT_TRUE(shell.ownIconRequests.empty()) << "the build itself never reads an item's file";
    Slice();
    EXPECT_EQ(shell.ownIconRequests, Strings{"E:\\apps\\d.exe"});
    Finish();
    EXPECT_EQ(shell.ownIconRequests,
              (Strings{"E:\\apps\\d.exe", "E:\\apps\\plain.exe", "E:\\apps\\a.exe"}));
    EXPECT_EQ((std::vector<int>{ImageOf(1), ImageOf(2), ImageOf(5)}),
              (std::vector<int>{Own("a.exe"), Own("a.exe"), typePicture}));
    EXPECT_EQ(Greyed(), std::vector<int>{});
}

// A bare name is found by the shell's search, a folder is there as much as a file, and a
// fixed letter that is gone is looked for on the launcher's drive.
TEST_F(ItemFilePassTest, MissingTargetsAreGreyedAndUngreyedByTheNextBuild) {
    Apps(Application(1, {"Tool", "%drive%\\apps\\tool.exe"}) +
         Application(2, {"Folder", "%drive%\\docs", "Quopa", "2"}) +
         Application(3, {"On the path", "notepad.exe"}) +
         Application(4, {"Here", "%drive%\\apps"}) +
         Application(5, {"Moved", "F:\\apps\\tool.exe"}) +
         Application(6, {"Gone", "F:\\apps\\gone.exe"}));
    loader.IntList();
    Finish();
    EXPECT_EQ(Greyed(), (std::vector<int>{1, 2, 5, 6}));
    Programs({"tool.exe"});
    std::filesystem::create_directory(Host("docs"));
    loader.IntList();
    Finish();
    EXPECT_EQ(Greyed(), std::vector<int>{6});
    EXPECT_EQ(ImageOf(1) + ImageOf(5), 2 * Own("tool.exe"));
}

}  // namespace
}  // namespace quopa::testing
