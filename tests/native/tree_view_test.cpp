// The tree view object: keys, order, what reaches the view, and what the user's edits and
// clicks may do to it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/headless/headless_backend.h"
#include "ui/headless/headless_tree_view.h"

namespace {

using Strings = std::vector<std::string>;

Strings KeysOf(const std::vector<ui::TreeNode*>& nodes) {
    Strings keys;
    for (const ui::TreeNode* node : nodes) keys.push_back(node->Key());
    return keys;
}

// A tree peer that writes down what it was asked, to check what reaches the real view.
struct RecordingTree : ui::TreeViewPeer {
    Strings& log;
    explicit RecordingTree(Strings& l) : log(l) {}
    void SetImageList(ui::ImageList*) override {}
    std::uintptr_t Insert(const ui::TreeNode& node) override {
        log.push_back("insert " + node.Key());
        return 0;
    }
    void Remove(const ui::TreeNode& node) override { log.push_back("remove " + node.Key()); }
    void Clear() override { log.push_back("clear"); }
    void SetNodeText(const ui::TreeNode& node) override { log.push_back("text " + node.Text()); }
    void SetNodeImage(const ui::TreeNode& node) override { log.push_back("image " + node.Image()); }
    void SetNodeGreyed(const ui::TreeNode& node) override {
        log.push_back((node.Greyed() ? "grey " : "plain ") + node.Key());
    }
    std::vector<ui::TreeNode*> VisibleNodes() const override { return {}; }
    void Expand(const ui::TreeNode&) override {}
    void ScrollTo(const ui::TreeNode&) override {}
    void Select(const ui::TreeNode* node) override {
        log.push_back("select " + (node ? node->Key() : std::string("none")));
    }
    void SetRedraw(bool on) override { log.push_back(on ? "redraw on" : "redraw off"); }
    void StartLabelEdit(const ui::TreeNode&) override {}
    ui::TreeNode* HitTest(int, int) override { return nullptr; }
};

struct RecordingBackend : ui::HeadlessBackend {
    Strings log;
    std::unique_ptr<ui::TreeViewPeer> CreateTreeView(ui::TreeView&, ui::Container&,
                                                     const ui::ControlArgs&) override {
        return std::make_unique<RecordingTree>(log);
    }
};

// A tree of four nodes, Quopa > Games > (application2, application1), that the user may
// rename.
class TreeObject : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Create({});
        ui::TreeViewArgs args;
        args.labelEdit = true;
        tree.Create(form, args);
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

TEST_F(TreeObject, AddRefusesBadKeysAndRemoveTakesTheBranchWithItsSelection) {
    EXPECT_EQ(nullptr, tree.Add("", "", "No key", ""));
    EXPECT_EQ(nullptr, tree.Add("", "Games", "Twice", ""));
    EXPECT_EQ(nullptr, tree.Add("Nowhere", "application3", "Lost", ""));
    EXPECT_NE(nullptr, tree.Add("", "games", "Other case", ""));  // keys are case-sensitive
    EXPECT_EQ((Strings{"Quopa", "games"}), KeysOf(tree.Roots()));
    EXPECT_EQ((Strings{"application2", "application1"}), KeysOf(tree.Find("Games")->Children()));

    ui::TreeNode* chess = tree.Find("application1");
    tree.Select(chess);
    EXPECT_TRUE(tree.Remove("application2"));
    EXPECT_EQ(chess, tree.SelectedItem());
    EXPECT_TRUE(tree.Remove("Games"));
    EXPECT_FALSE(tree.Remove("Games"));
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_EQ(nullptr, tree.Find("application1"));
    EXPECT_EQ(2u, tree.Count());
    EXPECT_TRUE(tree.Find("Quopa")->Children().empty());
    // Refused nodes never reach the view, which drops its own selection after the branch.
    EXPECT_EQ((Strings{"insert games", "select application1", "remove application2", "remove Games",
                       "select none"}),
              backend.log);
    EXPECT_NE(nullptr, tree.Add("Quopa", "application1", "Chess", ""));  // the key is free again
}

TEST_F(TreeObject, SetNodeKeyRekeysTheSameNodeAndClearEmptiesEverything) {
    ui::TreeNode* games = tree.Find("Games");
    EXPECT_TRUE(tree.SetNodeKey(*games, "Play"));
    EXPECT_EQ(games, tree.Find("Play"));
    EXPECT_EQ(nullptr, tree.Find("Games"));
    EXPECT_EQ(games, tree.Find("application1")->Parent());
    EXPECT_EQ(games, tree.Find(games->Ref())) << "a new key is still the same node";
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

// Every change goes through the tree, so the view shows it; the tag is never drawn.
TEST_F(TreeObject, NodeChangesReachTheViewAndNodesListsEveryNodeInAddOrder) {
    ui::TreeNode* chess = tree.Find("application1");
    tree.SetNodeText(*chess, "Go");
    tree.SetNodeImage(*chess, "browser");
    tree.SetNodeTag(*chess, "x");
    EXPECT_EQ((Strings{"text Go", "image browser"}), backend.log);
    EXPECT_EQ("Go", chess->Text());
    EXPECT_EQ("browser", chess->Image());
    EXPECT_EQ("x", chess->Tag());

    tree.Remove("application2");
    tree.Add("Quopa", "application2", "Zork", "");
    EXPECT_TRUE(tree.SetNodeKey(*tree.Find("Games"), "Play"));
    EXPECT_EQ((Strings{"Quopa", "Play", "application1", "application2"}), KeysOf(tree.Nodes()));
}

// A node removed and added again under its key is another node, wherever it lives.
TEST_F(TreeObject, ARefFindsOnlyTheNodeItWasTakenFrom) {
    const ui::NodeRef zork = tree.Find("application2")->Ref();
    tree.Remove("application2");
    EXPECT_EQ(nullptr, tree.Find(zork));
    ui::TreeNode* again = tree.Add("Games", "application2", "Zork", "");
    EXPECT_EQ(nullptr, tree.Find(zork));
    EXPECT_EQ(again, tree.Find(again->Ref()));
}

// The window's panel shows the selected node: it must hear of every change of it.
TEST_F(TreeObject, EverySelectionChangeIsRaisedOnceWhoeverMakesIt) {
    Strings seen;
    tree.onSelectionChanged = [&] {
        seen.push_back(tree.SelectedItem() ? tree.SelectedItem()->Key() : "none");
    };
    tree.UserSelected(tree.Find("application1"));  // a click or an arrow key
    tree.UserSelected(tree.Find("application1"));
    tree.Select(tree.Find("Games"));  // the program
    tree.Remove("application2");
    tree.Remove("Games");  // the selected branch
    tree.Add("Quopa", "Games", "Games", "");
    tree.Select(tree.Find("Games"));
    tree.Clear();
    EXPECT_EQ((Strings{"application1", "Games", "none", "Games", "none"}), seen);
}

TEST_F(TreeObject, NestedUpdatesSuspendDrawingOnce) {
    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.EndUpdate();
    EXPECT_EQ(Strings{"redraw off"}, backend.log);
    tree.EndUpdate();
    tree.EndUpdate();  // one too many: drawing stays on
    tree.BeginUpdate();
    EXPECT_EQ((Strings{"redraw off", "redraw on", "redraw off"}), backend.log);
}

// The handler may show a box or rebuild the tree, which the view must not meet while it
// ends the edit: the view is told no at once, and the name the handler takes is set later.
TEST_F(TreeObject, ALabelEditIsDecidedFromTheMessageLoopOnceEvenWhenEndedTwice) {
    ui::TreeNode* chess = tree.Find("application1");
    Strings asked;
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) { asked.push_back(e.newText); };
    tree.UserEditedLabel(*chess, "Go");
    tree.UserEditedLabel(*chess, "Go");  // the edit box losing the focus as the edit ends
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ("Chess", chess->Text());
    backend.DoEvents();
    EXPECT_EQ(Strings{"Go"}, asked);
    EXPECT_EQ("Go", chess->Text());
    EXPECT_EQ(Strings{"text Go"}, backend.log);

    tree.UserEditedLabel(*chess, "Chess");  // a later edit is a new one
    backend.DoEvents();
    EXPECT_EQ((Strings{"Go", "Chess"}), asked);
}

TEST_F(TreeObject, LabelEditStandsUnlessCancelled) {
    ui::TreeNode* root = tree.Find("Quopa");
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) { e.cancel = e.node == root; };
    tree.UserEditedLabel(*root, "Mine");
    tree.UserEditedLabel(*tree.Find("application1"), "");
    backend.DoEvents();
    EXPECT_EQ("Quopa Drive", root->Text());
    EXPECT_EQ("", tree.Find("application1")->Text());
    EXPECT_EQ(Strings{"text "}, backend.log);
}

// An edit nobody stores would be undone by the next rebuild; a tree made without label
// editing takes none at all.
TEST_F(TreeObject, LabelEditWithoutAHandlerOrWithoutLabelEditingIsRefused) {
    ui::TreeNode* root = tree.Find("Quopa");
    tree.UserEditedLabel(*root, "Mine");
    backend.DoEvents();
    EXPECT_EQ("Quopa Drive", root->Text());

    ui::TreeView plain;
    plain.Create(form, {});
    ui::TreeNode* node = plain.Add("", "Quopa", "Quopa Drive", "");
    backend.log.clear();
    bool asked = false;
    plain.onAfterLabelEdit = [&](ui::LabelEditEvent&) { asked = true; };
    plain.UserEditedLabel(*node, "Mine");
    backend.DoEvents();
    EXPECT_FALSE(asked);
    EXPECT_EQ("Quopa Drive", node->Text());
    EXPECT_TRUE(backend.log.empty()) << "nothing reaches either view";
}

// The handler may rebuild the branch: the edit must not land on a node that took the
// edited one's key, nor on freed memory.
TEST_F(TreeObject, LabelEditOfANodeItsHandlerReplacedIsRefused) {
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent&) {
        tree.Remove("Games");
        tree.Add("Quopa", "Games", "Games", "");
        tree.Add("Games", "application2", "Zork", "");
    };
    tree.UserEditedLabel(*tree.Find("application2"), "Go");
    backend.DoEvents();
    EXPECT_EQ("Zork", tree.Find("application2")->Text());
}

// A tree gone before the message loop comes to its user's action runs nothing.
TEST_F(TreeObject, AnEventOfATreeDestroyedMeanwhileIsDropped) {
    bool ran = false;
    {
        ui::TreeView gone;
        gone.Create(form, {});
        gone.onDblClick = [&] { ran = true; };
        gone.UserDoubleClicked();
    }
    backend.DoEvents();
    EXPECT_FALSE(ran);
}

}  // namespace
