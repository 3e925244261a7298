// The look at the items' own files after a build: own icons, missing targets greyed.

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
    const int typePicture = ImageOf(5), before = icons.PictureCount();
    EXPECT_TRUE(shell.ownIconRequests.empty()) << "the build itself never reads an item's file";
    Slice();
    EXPECT_EQ(shell.ownIconRequests, Strings{"E:\\apps\\d.exe"});
    Finish();
    EXPECT_EQ(shell.ownIconRequests,
              (Strings{"E:\\apps\\d.exe", "E:\\apps\\plain.exe", "E:\\apps\\a.exe"}));
    EXPECT_EQ(icons.PictureCount(), before + 2);
    EXPECT_EQ((std::vector<int>{ImageOf(1), ImageOf(2), ImageOf(5)}),
              (std::vector<int>{Own("a.exe"), Own("a.exe"), typePicture}));
    EXPECT_EQ(tree.Find("application1")->Image(), "Application1") << "the node's key stays";
    EXPECT_EQ(Greyed(), std::vector<int>{});
}

TEST_F(ItemFilePassTest, SurvivesAFilterInTheMiddleAndARebuildStartsAgain) {
    Programs({"a.exe", "b.exe", "c.exe"});
    Apps(Application(1, {"A", "%drive%\\apps\\a.exe"}) +
         Application(2, {"B", "%drive%\\apps\\b.exe"}) +
         Application(3, {"C", "%drive%\\gone.exe"}) + Application(4, {"D", "E:\\apps\\c.exe"}));
    loader.IntList();
    Slice();
    Slice();
    for (int n : {1, 3, 4}) {  // what the search does to items that do not match
        tree.Remove("application" + std::to_string(n));
        icons.Remove("Application" + std::to_string(n));
    }  // 1 and 3 were looked at, 4 not yet
    loader.ContinuePass();
    loader.LoadApps();  // the filter's restore
    Finish();
    EXPECT_EQ((std::vector<int>{ImageOf(1), ImageOf(2), ImageOf(4)}),
              (std::vector<int>{Own("a.exe"), Own("b.exe"), Own("c.exe")}))
        << "a restored node gets its own icon back";
    EXPECT_EQ(Greyed(), std::vector<int>{3}) << "and its grey";
    EXPECT_EQ(shell.ownIconRequests.size(), 3u) << "each file once per build";
    loader.IntList();
    EXPECT_EQ(Greyed(), std::vector<int>{}) << "a new build shows nothing it has not looked at";
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
