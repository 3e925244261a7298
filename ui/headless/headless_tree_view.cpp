#include "ui/headless/headless_tree_view.h"

#include <algorithm>

namespace ui {

namespace {
void AddRows(const std::vector<TreeNode*>& nodes, std::vector<TreeNode*>& rows) {
    for (TreeNode* node : nodes) {
        rows.push_back(node);
        if (node->Expanded()) AddRows(node->Children(), rows);
    }
}
}  // namespace

std::vector<TreeNode*> DisplayedRows(const TreeView& tree) {
    std::vector<TreeNode*> rows;
    AddRows(tree.Roots(), rows);
    return rows;
}

TreeNode* HeadlessTreeViewPeer::HitTest(int xTwips, int yTwips) {
    const Bounds& view = tree_.GetBounds();
    if (xTwips < 0 || xTwips >= view.width || yTwips < 0 || yTwips >= view.height) return nullptr;
    const std::vector<TreeNode*> rows = DisplayedRows(tree_);
    const auto row = static_cast<std::size_t>(yTwips / kRowTwips);
    return row < rows.size() ? rows[row] : nullptr;
}

std::vector<TreeNode*> HeadlessTreeViewPeer::VisibleNodes() const {
    std::vector<TreeNode*> rows = DisplayedRows(tree_);
    const auto fit = static_cast<std::size_t>(std::max(0, tree_.GetBounds().height / kRowTwips));
    if (rows.size() > fit) rows.resize(fit);
    return rows;
}

}  // namespace ui
