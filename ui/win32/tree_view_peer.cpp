#include "ui/win32/tree_view_peer.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/win32_code_page.h"
#include "ui/win32/image_list_peer.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {

namespace {
// Far from the ids the view's own timers use.
constexpr UINT_PTR kDropTimer = 0x51D0;
// After the first paint of a usual start-up.
constexpr UINT kDropDelayMs = 300;

HTREEITEM ItemOf(const TreeNode* node) {
    return node ? reinterpret_cast<HTREEITEM>(node->PeerItem()) : nullptr;
}

// The dialog manager takes Enter for the window's default button and Esc for its cancel
// button unless the control with the focus asks for them.
bool IsKey(LPARAM dialogMessage, WPARAM key) {
    const auto* msg = reinterpret_cast<const MSG*>(dialogMessage);
    return msg && (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) && msg->wParam == key;
}

// The view's own label editor: Enter ends the edit and Esc cancels it, in any window.
LRESULT CALLBACK EditorProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                 DWORD_PTR) {
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &EditorProcedure, id);
    LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
    if (msg == WM_GETDLGCODE && (IsKey(lp, VK_RETURN) || IsKey(lp, VK_ESCAPE)))
        result |= DLGC_WANTMESSAGE;
    return result;
}

class OwnChange {
  public:
    explicit OwnChange(int& depth) : depth_(depth) { ++depth_; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;
    ~OwnChange() { --depth_; }

  private:
    int& depth_;
};
}  // namespace

Win32TreeViewPeer::Win32TreeViewPeer(Win32Backend& backend, TreeView& tree, Container& parent,
                                     const ControlArgs& args)
    : backend_(backend), tree_(tree), scale_(&backend.GetScale()) {
    ControlArgs untitled = args;
    untitled.text.clear();
    const DWORD style = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS |
                        WS_TABSTOP | (tree.LabelEdit() ? TVS_EDITLABELS : 0);
    // The shell falls back on WM_DROPFILES where OLE cannot reach the view.
    const DWORD exStyle = WS_EX_CLIENTEDGE | (tree.AcceptsDrops() ? WS_EX_ACCEPTFILES : 0);
    window_.Create(backend, parent, WC_TREEVIEWA, style, exStyle, untitled, *this);
    // Links from a browser come through OLE, which is started once the window is up: files
    // from the shell arrive meanwhile through WM_DROPFILES.
    if (tree.AcceptsDrops() && window_.hwnd())
        SetTimer(window_.hwnd(), kDropTimer, kDropDelayMs, nullptr);
}

void Win32TreeViewPeer::RegisterForDrops() {
    KillTimer(window_.hwnd(), kDropTimer);
    backend_.StartOle();
    drop_.Register(
        window_.hwnd(),
        {[this](const platform::win32::DroppedData& d) { return tree_.WouldTake(EventOf(d)); },
         [this](platform::win32::DroppedData d) { tree_.UserDropped(EventOf(std::move(d))); }});
}

DropEvent Win32TreeViewPeer::EventOf(platform::win32::DroppedData dropped) const {
    return {std::move(dropped.paths),          std::move(dropped.address),
            std::move(dropped.text),           std::move(dropped.linkFile),
            scale_->ToTwipsX(dropped.point.x), scale_->ToTwipsY(dropped.point.y)};
}

void Win32TreeViewPeer::SetImageList(ImageList* list) {
    images_ = list;
    auto* peer = list ? dynamic_cast<Win32ImageListPeer*>(list->Peer()) : nullptr;
    window_.Send(TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(peer ? peer->get() : nullptr));
}

int Win32TreeViewPeer::ImageOf(const TreeNode& node) const {
    const int image = images_ ? images_->IndexOf(node.Image()) : -1;
    return image >= 0 ? image : I_IMAGENONE;
}

std::uintptr_t Win32TreeViewPeer::Insert(const TreeNode& node) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = node.Parent() ? ItemOf(node.Parent()) : TVI_ROOT;
    // Usually the last: looked for from the end.
    const std::vector<TreeNode*>& siblings =
        node.Parent() ? node.Parent()->Children() : tree_.Roots();
    auto at = std::find(siblings.rbegin(), siblings.rend(), &node);
    insert.hInsertAfter = at == siblings.rbegin()     ? TVI_LAST
                          : at == siblings.rend() - 1 ? TVI_FIRST
                                                      : ItemOf(*std::next(at));
    TVITEMW& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    std::wstring text = platform::Wide(node.Text());
    item.pszText = text.data();
    // The view hands the node back in its notifications; it is never changed through this.
    item.lParam = reinterpret_cast<LPARAM>(&node);
    item.iImage = item.iSelectedImage = ImageOf(node);
    return static_cast<std::uintptr_t>(
        window_.Send(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void Win32TreeViewPeer::Remove(const TreeNode& node) {
    OwnChange own(ownChanges_);
    if (HTREEITEM item = ItemOf(&node)) {
        window_.Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
    }
}

void Win32TreeViewPeer::Clear() {
    OwnChange own(ownChanges_);
    window_.Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

void Win32TreeViewPeer::SetNodeText(const TreeNode& node) {
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = ItemOf(&node);
    std::wstring text = platform::Wide(node.Text());
    item.pszText = text.data();
    if (item.hItem) window_.Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32TreeViewPeer::SetNodeImage(const TreeNode& node) {
    TVITEMW item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = ItemOf(&node);
    item.iImage = item.iSelectedImage = ImageOf(node);
    if (item.hItem) window_.Send(TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void Win32TreeViewPeer::SetNodeGreyed(const TreeNode& node) {
    RECT row{};
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    const HTREEITEM item = ItemOf(&node);
    std::memcpy(&row, &item, sizeof(item));
    if (window_.hwnd() && window_.Send(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&row)))
        InvalidateRect(window_.hwnd(), &row, FALSE);
}

std::vector<TreeNode*> Win32TreeViewPeer::VisibleNodes() const {
    std::vector<TreeNode*> nodes;
    // A partly shown last row counts too.
    const auto rows = static_cast<std::size_t>(window_.Send(TVM_GETVISIBLECOUNT)) + 1;
    auto item = reinterpret_cast<HTREEITEM>(window_.Send(TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE));
    while (item && nodes.size() < rows) {
        if (TreeNode* node = NodeOf(item)) nodes.push_back(node);
        item = reinterpret_cast<HTREEITEM>(
            window_.Send(TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(item)));
    }
    return nodes;
}

void Win32TreeViewPeer::Expand(const TreeNode& node) {
    OwnChange own(ownChanges_);
    if (HTREEITEM item = ItemOf(&node)) {
        window_.Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
}

void Win32TreeViewPeer::ScrollTo(const TreeNode& node) {
    OwnChange own(ownChanges_);
    if (HTREEITEM item = ItemOf(&node)) {
        window_.Send(TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    }
}

void Win32TreeViewPeer::Select(const TreeNode* node) {
    OwnChange own(ownChanges_);
    window_.Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(ItemOf(node)));
}

void Win32TreeViewPeer::SetRedraw(bool on) {
    window_.Send(WM_SETREDRAW, on);
    if (on && window_.hwnd()) InvalidateRect(window_.hwnd(), nullptr, TRUE);
}

void Win32TreeViewPeer::StartLabelEdit(const TreeNode& node) {
    if (HTREEITEM item = ItemOf(&node)) {
        window_.SetFocus();
        window_.Send(TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item));
    }
}

TreeNode* Win32TreeViewPeer::HitTest(int xTwips, int yTwips) {
    TVHITTESTINFO hit{};
    hit.pt = {scale_->ToPixelsX(xTwips), scale_->ToPixelsY(yTwips)};
    window_.Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & TVHT_ONITEM) ? NodeOf(hit.hItem) : nullptr;
}

TreeNode* Win32TreeViewPeer::NodeOf(HTREEITEM handle) const {
    if (!handle) return nullptr;
    TVITEMW item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = handle;
    if (!window_.Send(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<TreeNode*>(item.lParam);
}

POINT Win32TreeViewPeer::MessagePoint() const {
    const DWORD pos = GetMessagePos();
    POINT point{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ScreenToClient(window_.hwnd(), &point);
    return point;
}

void Win32TreeViewPeer::RaiseMouseUp(MouseButton button, POINT client) {
    TreeMouseEvent event;
    event.button = button;
    event.x = scale_->ToTwipsX(client.x);
    event.y = scale_->ToTwipsY(client.y);
    tree_.UserReleasedMouse(event);
}

bool Win32TreeViewPeer::OnReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_NOTIFY) return false;
    // https://learn.microsoft.com/windows/win32/controls/nm-customdraw-tree-view
    if (reinterpret_cast<const NMHDR*>(lp)->code == NM_CUSTOMDRAW) {
        result = OnCustomDraw(*reinterpret_cast<NMTVCUSTOMDRAW*>(lp));
        return true;
    }
    result = OnNotify(*reinterpret_cast<const NMHDR*>(lp));
    return true;
}

// The tree view's notifications arrive in their Unicode form: our windows are W windows.
LRESULT Win32TreeViewPeer::OnNotify(const NMHDR& header) {
    switch (header.code) {
        case TVN_SELCHANGEDW:
            OnSelectionChanged(reinterpret_cast<const NMTREEVIEWW&>(header));
            return 0;
        case NM_DBLCLK:
            tree_.UserDoubleClicked();
            return 0;  // the view still opens or closes the node
        case NM_CLICK:
            RaiseMouseUp(MouseButton::Left, MessagePoint());
            return 0;
        case NM_RCLICK:
            RaiseMouseUp(MouseButton::Right, MessagePoint());
            return TRUE;  // handled: no WM_CONTEXTMENU after it
        case TVN_KEYDOWN:
            tree_.UserPressedKey(reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey);
            return 0;
        case TVN_BEGINLABELEDITW:
            if (auto editor = reinterpret_cast<HWND>(window_.Send(TVM_GETEDITCONTROL)))
                SetWindowSubclass(editor, &EditorProcedure, 1, 0);
            return FALSE;
        case TVN_ENDLABELEDITW: {
            const TVITEMW& item = reinterpret_cast<const NMTVDISPINFOW&>(header).item;
            TreeNode* node = NodeOf(item.hItem);
            // Null text: the user cancelled the edit.
            if (item.pszText && node) tree_.UserEditedLabel(*node, platform::Utf8(item.pszText));
            // Refused for now, so the old text stays; the tree sets the new one once its
            // handler has taken it.
            return FALSE;
        }
        default:
            return 0;
    }
}

LRESULT Win32TreeViewPeer::OnCustomDraw(NMTVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    const auto* node = reinterpret_cast<const TreeNode*>(draw.nmcd.lItemlParam);
    // A selected row keeps the highlight's text colour, which grey would not stand out on.
    if (node && node->Greyed() && !(draw.nmcd.uItemState & CDIS_SELECTED))
        draw.clrText = GetSysColor(COLOR_GRAYTEXT);
    return CDRF_DODEFAULT;
}

void Win32TreeViewPeer::OnSelectionChanged(const NMTREEVIEWW& change) {
    if (ownChanges_ > 0) return;
    TreeNode* node = change.itemNew.hItem ? NodeOf(change.itemNew.hItem) : nullptr;
    // The mouse, the keys, or the view moving it off a branch being closed.
    tree_.UserSelected(node);
}

bool Win32TreeViewPeer::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_MBUTTONUP:
            // The view reports left and right clicks itself; the middle button only here.
            RaiseMouseUp(MouseButton::Middle, {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
            return false;
        case WM_GETDLGCODE:
            // Enter is a key of the tree (its item's command), not the window's default button.
            if (!IsKey(lp, VK_RETURN)) return false;
            result = window_.CallOriginal(msg, wp, lp) | DLGC_WANTMESSAGE;
            return true;
        case WM_CHAR:
            return wp == VK_RETURN;  // taken as a key: no letter of a name to search for
        case WM_DROPFILES:
            // https://learn.microsoft.com/windows/win32/shell/wm-dropfiles
            tree_.UserDropped(
                EventOf(platform::win32::TakeDroppedFiles(reinterpret_cast<HDROP>(wp))));
            result = 0;
            return true;
        case WM_TIMER:
            if (wp != kDropTimer) return false;
            RegisterForDrops();
            result = 0;
            return true;
        case WM_DESTROY:
            drop_.Revoke();  // the window is still there to be revoked
            return false;
        default:
            return false;
    }
}

}  // namespace ui::win32
