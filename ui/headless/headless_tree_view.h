#pragma once
// A tree view without a window: rows laid out as the real view lays them out, so that
// tests can point at a node (a right-click, a hit test) as the user would.
#include <algorithm>
#include <vector>

#include "ui/tree_view.h"

namespace ui {

class HeadlessTreeViewPeer : public TreeViewPeer {
  public:
    // One row a node: 16 pixels at 15 twips a pixel.
    static constexpr int kRowTwips = 240;

    explicit HeadlessTreeViewPeer(const TreeView& tree) : tree_(tree) {}
    void SetImageList(ImageList*) override {}
    std::uintptr_t Insert(const TreeNode&) override { return 0; }
    void Remove(const TreeNode&) override {}
    void Clear() override { top_ = 0; }
    void SetNodeText(const TreeNode&) override {}
    void SetNodeImage(const TreeNode&) override {}
    void SetNodeGreyed(const TreeNode&) override {}
    // The rows from the first one scrolled to that fit the control's height.
    std::vector<TreeNode*> VisibleNodes() const override;
    void Expand(const TreeNode&) override {}
    // Scrolls as little as brings the node's row on screen.
    void ScrollTo(const TreeNode& node) override;
    void Select(const TreeNode*) override {}
    void SetRedraw(bool) override {}
    void StartLabelEdit(const TreeNode&) override {}
    // The node on the row under the point, across the whole width of the control.
    TreeNode* HitTest(int xTwips, int yTwips) override;

  private:
    std::size_t RowsThatFit() const;
    std::size_t Top(std::size_t rows) const { return std::min(top_, rows); }

    const TreeView& tree_;
    std::size_t top_ = 0;  // the row scrolled to the top
};

// The nodes on screen from the top: each whose ancestors are all expanded.
std::vector<TreeNode*> DisplayedRows(const TreeView& tree);

}  // namespace ui
