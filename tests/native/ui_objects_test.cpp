// The control objects without a window system: the state they keep and the events the
// windows rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/headless_backend.h"

namespace {

using platform::Picture;
using Strings = std::vector<std::string>;

Strings KeysOf(const std::vector<ui::TreeNode*>& nodes) {
    Strings keys;
    for (const ui::TreeNode* node : nodes) keys.push_back(node->key);
    return keys;
}

// A tree peer that writes down what it was asked, to check what reaches the real view.
struct RecordingTree : ui::TreeViewPeer {
    Strings& log;
    explicit RecordingTree(Strings& l) : log(l) {}
    void SetImageList(ui::ImageList*) override {}
    void Insert(ui::TreeNode& node) override { log.push_back("insert " + node.key); }
    void Remove(ui::TreeNode& node) override { log.push_back("remove " + node.key); }
    void Clear() override { log.push_back("clear"); }
    void SetNodeText(ui::TreeNode& node) override { log.push_back("text " + node.text); }
    void Expand(ui::TreeNode&) override {}
    void Select(ui::TreeNode* node) override {
        log.push_back("select " + (node ? node->key : std::string("none")));
    }
    void SetRedraw(bool on) override { log.push_back(on ? "redraw on" : "redraw off"); }
    void StartLabelEdit(ui::TreeNode&) override {}
    ui::TreeNode* HitTest(int, int) override { return nullptr; }
};

struct RecordingBackend : ui::HeadlessBackend {
    Strings log;
    std::unique_ptr<ui::TreeViewPeer> CreateTreeView(ui::TreeView&, ui::Container&,
                                                     const ui::ControlArgs&) override {
        return std::make_unique<RecordingTree>(log);
    }
};

// A form of a designed size holding a tree of four nodes.
class Objects : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::FormArgs args;
        args.clientWidth = 11460;
        args.clientHeight = 5790;
        form.Create(args);
        tree.Create(form, {});
        ASSERT_NE(nullptr, tree.Add("", "Quopa", "Quopa Drive", ""));
        ASSERT_NE(nullptr, tree.Add("Quopa", "Games", "Games", ""));
        ASSERT_NE(nullptr, tree.Add("Games", "application2", "Zork", "Application2"));
        ASSERT_NE(nullptr, tree.Add("Games", "application1", "Chess", "Application1"));
        backend.log.clear();
    }
    RecordingBackend backend;
    ui::Form form{backend};
    ui::TreeView tree;
};

TEST_F(Objects, AddRefusesBadKeysAndRemoveTakesTheBranchWithItsSelection) {
    EXPECT_EQ(nullptr, tree.Add("", "", "No key", ""));
    EXPECT_EQ(nullptr, tree.Add("", "Games", "Twice", ""));
    EXPECT_EQ(nullptr, tree.Add("Nowhere", "application3", "Lost", ""));
    EXPECT_NE(nullptr, tree.Add("", "games", "Other case", ""));  // keys are case-sensitive
    EXPECT_EQ((Strings{"Quopa", "games"}), KeysOf(tree.Roots()));
    EXPECT_EQ((Strings{"application2", "application1"}), KeysOf(tree.Find("Games")->children));

    ui::TreeNode* chess = tree.Find("application1");
    tree.Select(chess);
    EXPECT_TRUE(tree.Remove("application2"));
    EXPECT_EQ(chess, tree.SelectedItem());
    EXPECT_TRUE(tree.Remove("Games"));
    EXPECT_FALSE(tree.Remove("Games"));
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_EQ(nullptr, tree.Find("application1"));
    EXPECT_EQ(2u, tree.Count());
    EXPECT_TRUE(tree.Find("Quopa")->children.empty());
    // Refused nodes never reach the view, which drops its own selection after the branch.
    EXPECT_EQ((Strings{"insert games", "select application1", "remove application2", "remove Games",
                       "select none"}),
              backend.log);
    EXPECT_NE(nullptr, tree.Add("Quopa", "application1", "Chess", ""));  // the key is free again
}

TEST_F(Objects, SetNodeKeyRekeysTheSameNodeAndClearEmptiesEverything) {
    ui::TreeNode* games = tree.Find("Games");
    EXPECT_TRUE(tree.SetNodeKey(*games, "Play"));
    EXPECT_EQ(games, tree.Find("Play"));
    EXPECT_EQ(nullptr, tree.Find("Games"));
    EXPECT_EQ(games, tree.Find("application1")->parent);
    EXPECT_FALSE(tree.SetNodeKey(*games, "Quopa"));
    EXPECT_FALSE(tree.SetNodeKey(*games, ""));
    EXPECT_TRUE(tree.SetNodeKey(*games, "Play"));
    EXPECT_EQ(4u, tree.Count());

    tree.Select(games);
    tree.Clear();
    EXPECT_EQ(0u, tree.Count());
    EXPECT_TRUE(tree.Roots().empty());
    EXPECT_EQ(nullptr, tree.SelectedItem());
}

TEST_F(Objects, OnlyTheUsersChoiceRaisesNodeClickAndNestedUpdatesSuspendDrawingOnce) {
    Strings clicks;
    tree.onNodeClick = [&](ui::TreeNode& node) { clicks.push_back(node.key); };
    tree.SyncSelected(tree.Find("Quopa"));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(tree.Find("Quopa"), tree.SelectedItem());
    tree.UserSelected(tree.Find("application1"));
    tree.UserSelected(nullptr);
    EXPECT_EQ(Strings{"application1"}, clicks);
    EXPECT_EQ(nullptr, tree.SelectedItem());

    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.EndUpdate();
    EXPECT_EQ(Strings{"redraw off"}, backend.log);
    tree.EndUpdate();
    tree.EndUpdate();  // one too many: drawing stays on
    tree.BeginUpdate();
    EXPECT_EQ((Strings{"redraw off", "redraw on", "redraw off"}), backend.log);
}

TEST_F(Objects, LabelEditStandsUnlessCancelledOrTheHandlerRemovedTheNode) {
    ui::TreeNode* root = tree.Find("Quopa");
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) { e.cancel = e.node == root; };
    EXPECT_FALSE(tree.UserEditedLabel(*root, "Mine"));
    EXPECT_EQ("Quopa Drive", root->text);
    EXPECT_TRUE(tree.UserEditedLabel(*tree.Find("application1"), ""));
    EXPECT_EQ("", tree.Find("application1")->text);
    EXPECT_EQ(Strings{"text "}, backend.log);

    tree.onAfterLabelEdit = [&](ui::LabelEditEvent&) { tree.Remove("Games"); };
    EXPECT_FALSE(tree.UserEditedLabel(*tree.Find("application2"), "Go"));
    EXPECT_EQ(1u, tree.Count());
}

TEST(ImageListObject, KeysAliasesAndRemovalShareAndReuseSlots) {
    const auto some = [] { return Picture(Picture::Kind::Icon, 1, nullptr); };
    ui::ImageList images;
    EXPECT_EQ(0, images.Add("browser", some()));
    EXPECT_EQ(-1, images.Add("browser", some()));
    EXPECT_EQ(-1, images.Add("Application1", Picture()));
    EXPECT_EQ(1, images.Add("Application1", some()));
    EXPECT_TRUE(images.AddAlias("Application2", 0));
    EXPECT_FALSE(images.AddAlias("Application2", 1));
    EXPECT_FALSE(images.AddAlias("Application3", 7));
    EXPECT_EQ(0, images.IndexOf("Application2"));
    EXPECT_EQ(2, images.PictureCount());
    EXPECT_EQ(3u, images.KeyCount());

    // The shared picture stays while one key still uses it.
    EXPECT_TRUE(images.Remove("browser"));
    EXPECT_EQ(0, images.IndexOf("Application2"));
    EXPECT_TRUE(images.Remove("Application1"));
    EXPECT_FALSE(images.Remove("Application1"));
    EXPECT_EQ(1, images.PictureCount());
    EXPECT_FALSE(images.AddAlias("Application5", 1));  // a freed slot takes no alias
    EXPECT_EQ(1, images.Add("Application4", some()));
    EXPECT_EQ(2, images.Add("Application6", some()));

    images.Clear();
    EXPECT_EQ(0, images.PictureCount());
    EXPECT_EQ(-1, images.IndexOf("Application2"));
    EXPECT_EQ(0, images.Add("browser", some()));
}

TEST_F(Objects, FormStartsHiddenResizesOnStateChangesAndClosesOnConsent) {
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(11460, form.GetBounds().width);  // headless, the outer size is the client area
    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    form.SetWindowState(ui::WindowState::Normal);
    EXPECT_EQ(0, resizes);
    form.SetWindowState(ui::WindowState::Minimized);
    EXPECT_EQ(1, resizes);
    form.SystemChangedState(ui::WindowState::Normal);
    EXPECT_EQ(2, resizes);
    EXPECT_EQ(ui::WindowState::Normal, form.State());
    EXPECT_TRUE(form.RequestClose());
    form.onQueryUnload = [](ui::QueryUnloadEvent& e) { e.cancel = true; };
    EXPECT_FALSE(form.RequestClose());
}

// The menu bar, then the added sources, then the last pop-up menu; an element of a menu
// array reports its index, and a disabled entry does nothing.
TEST_F(Objects, CommandsReachTheirEntriesAndMenuArrayElementsTheirIndex) {
    ui::MenuItem bar, tray, context;
    ui::MenuArray apps;
    ui::MenuItem& run = tray.Add({"R&un", 0, false});
    apps.Create(run, 1000, 1, "App");
    ui::MenuItem& seven = apps.Load(7);
    EXPECT_EQ(&seven, &apps.Load(7));
    EXPECT_EQ("App", seven.Caption());  // the first element's caption
    EXPECT_EQ(2u, run.Items().size());
    EXPECT_EQ(nullptr, apps.Element(3));

    Strings ran;
    bar.Add({"&File"}).Add({"&Exit", 10}).onClick = [&] { ran.push_back("exit"); };
    apps.onClick = [&](int index) { ran.push_back("app" + std::to_string(index)); };
    context.Add({"&Run", 30}).onClick = [&] { ran.push_back("run"); };
    form.SetMenuBar(&bar);
    form.AddCommandSource(tray);
    EXPECT_TRUE(form.RunCommand(10));
    EXPECT_TRUE(form.RunCommand(1007));
    EXPECT_TRUE(form.RunCommand(1001));
    seven.SetEnabled(false);
    EXPECT_TRUE(form.RunCommand(1007));
    EXPECT_FALSE(form.RunCommand(30));
    form.PopupMenu(context);  // headless: shows nothing
    EXPECT_TRUE(form.RunCommand(30));
    EXPECT_FALSE(form.RunCommand(0));
    EXPECT_EQ((Strings{"exit", "app7", "app1", "run"}), ran);
}

// A value outside the range is pulled into it; an empty range holds only its minimum.
TEST_F(Objects, ProgressBarKeepsItsValueInsideItsRangeEvenAnEmptyOne) {
    ui::ProgressBar bar;
    bar.Create(form, {});
    bar.SetRange(0, 20);
    bar.SetValue(25);
    EXPECT_EQ(20, bar.Value());
    bar.SetRange(0, 0);
    EXPECT_EQ(0, bar.Value());
    bar.SetValue(-3);
    EXPECT_EQ(0, bar.Value());
}

}  // namespace
