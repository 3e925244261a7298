// The tree view object: keys, order, what reaches the view, and what the user's edits and
// clicks may do to it.
#include <gtest/gtest.h>

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
struct RecordingTree : ui::HeadlessTreeViewPeer {
    Strings& log;
    RecordingTree(const ui::TreeView& tree, Strings& l) : HeadlessTreeViewPeer(tree), log(l) {}
    std::uintptr_t Insert(const ui::TreeNode& node) override {
        log.push_back("insert " + node.Key());
        return 0;
    }
    void Remove(const ui::TreeNode& node) override { log.push_back("remove " + node.Key()); }
    void Select(const ui::TreeNode* node) override {
        log.push_back("select " + (node ? node->Key() : std::string("none")));
    }
    void SetRedraw(bool on) override { log.push_back(on ? "redraw on" : "redraw off"); }
};

struct RecordingBackend : ui::HeadlessBackend {
    Strings log;
    std::unique_ptr<ui::TreeViewPeer> CreateTreeView(ui::TreeView& tree, ui::Container&,
                                                     const ui::ControlArgs&) override {
        return std::make_unique<RecordingTree>(tree, log);
    }
};

// A tree of four nodes, Quopa > Games > (application2, application1), that the user may
// rename.
class TreeObject : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Create({});
        tree.Create(form, ui::TreeViewArgs{.labelEdit = true});
        tree.Add("", "Quopa", "Quopa Drive", "");
        tree.Add("Quopa", "Games", "Games", "");
        tree.Add("Games", "application2", "Zork", "Application2");
        tree.Add("Games", "application1", "Chess", "Application1");
        backend.log.clear();
    }
    RecordingBackend backend;
    ui::Form form{backend};
    ui::TreeView tree;
};

// Refused nodes never reach the view, which drops its own selection after the branch; nested
// updates suspend drawing once.
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
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_TRUE(tree.Find("Quopa")->Children().empty());
    tree.BeginUpdate();
    tree.BeginUpdate();
    tree.EndUpdate();
    tree.EndUpdate();
    tree.EndUpdate();  // one too many: drawing stays on
    tree.BeginUpdate();
    EXPECT_EQ((Strings{"insert games", "select application1", "remove application2", "remove Games",
                       "select none", "redraw off", "redraw on", "redraw off"}),
              backend.log);
    EXPECT_NE(nullptr, tree.Add("Quopa", "application1", "Chess", ""));  // the key is free again
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

// The handler may show a box or rebuild the tree, which the view must not meet while it
// ends the edit: the view is told no at once, and the name the handler takes is set later.
// An edit nobody stores would be undone by the next rebuild, so none is taken then.
TEST_F(TreeObject, ALabelEditIsDecidedFromTheMessageLoopOnceUnlessCancelled) {
    ui::TreeNode* root = tree.Find("Quopa");
    ui::TreeNode* chess = tree.Find("application1");
    tree.UserEditedLabel(*root, "Mine");  // no handler
    backend.DoEvents();
    Strings asked;
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) {
        asked.push_back(e.newText);
        e.cancel = e.node == root;
    };
    tree.UserEditedLabel(*chess, "Go");
    tree.UserEditedLabel(*chess, "Go");  // the edit box losing the focus as the edit ends
    tree.UserEditedLabel(*root, "Mine");
    EXPECT_EQ("Chess", chess->Text());
    backend.DoEvents();
    EXPECT_EQ((Strings{"Go", "Mine"}), asked);
    EXPECT_EQ(chess->Text() + "|" + root->Text(), "Go|Quopa Drive");
    tree.UserEditedLabel(*chess, "");  // a later edit is a new one
    backend.DoEvents();
    EXPECT_EQ("", chess->Text());
}

// The handler may rebuild the branch: the edit must not land on a node that took the
// edited one's key, nor on freed memory; a tree gone before the message loop comes to its
// user's action runs nothing, and one made without label editing takes no edit.
TEST_F(TreeObject, AnEditOrEventOfANodeOrTreeGoneMeanwhileOrNotEditableIsDropped) {
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent&) {
        tree.Remove("Games");
        tree.Add("Quopa", "Games", "Games", "");
        tree.Add("Games", "application2", "Zork", "");
    };
    tree.UserEditedLabel(*tree.Find("application2"), "Go");
    backend.DoEvents();
    EXPECT_EQ("Zork", tree.Find("application2")->Text());
    bool ran = false;
    ui::TreeView plain;
    plain.Create(form, {});
    ui::TreeNode* node = plain.Add("", "Quopa", "Quopa Drive", "");
    plain.onAfterLabelEdit = [&](ui::LabelEditEvent&) { ran = true; };
    plain.UserEditedLabel(*node, "Mine");
    {
        ui::TreeView gone;
        gone.Create(form, {});
        gone.onDblClick = [&] { ran = true; };
        gone.UserDoubleClicked();
    }
    backend.DoEvents();
    EXPECT_FALSE(ran);
    EXPECT_EQ("Quopa Drive", node->Text());
}

}  // namespace
