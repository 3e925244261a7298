#pragma once
// A tree of nodes addressed by unique, case-sensitive keys. Nodes keep the order in which
// they were added under their parent; nothing is sorted.
//
// Rule of this code base: no TreeNode* outlives a message box, DoEvents or a modal dialog.
// Each of them lets the window's commands run, and those may remove any node: hold the key
// (or a NodeRef) and find the node again afterwards.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/image_list.h"
#include "ui/simple_controls.h"

namespace ui {

// One node for as long as it lives: a node removed and added again under the same key is
// another node, which an address may not tell (the new one can reuse the memory).
struct NodeRef {
    std::string key;
    std::uint64_t serial = 0;
};

// Read-only to all but its TreeView, so that the view always shows what the node holds.
class TreeNode {
  public:
    // Copies: a node may be gone after anything that lets messages run, and a reference
    // into it would go with it.
    std::string Key() const { return key_; }
    std::string Text() const { return text_; }
    std::string Tag() const { return tag_; }
    const std::string& Image() const { return image_; }
    TreeNode* Parent() const { return parent_; }                          // null at top level
    const std::vector<TreeNode*>& Children() const { return children_; }  // in add order
    bool Expanded() const { return expanded_; }
    bool Greyed() const { return greyed_; }  // drawn in grey text, still usable
    NodeRef Ref() const { return {key_, serial_}; }
    std::uintptr_t PeerItem() const { return peerItem_; }  // the peer's handle for it

  private:
    friend class TreeView;
    std::string key_, text_, tag_, image_;
    TreeNode* parent_ = nullptr;  // not owned
    std::vector<TreeNode*> children_;
    bool expanded_ = false;
    bool greyed_ = false;
    std::uint64_t serial_ = 0;  // order of adding, never reused
    std::uintptr_t peerItem_ = 0;
};

class TreeViewPeer : public ControlPeer {
  public:
    virtual void SetImageList(ImageList* list) = 0;
    // Shows the node where it stands among its siblings; returns the peer's handle for it.
    virtual std::uintptr_t Insert(const TreeNode& node) = 0;
    virtual void Remove(const TreeNode& node) = 0;  // with its children
    virtual void Clear() = 0;
    virtual void SetNodeText(const TreeNode& node) = 0;
    virtual void SetNodeImage(const TreeNode& node) = 0;
    virtual void SetNodeGreyed(const TreeNode& node) = 0;
    // The nodes whose rows are on screen now, from the top.
    virtual std::vector<TreeNode*> VisibleNodes() const = 0;
    virtual void Expand(const TreeNode& node) = 0;
    virtual void ScrollTo(const TreeNode& node) = 0;  // its ancestors are expanded already
    virtual void Select(const TreeNode* node) = 0;
    virtual void SetRedraw(bool on) = 0;
    virtual void StartLabelEdit(const TreeNode& node) = 0;
    virtual TreeNode* HitTest(int xTwips, int yTwips) = 0;
};

struct LabelEditEvent {
    TreeNode* node = nullptr;
    std::string newText;  // in/out: the text the node takes, as the handler stored it
    bool cancel = false;  // out: refuse the edit, the old text stays
    std::string newKey;   // out: the key the node takes with the new text; empty keeps it
};

struct TreeViewArgs {
    ControlArgs control;
    // The user may rename nodes in place; only for a window that stores the new name in
    // onAfterLabelEdit, since an edit nobody handles is refused.
    bool labelEdit = false;
    // Files, folders and shortcuts dragged from the shell, and links dragged from a browser,
    // may be let go on the tree.
    bool acceptDrops = false;
};

// What was dragged onto the tree, as its source offered it. Only one of paths, address and
// text is filled: files first, then a link, then plain text.
struct DropEvent {
    std::vector<std::string> paths;  // full paths, in the order the shell gives them
    // A link's address, or the plain text offered instead, in UTF-8: an address must come
    // through whole whatever the code page.
    std::string address, text;
    std::string linkFile;  // the file a browser would save the link as ("Title.url"), if any
    int x = 0, y = 0;      // where they are: twips, client coordinates
};

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

struct TreeMouseEvent {
    MouseButton button = MouseButton::Left;
    int x = 0, y = 0;  // twips, client coordinates
};

class TreeView : public Control {
  public:
    void Create(Container& parent, const TreeViewArgs& args);
    bool LabelEdit() const { return labelEdit_; }
    bool AcceptsDrops() const { return acceptDrops_; }
    void SetImageList(ImageList* list);

    // Null when the key is taken, the key is empty or the parent key is unknown;
    // parentKey empty adds a top-level node. It goes last, or at index `at` of its siblings.
    TreeNode* Add(const std::string& parentKey, const std::string& key, const std::string& text,
                  const std::string& image, std::size_t at = SIZE_MAX);
    bool Remove(const std::string& key);
    void Clear();
    TreeNode* Find(const std::string& key) const;
    TreeNode* Find(const NodeRef& ref) const;  // null once that very node is gone
    std::size_t Count() const { return byKey_.size(); }
    const std::vector<TreeNode*>& Roots() const { return roots_; }
    std::vector<TreeNode*> Nodes() const;  // every node, in the order of adding

    void SetNodeText(TreeNode& node, const std::string& text);
    void SetNodeTag(TreeNode& node, const std::string& tag) { node.tag_ = tag; }
    void SetNodeImage(TreeNode& node, const std::string& image);
    void SetNodeGreyed(TreeNode& node, bool greyed);
    std::vector<TreeNode*> NodesOnScreen() const;
    bool SetNodeKey(TreeNode& node, const std::string& key);  // false when the key is taken
    void Expand(TreeNode& node);
    // Expands the node's ancestors and scrolls its row onto the screen.
    void EnsureVisible(TreeNode& node);
    TreeNode* SelectedItem() const { return selected_; }
    void Select(TreeNode* node);
    void StartLabelEdit(TreeNode& node);  // only with labelEdit
    // Suspends drawing during a bulk load; calls nest.
    void BeginUpdate();
    void EndUpdate();

    // SelectedItem changed, whoever changed it: the user's click or arrow keys, the program,
    // or the removal of the selected branch.
    std::function<void()> onSelectionChanged;
    std::function<void()> onDblClick;
    std::function<void(LabelEditEvent&)> onAfterLabelEdit;
    std::function<void(const TreeMouseEvent&)> onMouseUp;
    std::function<void(int keyCode)> onKeyDown;
    std::function<void(const DropEvent&)> onDropped;
    // Asked while things are dragged over the tree, and answered at once without a box:
    // whether it would take them. Without an answer it takes nothing.
    std::function<bool(const DropEvent&)> onDropQuery;

    // For peers and tests: what the user did. Every handler but onSelectionChanged's may run
    // a command or show a box, which the view must not meet inside its own notification:
    // those events reach their handlers from the message loop, after the view is done.
    void UserSelected(TreeNode* node);
    void UserDoubleClicked();
    void UserPressedKey(int keyCode);
    void UserReleasedMouse(const TreeMouseEvent& event);
    // The view keeps the old text for now: the handler decides later, and a name it takes
    // is put on the node then. The same edit ended twice is handled once.
    void UserEditedLabel(TreeNode& node, const std::string& text);
    TreeNode* NodeAt(int xTwips, int yTwips) const;  // the node under a point, or null
    bool WouldTake(const DropEvent& e) const { return onDropQuery && onDropQuery(e); }
    // Another program's drag waits for the drop to return: a wizard opened inside it would
    // hold that program up.
    void UserDropped(const DropEvent& e);

  private:
    TreeViewPeer* treePeer() const { return static_cast<TreeViewPeer*>(peer_.get()); }
    void Forget(TreeNode& node);
    void SetSelected(TreeNode* node);  // raises onSelectionChanged on a change
    void FinishLabelEdit(const NodeRef& edited, const std::string& text);
    // Runs `raise` from the message loop, unless this tree is gone by then.
    void Later(std::function<void()> raise);

    std::unordered_map<std::string, std::unique_ptr<TreeNode>> byKey_;
    std::vector<TreeNode*> roots_;
    TreeNode* selected_ = nullptr;
    int updateDepth_ = 0;
    std::uint64_t lastSerial_ = 0;
    bool labelEdit_ = false;
    Backend* backend_ = nullptr;    // not owned
    std::uint64_t editEnding_ = 0;  // the node whose label edit waits for its handler
    std::shared_ptr<int> alive_ = std::make_shared<int>();
    bool acceptDrops_ = false;
};

}  // namespace ui
