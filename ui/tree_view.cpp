#include "ui/tree_view.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {

void TreeView::Create(Container& parent, const ControlArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    peer_ = parent.GetBackend().CreateTreeView(*this, parent, args);
}

void TreeView::SetImageList(ImageList* list) {
    if (treePeer()) treePeer()->SetImageList(list);
}

TreeNode* TreeView::Add(const std::string& parentKey, const std::string& key,
                        const std::string& text, const std::string& image) {
    if (key.empty() || byKey_.count(key)) return nullptr;
    TreeNode* parent = nullptr;
    if (!parentKey.empty()) {
        parent = Find(parentKey);
        if (!parent) return nullptr;
    }
    auto owned = std::make_unique<TreeNode>();
    TreeNode* node = owned.get();
    node->key = key;
    node->text = text;
    node->image = image;
    node->parent = parent;
    byKey_.emplace(key, std::move(owned));
    (parent ? parent->children : roots_).push_back(node);
    if (treePeer()) treePeer()->Insert(*node);
    return node;
}

static bool Contains(const TreeNode& ancestor, const TreeNode* node) {
    for (; node; node = node->parent) {
        if (node == &ancestor) return true;
    }
    return false;
}

bool TreeView::Remove(const std::string& key) {
    TreeNode* node = Find(key);
    if (!node) return false;
    ++removals_;
    if (treePeer()) treePeer()->Remove(*node);
    auto& siblings = node->parent ? node->parent->children : roots_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    if (Contains(*node, selected_)) {
        selected_ = nullptr;
        // The system selects a neighbour of a deleted selection; ours says none.
        if (treePeer()) treePeer()->Select(nullptr);
    }
    Forget(*node);
    return true;
}

void TreeView::Forget(TreeNode& node) {
    for (TreeNode* child : node.children) Forget(*child);
    byKey_.erase(node.key);  // frees the node: keep this last
}

void TreeView::Clear() {
    ++removals_;
    if (treePeer()) treePeer()->Clear();
    roots_.clear();
    selected_ = nullptr;
    byKey_.clear();
}

TreeNode* TreeView::Find(const std::string& key) const {
    auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : it->second.get();
}

void TreeView::SetNodeText(TreeNode& node, const std::string& text) {
    node.text = text;
    if (treePeer()) treePeer()->SetNodeText(node);
}

bool TreeView::SetNodeKey(TreeNode& node, const std::string& key) {
    if (key == node.key) return true;
    if (key.empty() || byKey_.count(key)) return false;
    auto it = byKey_.find(node.key);
    if (it == byKey_.end() || it->second.get() != &node) return false;
    std::unique_ptr<TreeNode> owned = std::move(it->second);
    byKey_.erase(it);
    node.key = key;
    byKey_.emplace(key, std::move(owned));
    return true;
}

void TreeView::Expand(TreeNode& node) {
    node.expanded = true;
    if (treePeer()) treePeer()->Expand(node);
}

void TreeView::Select(TreeNode* node) {
    selected_ = node;
    if (treePeer()) treePeer()->Select(node);
}

void TreeView::StartLabelEdit(TreeNode& node) {
    if (treePeer()) treePeer()->StartLabelEdit(node);
}

void TreeView::BeginUpdate() {
    if (updateDepth_++ == 0 && treePeer()) treePeer()->SetRedraw(false);
}

void TreeView::EndUpdate() {
    if (updateDepth_ == 0) return;  // unbalanced: drawing is already on
    if (--updateDepth_ == 0 && treePeer()) treePeer()->SetRedraw(true);
}

void TreeView::UserSelected(TreeNode* node) {
    selected_ = node;
    if (node && onNodeClick) onNodeClick(*node);
}

bool TreeView::UserEditedLabel(TreeNode& node, const std::string& text) {
    LabelEditEvent event;
    event.node = &node;
    event.newText = text;
    const unsigned removalsBefore = removals_;
    if (onAfterLabelEdit) onAfterLabelEdit(event);
    if (event.cancel) return false;
    // A handler that removed nodes may have freed this one: look for the address only.
    if (removals_ != removalsBefore && !Owns(&node)) return false;
    SetNodeText(node, text);
    return true;
}

bool TreeView::Owns(const TreeNode* node) const {
    return std::any_of(byKey_.begin(), byKey_.end(),
                       [node](const auto& entry) { return entry.second.get() == node; });
}

TreeNode* TreeView::NodeAt(int xTwips, int yTwips) const {
    return treePeer() ? treePeer()->HitTest(xTwips, yTwips) : nullptr;
}

}  // namespace ui
