#pragma once
#include <windows.h>

#include <commctrl.h>

#include "ui/tree_view.h"
#include "ui/win32/child_window.h"
#include "ui/win32/drop_target.h"
#include "ui/win32/scale.h"

namespace ui::win32 {

// A WC_TREEVIEW whose items carry their TreeNode in lParam.
class Win32TreeViewPeer : public ChildPeer<TreeViewPeer> {
  public:
    Win32TreeViewPeer(Win32Backend& backend, TreeView& tree, Container& parent,
                      const ControlArgs& args);
    void SetImageList(ImageList* list) override;
    std::uintptr_t Insert(const TreeNode& node) override;
    void Remove(const TreeNode& node) override;
    void Clear() override;
    void SetNodeText(const TreeNode& node) override;
    void SetNodeImage(const TreeNode& node) override;
    void SetNodeGreyed(const TreeNode& node) override;
    std::vector<TreeNode*> VisibleNodes() const override;
    void Expand(const TreeNode& node) override;
    void ScrollTo(const TreeNode& node) override;
    void Select(const TreeNode* node) override;
    void SetRedraw(bool on) override;
    void StartLabelEdit(const TreeNode& node) override;
    TreeNode* HitTest(int xTwips, int yTwips) override;

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    LRESULT OnNotify(const NMHDR& header);
    LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw) const;
    void OnSelectionChanged(const NMTREEVIEWW& change);
    void RaiseMouseUp(MouseButton button, POINT client);
    POINT MessagePoint() const;  // where the pointer was, in client pixels
    TreeNode* NodeOf(HTREEITEM item) const;
    DropEvent EventOf(platform::win32::DroppedData dropped) const;
    int ImageOf(const TreeNode& node) const;

    void RegisterForDrops();

    Win32Backend& backend_;
    TreeView& tree_;
    ImageList* images_ = nullptr;  // not owned
    const Scale* scale_;
    int ownChanges_ = 0;     // inside our own calls the view's selection moves are not news
    DropRegistration drop_;  // revoked before the window goes
};

}  // namespace ui::win32
