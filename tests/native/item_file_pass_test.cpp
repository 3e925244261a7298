// The look at the items' own files after a build: own icons, missing targets greyed.
#include <filesystem>
#include <string>

#include "tests/native/tree_fixture.h"
#include "ui/headless/headless_tree_view.h"

namespace quopa::testing {
namespace {

class ItemFilePassTest : public TreeTest {
  protected:
    void SetUp() override {
        TreeTest::SetUp();
        std::filesystem::create_directory(Host("apps"));
    }
    // A program on the drive that carries an icon of its own.
    void Program(const std::string& name, std::uintptr_t icon) {
        Put("apps/" + name, "MZ");
        shell.ownIcons["E:\\apps\\" + name] = icon;
    }
    void Finish() {
        for (int slices = 0; loader.Pass().Pending() && slices < 1000; ++slices)
            loader.ContinuePass();
    }
    int ImageOf(int n) const { return icons.IndexOf("Application" + std::to_string(n)); }
    bool Grey(int n) const { return tree.Find("application" + std::to_string(n))->Greyed(); }
    // What the search filter does to an item that does not match.
    void FilterOut(int n) {
        tree.Remove("application" + std::to_string(n));
        icons.Remove("Application" + std::to_string(n));
    }
};

TEST_F(ItemFilePassTest, LooksAtNodesOnScreenFirstAndNeverAtWebLinks) {
    for (const char* name : {"a.exe", "b.exe", "c.exe", "d.exe", "e.exe"}) Program(name, 0x50);
    // Rows: Quopa Drive, application4, application5, Games, application1, ...
    Apps(Category(1, "Games") + Application(1, {"A", "%drive%\\apps\\a.exe", "Games"}) +
         Application(2, {"B", "%drive%\\apps\\b.exe", "Games"}) +
         Application(3, {"Web", "E:\\apps\\gone.exe", "Games", "1"}) +
         Application(4, {"D", "%drive%\\apps\\d.exe"}) +
         Application(5, {"E", "%drive%\\apps\\e.exe"}));
    tree.SetBounds({0, 0, 3000, 3 * ui::HeadlessTreeViewPeer::kRowTwips});
    loader.IntList();
    EXPECT_TRUE(shell.ownIconRequests.empty()) << "the build itself never reads an item's file";

    loader.ContinuePass(std::chrono::steady_clock::duration::zero());
    EXPECT_EQ(shell.ownIconRequests, Strings{"E:\\apps\\d.exe"}) << "one item a slice at least";
    Finish();
    EXPECT_EQ(shell.ownIconRequests, (Strings{"E:\\apps\\d.exe", "E:\\apps\\e.exe",
                                              "E:\\apps\\a.exe", "E:\\apps\\b.exe"}));
    EXPECT_FALSE(Grey(3)) << "a web link is never checked";
    EXPECT_EQ(tree.Find("application3")->Image(), "browser");
}

TEST_F(ItemFilePassTest, ItemsOfOneFileShareOnePictureAndAnUnreadableFileKeepsItsType) {
    Program("a.exe", 0x61);
    Put("apps/plain.exe", "MZ");  // no icon of its own
    Put("apps/notes.txt", "");
    Apps(Application(1, {"A", "%drive%\\apps\\a.exe"}) +
         Application(2, {"A again", "%DRIVE%\\Apps\\A.exe"}) +
         Application(3, {"Plain", "%drive%\\apps\\plain.exe"}) +
         Application(4, {"Notes", "%drive%\\apps\\notes.txt"}));
    loader.IntList();
    const int typePicture = ImageOf(3);
    const int before = icons.PictureCount();
    Finish();

    EXPECT_EQ(shell.ownIconRequests, (Strings{"E:\\apps\\a.exe", "E:\\apps\\plain.exe"}))
        << "only programs and shortcuts carry icons, each file asked once";
    EXPECT_EQ(icons.PictureCount(), before + 1);
    EXPECT_NE(ImageOf(1), typePicture);
    EXPECT_EQ(ImageOf(1), ImageOf(2));
    EXPECT_EQ(ImageOf(3), typePicture);
    EXPECT_EQ(tree.Find("application1")->Image(), "Application1") << "the node's key stays";
}

TEST_F(ItemFilePassTest, SurvivesAFilterInTheMiddleAndARebuildStartsAgain) {
    for (const char* name : {"a.exe", "b.exe", "c.exe"}) Program(name, 0x70);
    Apps(Application(1, {"A", "%drive%\\apps\\a.exe"}) +
         Application(2, {"B", "%drive%\\apps\\b.exe"}) +
         Application(3, {"C", "%drive%\\gone.exe"}) + Application(4, {"D", "E:\\apps\\c.exe"}));
    loader.IntList();
    loader.ContinuePass(std::chrono::steady_clock::duration::zero());
    loader.ContinuePass(std::chrono::steady_clock::duration::zero());
    for (int n : {1, 3, 4}) FilterOut(n);  // 1 and 3 looked at, 4 not yet
    loader.ContinuePass();
    loader.LoadApps();  // the filter's restore
    Finish();

    const int own = icons.IndexOf("file:e:\\apps\\a.exe");
    ASSERT_GE(own, 0);
    EXPECT_EQ(ImageOf(1), own) << "a restored node gets its own icon back";
    EXPECT_EQ(ImageOf(2), icons.IndexOf("file:e:\\apps\\b.exe"));
    EXPECT_EQ(ImageOf(4), icons.IndexOf("file:e:\\apps\\c.exe"));
    EXPECT_TRUE(Grey(3)) << "and its grey";
    EXPECT_FALSE(Grey(1));
    EXPECT_EQ(shell.ownIconRequests.size(), 3u) << "each file once per build";

    loader.IntList();
    EXPECT_TRUE(loader.Pass().Pending());
    EXPECT_FALSE(Grey(3)) << "a new build shows nothing it has not looked at";
    Finish();
    EXPECT_EQ(shell.ownIconRequests.size(), 6u);
    EXPECT_TRUE(Grey(3));
}

TEST_F(ItemFilePassTest, MissingTargetsAreGreyedAndUngreyedByTheNextBuild) {
    Apps(Application(1, {"Tool", "%drive%\\apps\\tool.exe"}) +
         Application(2, {"Folder", "%drive%\\docs", "Quopa", "2"}) +
         Application(3, {"On the path", "notepad.exe"}) +
         Application(4, {"Here", "%drive%\\apps"}));
    loader.IntList();
    Finish();
    EXPECT_TRUE(Grey(1));
    EXPECT_TRUE(Grey(2));
    EXPECT_FALSE(Grey(3)) << "a bare name is found by the shell's search";
    EXPECT_FALSE(Grey(4)) << "a folder is there as much as a file";

    Program("tool.exe", 0x80);
    std::filesystem::create_directory(Host("docs"));
    loader.IntList();
    Finish();
    EXPECT_FALSE(Grey(1));
    EXPECT_FALSE(Grey(2));
    EXPECT_EQ(ImageOf(1), icons.IndexOf("file:e:\\apps\\tool.exe"));
}

TEST_F(ItemFilePassTest, AFixedLetterMissingButOnTheLaunchersDriveIsNotMissing) {
    Program("tool.exe", 0x90);
    Apps(Application(1, {"Moved", "F:\\apps\\tool.exe"}) +
         Application(2, {"Gone", "F:\\apps\\gone.exe"}));
    loader.IntList();
    Finish();
    EXPECT_FALSE(Grey(1));
    EXPECT_EQ(ImageOf(1), icons.IndexOf("file:e:\\apps\\tool.exe"));
    EXPECT_TRUE(Grey(2));
}

// A load asks the file system about the apps file once, and the next load sees a change.
class CountingFiles : public platform::HostFiles {
  public:
    platform::FileInfo Query(const std::string& path) override {
        if (path == watched) ++queries;
        return HostFiles::Query(path);
    }
    std::string watched;
    int queries = 0;
};

TEST_F(TreeTest, ALoadChecksTheAppsFileOnceAndTheNextLoadSeesAChange) {
    CountingFiles counting;
    counting.MapDrive('E', root_);
    counting.watched = appsFile;
    modINI countingIni(counting);
    TreeLoader counted({tree, icons, run, apps}, countingIni, launcher, services, state, appsFile,
                       {});
    std::string text = Category(1, "Games");
    for (int n = 1; n <= 50; ++n) text += Application(n, {"A", "E:\\a.exe", "Games"});
    Apps(text);
    counted.IntList();
    EXPECT_EQ(counting.queries, 1);
    EXPECT_EQ(tree.Find("Games")->Children().size(), 50u);

    Apps(text + Application(51, {"New", "E:\\new.exe", "Games"}));
    counted.IntList();
    EXPECT_EQ(counting.queries, 2);
    EXPECT_NE(tree.Find("application51"), nullptr);
}

}  // namespace
}  // namespace quopa::testing
