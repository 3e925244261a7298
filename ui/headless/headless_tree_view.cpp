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
    const auto row = Top(rows.size()) + static_cast<std::size_t>(yTwips / kRowTwips);
    return row < rows.size() ? rows[row] : nullptr;
}

std::size_t HeadlessTreeViewPeer::RowsThatFit() const {
    return static_cast<std::size_t>(std::max(0, tree_.GetBounds().height / kRowTwips));
}

std::vector<TreeNode*> HeadlessTreeViewPeer::VisibleNodes() const {
    std::vector<TreeNode*> rows = DisplayedRows(tree_);
    rows.erase(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(Top(rows.size())));
    if (rows.size() > RowsThatFit()) rows.resize(RowsThatFit());
    return rows;
}

void HeadlessTreeViewPeer::ScrollTo(const TreeNode& node) {
    const std::vector<TreeNode*> rows = DisplayedRows(tree_);
    const auto at =
        static_cast<std::size_t>(std::find(rows.begin(), rows.end(), &node) - rows.begin());
    if (at == rows.size()) return;
    const std::size_t fit = std::max<std::size_t>(1, RowsThatFit());
    if (at < Top(rows.size()))
        top_ = at;
    else if (at >= Top(rows.size()) + fit)
        top_ = at + 1 - fit;
}

}  // namespace ui
