#pragma once
// A tree of nodes addressed by unique, case-sensitive keys. Nodes keep the order in which
// they were added under their parent; nothing is sorted.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/image_list.h"
#include "ui/simple_controls.h"

namespace ui {

struct TreeNode {
    std::string key, text, tag, image;
    TreeNode* parent = nullptr;  // not owned; null at top level
    std::vector<TreeNode*> children;
    bool expanded = false;
    std::uintptr_t peerItem = 0;  // the peer's handle for this node
};

class TreeViewPeer : public ControlPeer {
  public:
    virtual void SetImageList(ImageList* list) = 0;
    virtual void Insert(TreeNode& node) = 0;  // appended last under node.parent
    virtual void Remove(TreeNode& node) = 0;  // with its children
    virtual void Clear() = 0;
    virtual void SetNodeText(TreeNode& node) = 0;
    virtual void Expand(TreeNode& node) = 0;
    virtual void Select(TreeNode* node) = 0;
    virtual void SetRedraw(bool on) = 0;
    virtual void StartLabelEdit(TreeNode& node) = 0;
    virtual TreeNode* HitTest(int xTwips, int yTwips) = 0;
};

struct LabelEditEvent {
    TreeNode* node = nullptr;
    std::string newText;
    bool cancel = false;  // out: refuse the edit, the old text stays
};

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

struct TreeMouseEvent {
    MouseButton button = MouseButton::Left;
    int x = 0, y = 0;  // twips, client coordinates
};

class TreeView : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    void SetImageList(ImageList* list);

    // Null when the key is taken, the key is empty or the parent key is unknown;
    // parentKey empty adds a top-level node.
    TreeNode* Add(const std::string& parentKey, const std::string& key, const std::string& text,
                  const std::string& image);
    bool Remove(const std::string& key);
    void Clear();
    TreeNode* Find(const std::string& key) const;
    std::size_t Count() const { return byKey_.size(); }
    const std::vector<TreeNode*>& Roots() const { return roots_; }

    void SetNodeText(TreeNode& node, const std::string& text);
    bool SetNodeKey(TreeNode& node, const std::string& key);  // false when the key is taken
    void Expand(TreeNode& node);
    TreeNode* SelectedItem() const { return selected_; }
    void Select(TreeNode* node);
    void StartLabelEdit(TreeNode& node);
    // Suspends drawing during a bulk load; calls nest.
    void BeginUpdate();
    void EndUpdate();

    std::function<void(TreeNode&)> onNodeClick;
    std::function<void()> onDblClick;
    std::function<void(LabelEditEvent&)> onAfterLabelEdit;
    std::function<void(const TreeMouseEvent&)> onMouseUp;
    std::function<void(int keyCode)> onKeyDown;

    // For peers and tests: what the user did.
    void UserSelected(TreeNode* node);
    // Keyboard navigation moves the selection without counting as a click.
    void SyncSelected(TreeNode* node) { selected_ = node; }
    void UserDoubleClicked() {
        if (onDblClick) onDblClick();
    }
    // Applies the new text unless the handler cancels; returns whether it was applied.
    bool UserEditedLabel(TreeNode& node, const std::string& text);
    TreeNode* NodeAt(int xTwips, int yTwips) const;  // the node under a point, or null

  private:
    TreeViewPeer* treePeer() const { return static_cast<TreeViewPeer*>(peer_.get()); }
    void Forget(TreeNode& node);
    bool Owns(const TreeNode* node) const;

    std::unordered_map<std::string, std::unique_ptr<TreeNode>> byKey_;
    std::vector<TreeNode*> roots_;
    TreeNode* selected_ = nullptr;
    int updateDepth_ = 0;
    unsigned removals_ = 0;  // lets an event caller notice that its node may be gone
};

}  // namespace ui
