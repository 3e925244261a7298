#include "ui/tree_view.h"

#include <algorithm>

#include "ui/backend.h"

namespace ui {

void TreeView::Create(Container& parent, const TreeViewArgs& args) {
    const ControlArgs& control = args.control;
    Init(control.text, control.bounds, control.enabled, control.visible);
    labelEdit_ = args.labelEdit;
    backend_ = &parent.GetBackend();
    acceptDrops_ = args.acceptDrops;
    peer_ = backend_->CreateTreeView(*this, parent, control);
}

void TreeView::SetImageList(ImageList* list) {
    if (treePeer()) treePeer()->SetImageList(list);
}

TreeNode* TreeView::Add(const std::string& parentKey, const std::string& key,
                        const std::string& text, const std::string& image, std::size_t at) {
    if (key.empty() || byKey_.count(key)) return nullptr;
    TreeNode* parent = nullptr;
    if (!parentKey.empty()) {
        parent = Find(parentKey);
        if (!parent) return nullptr;
    }
    auto owned = std::make_unique<TreeNode>();
    TreeNode* node = owned.get();
    node->key_ = key;
    node->text_ = text;
    node->image_ = image;
    node->parent_ = parent;
    node->serial_ = ++lastSerial_;
    byKey_.emplace(key, std::move(owned));
    std::vector<TreeNode*>& siblings = parent ? parent->children_ : roots_;
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(std::min(at, siblings.size())),
                    node);
    if (treePeer()) node->peerItem_ = treePeer()->Insert(*node);
    return node;
}

static bool Contains(const TreeNode& ancestor, const TreeNode* node) {
    for (; node; node = node->Parent()) {
        if (node == &ancestor) return true;
    }
    return false;
}

bool TreeView::Remove(const std::string& key) {
    TreeNode* node = Find(key);
    if (!node) return false;
    if (treePeer()) treePeer()->Remove(*node);
    auto& siblings = node->parent_ ? node->parent_->children_ : roots_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    const bool selectionGoes = Contains(*node, selected_);
    if (selectionGoes) {
        selected_ = nullptr;
        // The system selects a neighbour of a deleted selection; ours says none.
        if (treePeer()) treePeer()->Select(nullptr);
    }
    Forget(*node);
    if (selectionGoes && onSelectionChanged) onSelectionChanged();  // on the tree made whole
    return true;
}

void TreeView::Forget(TreeNode& node) {
    for (TreeNode* child : node.children_) Forget(*child);
    byKey_.erase(node.key_);  // frees the node: keep this last
}

void TreeView::Clear() {
    if (treePeer()) treePeer()->Clear();
    roots_.clear();
    const bool hadSelection = selected_ != nullptr;
    selected_ = nullptr;
    byKey_.clear();
    if (hadSelection && onSelectionChanged) onSelectionChanged();
}

TreeNode* TreeView::Find(const std::string& key) const {
    auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : it->second.get();
}

TreeNode* TreeView::Find(const NodeRef& ref) const {
    TreeNode* node = Find(ref.key);
    return node && node->serial_ == ref.serial ? node : nullptr;
}

std::vector<TreeNode*> TreeView::Nodes() const {
    std::vector<TreeNode*> nodes;
    nodes.reserve(byKey_.size());
    for (const auto& entry : byKey_) nodes.push_back(entry.second.get());
    std::sort(nodes.begin(), nodes.end(),
              [](const TreeNode* a, const TreeNode* b) { return a->serial_ < b->serial_; });
    return nodes;
}

void TreeView::SetNodeText(TreeNode& node, const std::string& text) {
    node.text_ = text;
    if (treePeer()) treePeer()->SetNodeText(node);
}

void TreeView::SetNodeImage(TreeNode& node, const std::string& image) {
    node.image_ = image;
    if (treePeer()) treePeer()->SetNodeImage(node);
}

void TreeView::SetNodeGreyed(TreeNode& node, bool greyed) {
    if (node.greyed_ == greyed) return;
    node.greyed_ = greyed;
    if (treePeer()) treePeer()->SetNodeGreyed(node);
}

std::vector<TreeNode*> TreeView::NodesOnScreen() const {
    return treePeer() ? treePeer()->VisibleNodes() : std::vector<TreeNode*>();
}

bool TreeView::SetNodeKey(TreeNode& node, const std::string& key) {
    if (key == node.key_) return true;
    if (key.empty() || byKey_.count(key)) return false;
    auto it = byKey_.find(node.key_);
    if (it == byKey_.end() || it->second.get() != &node) return false;
    std::unique_ptr<TreeNode> owned = std::move(it->second);
    byKey_.erase(it);
    node.key_ = key;
    byKey_.emplace(key, std::move(owned));
    return true;
}

void TreeView::Expand(TreeNode& node) {
    node.expanded_ = true;
    if (treePeer()) treePeer()->Expand(node);
}

void TreeView::EnsureVisible(TreeNode& node) {
    for (TreeNode* parent = node.Parent(); parent; parent = parent->Parent()) Expand(*parent);
    if (treePeer()) treePeer()->ScrollTo(node);
}

void TreeView::Select(TreeNode* node) {
    if (treePeer()) treePeer()->Select(node);
    SetSelected(node);
}

void TreeView::SetSelected(TreeNode* node) {
    if (node == selected_) return;
    selected_ = node;
    if (onSelectionChanged) onSelectionChanged();
}

void TreeView::StartLabelEdit(TreeNode& node) {
    if (labelEdit_ && treePeer()) treePeer()->StartLabelEdit(node);
}

void TreeView::BeginUpdate() {
    if (updateDepth_++ == 0 && treePeer()) treePeer()->SetRedraw(false);
}

void TreeView::EndUpdate() {
    if (updateDepth_ == 0) return;  // unbalanced: drawing is already on
    if (--updateDepth_ == 0 && treePeer()) treePeer()->SetRedraw(true);
}

void TreeView::UserSelected(TreeNode* node) {
    SetSelected(node);
}

void TreeView::Later(std::function<void()> raise) {
    if (!backend_) return;
    backend_->Post([alive = std::weak_ptr<int>(alive_), raise = std::move(raise)] {
        if (!alive.expired()) raise();
    });
}

void TreeView::UserDoubleClicked() {
    Later([this] {
        if (onDblClick) onDblClick();
    });
}

void TreeView::UserPressedKey(int keyCode) {
    Later([this, keyCode] {
        if (onKeyDown) onKeyDown(keyCode);
    });
}

void TreeView::UserReleasedMouse(const TreeMouseEvent& event) {
    Later([this, event] {
        if (onMouseUp) onMouseUp(event);
    });
}

void TreeView::UserDropped(const DropEvent& e) {
    Later([this, e] {
        if (onDropped) onDropped(e);
    });
}

void TreeView::UserEditedLabel(TreeNode& node, const std::string& text) {
    // Nobody would store the new name: the file keeps the old one, which comes back at the
    // next rebuild.
    if (!labelEdit_ || !onAfterLabelEdit) return;
    // The view may end one edit twice (its edit box losing the focus as the edit ends).
    const NodeRef edited = node.Ref();
    if (editEnding_ == edited.serial) return;
    editEnding_ = edited.serial;
    Later([this, edited, text] { FinishLabelEdit(edited, text); });
}

void TreeView::FinishLabelEdit(const NodeRef& edited, const std::string& text) {
    if (editEnding_ == edited.serial) editEnding_ = 0;
    TreeNode* node = Find(edited);
    if (!node || !onAfterLabelEdit) return;  // gone meanwhile: nothing was renamed
    LabelEditEvent event;
    event.node = node;
    event.newText = text;
    onAfterLabelEdit(event);
    if (event.cancel) return;
    // The handler may have removed the node, and even added another under its key.
    TreeNode* still = Find(edited);
    if (!still) return;
    if (!event.newKey.empty() && !SetNodeKey(*still, event.newKey)) return;
    SetNodeText(*still, event.newText);
}

TreeNode* TreeView::NodeAt(int xTwips, int yTwips) const {
    return treePeer() ? treePeer()->HitTest(xTwips, yTwips) : nullptr;
}

}  // namespace ui
