// What the user can do while a load waits on a message box: the main window keeps running.
#include <stdexcept>

#include "platform/debug_trace.h"
#include "tests/native/tree_fixture.h"

namespace quopa::testing {
namespace {

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

TEST_F(TreePumpTest, ACategoryDeletedWhileAnErrorBoxIsOpenIsNotTouchedAfterwards) {
    desktop.whileShown = [this] { tree.Remove("Games"); };
    loader.IntList();
    EXPECT_EQ(tree.Find("Games"), nullptr);
    EXPECT_EQ(ItemsOf("Quopa"), (Strings{"application2", "application3"}));
    EXPECT_TRUE(tree.Find("Quopa")->Expanded());
}

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
    EXPECT_NE(tree.Find("Later"), nullptr);
    EXPECT_EQ(ItemsOf("Games"), Strings{"application1"});
    EXPECT_EQ(shell.executed.size(), 1u) << "autorun still runs once";
    // The outer build, the waiting rebuild, and one item load: requests merge.
    EXPECT_EQ(shell.findExecutableFiles.size(), 2u);
    EXPECT_EQ(doEventsCalls, 2);
}

// An item whose load fails is left off, and the developer is told why; the rest loads.
TEST_F(TreePumpTest, AnItemThatFailsIsTracedAndTheRestLoads) {
    Strings traces;
    platform::SetTraceSink([&traces](const std::string& text) { traces.push_back(text); });
    desktop.whileShown = [] { throw std::runtime_error("box failed"); };
    loader.IntList();
    platform::SetTraceSink(nullptr);
    EXPECT_EQ(traces, Strings{"Application2 left off the tree: box failed"});
    EXPECT_EQ(ItemsOf("Quopa"), Strings{"application3"});
    EXPECT_EQ(ItemsOf("Games"), Strings{"application1"});
    loader.FillRunMenu();
    EXPECT_EQ(apps.Element(2)->Caption(), "Start") << "the tray still offers it";
}

// A fault nobody can handle ends the load, and must not leave it marked as running.
TEST_F(TreePumpTest, ALoadEndedByAFaultLetsTheNextLoadRun) {
    struct Fault {};
    desktop.whileShown = [] { throw Fault{}; };
    EXPECT_THROW(loader.IntList(), Fault);
    desktop.whileShown = nullptr;
    loader.IntList();
    EXPECT_EQ(ItemsOf("Games"), Strings{"application1"});
}

}  // namespace
}  // namespace quopa::testing
