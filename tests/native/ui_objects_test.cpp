// The control objects without a window system: the state they keep and the events the
// windows rely on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/headless_backend.h"

namespace {

using platform::Picture;

std::vector<std::string> KeysOf(const std::vector<ui::TreeNode*>& nodes) {
    std::vector<std::string> keys;
    for (const ui::TreeNode* node : nodes) keys.push_back(node->key);
    return keys;
}

// A tree peer that writes down what it was asked, to check what reaches the real view.
struct RecordingTree : ui::TreeViewPeer {
    std::vector<std::string>& log;
    explicit RecordingTree(std::vector<std::string>& l) : log(l) {}
    void SetImageList(ui::ImageList*) override {}
    void Insert(ui::TreeNode& node) override {
        log.push_back("insert " + node.key + (node.parent ? " under " + node.parent->key : ""));
    }
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
    std::vector<std::string> log;
    std::unique_ptr<ui::TreeViewPeer> CreateTreeView(ui::TreeView&, ui::Container&,
                                                     const ui::ControlArgs&) override {
        return std::make_unique<RecordingTree>(log);
    }
};

class TreeObject : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Create({});
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

TEST_F(TreeObject, AddRefusesEmptyOrTakenKeysAndUnknownParentsAndKeepsOrder) {
    EXPECT_EQ(nullptr, tree.Add("", "", "No key", ""));
    EXPECT_EQ(nullptr, tree.Add("", "Games", "Twice", ""));
    EXPECT_EQ(nullptr, tree.Add("Nowhere", "application3", "Lost", ""));
    EXPECT_NE(nullptr, tree.Add("", "games", "Other case", ""));  // keys are case-sensitive
    EXPECT_EQ(5u, tree.Count());
    EXPECT_TRUE(backend.log.size() == 1 && backend.log[0] == "insert games");

    const ui::TreeNode* games = tree.Find("Games");
    EXPECT_EQ(tree.Find("Quopa"), games->parent);
    EXPECT_EQ((std::vector<std::string>{"application2", "application1"}), KeysOf(games->children));
    EXPECT_EQ((std::vector<std::string>{"Quopa", "games"}), KeysOf(tree.Roots()));
}

TEST_F(TreeObject, RemoveTakesTheChildrenAndASelectionAmongThem) {
    ui::TreeNode* chess = tree.Find("application1");
    tree.Select(chess);
    EXPECT_TRUE(tree.Remove("application2"));
    EXPECT_EQ(chess, tree.SelectedItem());

    EXPECT_TRUE(tree.Remove("Games"));
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_EQ(nullptr, tree.Find("application1"));
    EXPECT_EQ(1u, tree.Count());
    EXPECT_TRUE(tree.Find("Quopa")->children.empty());
    EXPECT_FALSE(tree.Remove("Games"));
    // The view is told to drop its own selection too, after the branch is gone.
    EXPECT_EQ((std::vector<std::string>{"select application1", "remove application2",
                                        "remove Games", "select none"}),
              backend.log);
    EXPECT_NE(nullptr, tree.Add("Quopa", "application1", "Chess", ""));  // the key is free again
}

TEST_F(TreeObject, SetNodeKeyRekeysTheSameNode) {
    ui::TreeNode* games = tree.Find("Games");
    EXPECT_TRUE(tree.SetNodeKey(*games, "Play"));
    EXPECT_EQ(games, tree.Find("Play"));
    EXPECT_EQ(nullptr, tree.Find("Games"));
    EXPECT_EQ("Play", games->key);
    EXPECT_EQ(games, tree.Find("application1")->parent);
    EXPECT_FALSE(tree.SetNodeKey(*games, "Quopa"));
    EXPECT_FALSE(tree.SetNodeKey(*games, ""));
    EXPECT_TRUE(tree.SetNodeKey(*games, "Play"));
    EXPECT_EQ(4u, tree.Count());
}

TEST_F(TreeObject, OnlyTheUsersChoiceRaisesNodeClick) {
    std::vector<std::string> clicks;
    tree.onNodeClick = [&](ui::TreeNode& node) { clicks.push_back(node.key); };
    tree.Select(tree.Find("Games"));
    tree.SyncSelected(tree.Find("Quopa"));
    EXPECT_TRUE(clicks.empty());
    EXPECT_EQ(tree.Find("Quopa"), tree.SelectedItem());
    tree.UserSelected(tree.Find("application1"));
    tree.UserSelected(nullptr);
    EXPECT_EQ(std::vector<std::string>{"application1"}, clicks);
    EXPECT_EQ(nullptr, tree.SelectedItem());
}

TEST_F(TreeObject, LabelEditStandsUnlessCancelled) {
    ui::TreeNode* root = tree.Find("Quopa");
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) { e.cancel = e.node == root; };
    EXPECT_FALSE(tree.UserEditedLabel(*root, "Mine"));
    EXPECT_EQ("Quopa Drive", root->text);
    EXPECT_TRUE(tree.UserEditedLabel(*tree.Find("application1"), ""));
    EXPECT_EQ("", tree.Find("application1")->text);
    EXPECT_EQ(std::vector<std::string>{"text "}, backend.log);
}

TEST_F(TreeObject, LabelEditWhoseHandlerRemovesTheNodeAppliesNothing) {
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent&) { tree.Remove("Games"); };
    EXPECT_FALSE(tree.UserEditedLabel(*tree.Find("application1"), "Go"));
    EXPECT_EQ(1u, tree.Count());
}

TEST_F(TreeObject, NestedUpdatesSuspendDrawingOnce) {
    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.EndUpdate();
    EXPECT_EQ(std::vector<std::string>{"redraw off"}, backend.log);
    tree.EndUpdate();
    tree.EndUpdate();  // one too many: drawing stays on
    tree.BeginUpdate();
    EXPECT_EQ((std::vector<std::string>{"redraw off", "redraw on", "redraw off"}), backend.log);
}

TEST_F(TreeObject, ClearEmptiesEverythingAndNodeAtFindsNothingHeadless) {
    tree.Select(tree.Find("Games"));
    tree.Clear();
    EXPECT_EQ(0u, tree.Count());
    EXPECT_TRUE(tree.Roots().empty());
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_EQ(nullptr, tree.NodeAt(100, 100));
}

Picture SomePicture() {
    return Picture(Picture::Kind::Icon, 1, nullptr);
}

TEST(ImageListObject, KeysAliasesAndRemovalShareAndReuseSlots) {
    ui::ImageList images;
    EXPECT_EQ(0, images.Add("browser", SomePicture()));
    EXPECT_EQ(-1, images.Add("browser", SomePicture()));
    EXPECT_EQ(-1, images.Add("Application1", Picture()));
    EXPECT_EQ(1, images.Add("Application1", SomePicture()));
    EXPECT_TRUE(images.AddAlias("Application2", 0));
    EXPECT_FALSE(images.AddAlias("Application2", 1));
    EXPECT_FALSE(images.AddAlias("Application3", 7));
    EXPECT_EQ(0, images.IndexOf("Application2"));
    EXPECT_EQ(-1, images.IndexOf("Application9"));
    EXPECT_EQ(2, images.PictureCount());
    EXPECT_EQ(3u, images.KeyCount());

    // The shared picture stays while one key still uses it.
    EXPECT_TRUE(images.Remove("browser"));
    EXPECT_EQ(0, images.IndexOf("Application2"));
    EXPECT_EQ(2, images.PictureCount());
    EXPECT_TRUE(images.Remove("Application1"));
    EXPECT_FALSE(images.Remove("Application1"));
    EXPECT_EQ(1, images.PictureCount());
    EXPECT_FALSE(images.AddAlias("Application5", 1));  // a freed slot takes no alias
    EXPECT_EQ(1, images.Add("Application4", SomePicture()));
    EXPECT_EQ(2, images.Add("Application6", SomePicture()));

    images.Clear();
    EXPECT_EQ(0, images.PictureCount());
    EXPECT_EQ(-1, images.IndexOf("Application2"));
    EXPECT_EQ(0, images.Add("browser", SomePicture()));
}

TEST(MenuObject, ArrayElementsCarryTheirIdsAndReportTheirIndex) {
    ui::MenuItem tray;
    ui::MenuItem& run = tray.Add({"R&un", 0, false});
    ui::MenuArray apps;
    apps.Create(run, 1000, 1, "App");
    std::vector<int> ran;
    apps.onClick = [&](int index) { ran.push_back(index); };

    ui::MenuItem& seven = apps.Load(7);
    EXPECT_EQ(&seven, &apps.Load(7));
    EXPECT_EQ("App", seven.Caption());
    EXPECT_EQ(1007, seven.Id());
    EXPECT_EQ(2u, run.Items().size());
    EXPECT_EQ(nullptr, apps.Element(3));
    EXPECT_EQ(&seven, tray.FindById(1007));
    EXPECT_EQ(nullptr, tray.FindById(0));

    seven.Click();
    apps.Element(1)->Click();
    seven.SetEnabled(false);
    seven.Click();
    EXPECT_EQ((std::vector<int>{7, 1}), ran);
}

class FormObject : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::FormArgs args;
        args.caption = "Quopa Application Launcher";
        args.clientWidth = 11460;
        args.clientHeight = 5790;
        form.Create(args);
        form.onResize = [this] { ++resizes; };
    }
    ui::HeadlessBackend backend;
    ui::Form form{backend};
    int resizes = 0;
};

TEST_F(FormObject, StartsHiddenAtItsDesignedSizeAndMoves) {
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(11460, form.GetBounds().width);
    form.Show();
    EXPECT_TRUE(form.Visible());
    form.SetWidth(7740);
    form.Move(100, 200);
    EXPECT_EQ(7740, form.GetBounds().width);
    EXPECT_EQ(5790, form.GetBounds().height);
    EXPECT_EQ(200, form.GetBounds().top);
    form.Hide();
    EXPECT_FALSE(form.Visible());
}

TEST_F(FormObject, StateChangesRaiseResizeOnlyWhenTheStateDiffers) {
    form.SetWindowState(ui::WindowState::Normal);
    EXPECT_EQ(0, resizes);
    form.SetWindowState(ui::WindowState::Minimized);
    EXPECT_EQ(1, resizes);
    form.SystemChangedState(ui::WindowState::Normal);
    EXPECT_EQ(2, resizes);
    EXPECT_EQ(ui::WindowState::Normal, form.State());
}

TEST_F(FormObject, CloseFollowsTheQueryUnloadAnswer) {
    EXPECT_TRUE(form.RequestClose());
    form.onQueryUnload = [](ui::QueryUnloadEvent& e) { e.cancel = true; };
    EXPECT_FALSE(form.RequestClose());
}

TEST_F(FormObject, RunCommandFindsBarSourcesAndTheLastPopup) {
    ui::MenuItem bar, tray, context;
    std::vector<std::string> ran;
    bar.Add({"&File"}).Add({"&Exit", 10}).onClick = [&] { ran.push_back("exit"); };
    tray.Add({"&Show", 20}).onClick = [&] { ran.push_back("show"); };
    context.Add({"&Run", 30}).onClick = [&] { ran.push_back("run"); };
    form.SetMenuBar(&bar);
    form.AddCommandSource(tray);

    EXPECT_TRUE(form.RunCommand(10));
    EXPECT_TRUE(form.RunCommand(20));
    EXPECT_FALSE(form.RunCommand(30));
    form.PopupMenu(context);  // headless: shows nothing
    EXPECT_EQ(&context, form.LastPopup());
    EXPECT_TRUE(form.RunCommand(30));
    EXPECT_FALSE(form.RunCommand(0));
    EXPECT_EQ((std::vector<std::string>{"exit", "show", "run"}), ran);
}

TEST(SimpleObjects, TextBoxChangeAndProgressRange) {
    ui::HeadlessBackend backend;
    ui::Form form(backend);
    form.Create({});
    ui::TextBox box;
    box.Create(form, {"Search...", {}, true, true, {}}, 0x808080);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    box.SetText("");
    EXPECT_EQ(0, changes);
    box.SetValue("");
    box.UserTyped("m");
    EXPECT_EQ(2, changes);
    EXPECT_EQ("m", box.Text());
    EXPECT_EQ(0x808080u, box.ForeColor());

    // A value outside the range is pulled into it; an empty range holds only its minimum.
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

TEST(SimpleObjects, TimerAndButtonFireOnlyWhenEnabled) {
    ui::HeadlessBackend backend;
    ui::Form form(backend);
    form.Create({});
    ui::Timer timer;
    timer.Create(form, 8000, true);
    ui::Button button;
    button.Create(form, {"&Run", {}, false, true, {}});
    int ticks = 0, clicks = 0;
    timer.onTimer = [&] { ++ticks; };
    button.onClick = [&] { ++clicks; };
    timer.Tick();
    timer.SetEnabled(false);
    timer.Tick();
    button.Click();
    button.SetEnabled(true);
    button.Click();
    EXPECT_EQ(1, ticks);
    EXPECT_EQ(1, clicks);
    EXPECT_EQ(8000, timer.Interval());
}

}  // namespace
