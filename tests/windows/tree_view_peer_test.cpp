// The tree view on a real common-controls tree: what the view shows, and which of the
// user's clicks, keys and label edits reach the object. The object's own rules are
// checked headless.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/button.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/tree_view.h"
#include "ui/win32/image_list_peer.h"
#include "ui/win32/win32_backend.h"

namespace {

using platform::Picture;

void DestroyIconPicture(Picture::Kind, std::uintptr_t handle) {
    DestroyIcon(reinterpret_cast<HICON>(handle));
}

Picture SystemIcon() {
    HICON icon = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(icon), DestroyIconPicture);
}

HTREEITEM ItemOf(const ui::TreeNode* node) {
    return reinterpret_cast<HTREEITEM>(node->PeerItem());
}

int ToTwips(int pixels, int axis) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, axis);
    ReleaseDC(nullptr, dc);
    return MulDiv(pixels, 1440, dpi);
}

// Quopa > Games > application1, both branches open, with two pictures.
class TreePeer : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::FormArgs window;
        window.caption = "Tree";
        window.clientWidth = 7500;
        window.clientHeight = 5790;
        window.className = "QuopaTreePeerTest";
        form.Create(window);
        images.Create(form);
        ASSERT_EQ(0, images.Add("browser", SystemIcon()));
        ASSERT_EQ(1, images.Add("Application1", SystemIcon()));
        ui::TreeViewArgs args;
        args.control.bounds = {120, 240, 3615, 4935};
        args.labelEdit = labelEdit;
        tree.Create(form, args);
        tree.SetImageList(&images);
        root = tree.Add("", "Quopa", "Quopa Drive", "");
        games = tree.Add("Quopa", "Games", "Games", "");
        item = tree.Add("Games", "application1", "Chess", "Application1");
        tree.Expand(*root);
        tree.Expand(*games);
        view = reinterpret_cast<HWND>(tree.Handle());
    }
    TVITEMA Get(const ui::TreeNode* node) {
        TVITEMA tv{};
        tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE;
        tv.hItem = ItemOf(node);
        tv.pszText = text;
        tv.cchTextMax = sizeof(text);
        SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return tv;
    }
    // The middle of a node's label, in client pixels.
    POINT Middle(const ui::TreeNode* node) {
        RECT r{};
        TreeView_GetItemRect(view, ItemOf(node), &r, TRUE);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // Types a label into the view's own editor and presses Enter.
    void EditLabel(ui::TreeNode* node, const char* typed) {
        tree.StartLabelEdit(*node);
        HWND editor = TreeView_GetEditControl(view);
        ASSERT_NE(nullptr, editor);
        SetWindowTextA(editor, typed);
        TreeView_EndEditLabelNow(view, FALSE);
        backend.DoEvents();  // where the handler decides
    }
    // A key the user presses in `target`, through the message loop and its dialog keys.
    void Press(HWND target, WPARAM key) {
        PostMessageA(target, WM_KEYDOWN, key, 1);
        backend.DoEvents();
    }

    ui::Win32Backend backend;
    ui::Form form{backend};
    ui::ImageList images;
    ui::TreeView tree;
    ui::TreeNode *root = nullptr, *games = nullptr, *item = nullptr;
    HWND view = nullptr;
    bool labelEdit = false;
    char text[64] = {};
};

TEST_F(TreePeer, ShowsEachNodeUnderItsParentWithItsTextAndPicture) {
    EXPECT_EQ(3u, TreeView_GetCount(view));
    EXPECT_EQ(ItemOf(root), TreeView_GetRoot(view));
    EXPECT_EQ(ItemOf(games), TreeView_GetParent(view, ItemOf(item)));
    const TVITEMA chess = Get(item);
    EXPECT_STREQ("Chess", chess.pszText);
    EXPECT_EQ(1, chess.iImage);
    EXPECT_EQ(reinterpret_cast<LPARAM>(item), chess.lParam);

    tree.SetNodeImage(*item, "browser");
    tree.SetNodeText(*item, "Go");
    EXPECT_EQ(0, Get(item).iImage);
    EXPECT_STREQ("Go", Get(item).pszText);
}

TEST_F(TreePeer, NodeAtFindsTheNodeUnderAPointInTwips) {
    const POINT p = Middle(item);
    const int x = ToTwips(p.x, LOGPIXELSX);
    EXPECT_EQ(item, tree.NodeAt(x, ToTwips(p.y, LOGPIXELSY)));
    EXPECT_EQ(games, tree.NodeAt(ToTwips(Middle(games).x, LOGPIXELSX),
                                 ToTwips(Middle(games).y, LOGPIXELSY)));
    EXPECT_EQ(nullptr, tree.NodeAt(x, 4800)) << "below the last row";
}

// The panel follows the selection: the mouse and the arrow keys alike move it.
TEST_F(TreePeer, ClicksAndArrowKeysRaiseEachSelectionChangeOnce) {
    std::vector<std::string> seen;
    tree.onSelectionChanged = [&] {
        seen.push_back(tree.SelectedItem() ? tree.SelectedItem()->Key() : "none");
    };
    // A click as the mouse gives it: the release is already queued when the press arrives.
    const POINT p = Middle(item);
    PostMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    backend.DoEvents();
    Press(view, VK_UP);
    EXPECT_EQ((std::vector<std::string>{"application1", "Games"}), seen);
    EXPECT_EQ(games, tree.SelectedItem());
    tree.Select(item);  // the program's own choice is told once, by the tree itself
    EXPECT_EQ(ItemOf(item), TreeView_GetSelection(view));
    EXPECT_EQ(3u, seen.size());
}

// Enter belongs to the tree (its item's command) even in a window with a default button.
TEST_F(TreePeer, EnterAndDeleteReachTheTreeAfterTheViewIsDoneWithThem) {
    ui::Button button;
    button.Create(form, {.text = "OK", .bounds = {4000, 240, 1200, 375}});
    form.SetDefaultButton(&button);
    int pressed = 0;
    button.onClick = [&] { ++pressed; };
    std::vector<int> keys;
    tree.onKeyDown = [&](int key) { keys.push_back(key); };
    tree.Select(item);
    SetFocus(view);
    PostMessageA(view, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(view, WM_KEYDOWN, VK_DELETE, 1);
    backend.DoEvents();
    EXPECT_EQ((std::vector<int>{VK_RETURN, VK_DELETE}), keys);
    EXPECT_EQ(0, pressed);
}

TEST_F(TreePeer, RemovingTheSelectedBranchLeavesNothingSelected) {
    tree.Select(item);
    // The view would select a neighbour of the removed branch; ours keeps none.
    tree.Remove("Games");
    EXPECT_EQ(1u, TreeView_GetCount(view));
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_EQ(nullptr, TreeView_GetSelection(view));
    // The real list reuses the slot no key needs any more.
    auto* list = dynamic_cast<ui::win32::Win32ImageListPeer*>(images.Peer());
    ASSERT_NE(nullptr, list);
    EXPECT_TRUE(images.Remove("Application1"));
    EXPECT_EQ(1, images.Add("Application3", SystemIcon()));
    EXPECT_EQ(2, ImageList_GetImageCount(list->get()));
}

TEST_F(TreePeer, WithoutLabelEditingTheViewOpensNoEditor) {
    EXPECT_FALSE(GetWindowLongPtrA(view, GWL_STYLE) & TVS_EDITLABELS);
    tree.onAfterLabelEdit = [](ui::LabelEditEvent&) {};
    tree.StartLabelEdit(*item);
    EXPECT_EQ(nullptr, TreeView_GetEditControl(view));
}

class EditableTreePeer : public TreePeer {
  protected:
    void SetUp() override {
        labelEdit = true;
        TreePeer::SetUp();
    }
    // Types a label into the view's own editor and ends the edit with a key.
    void TypeAndPress(const char* typed, WPARAM key) {
        tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) { asked.push_back(e.newText); };
        tree.StartLabelEdit(*item);
        HWND editor = TreeView_GetEditControl(view);
        ASSERT_NE(nullptr, editor);
        SetWindowTextA(editor, typed);
        Press(editor, key);
        EXPECT_FALSE(IsWindow(editor)) << "the key ended the edit";
    }

    std::vector<std::string> asked;
};

// An edit nobody stores would come undone at the next rebuild: without a handler it is refused.
TEST_F(EditableTreePeer, ATypedLabelStandsOnlyWhenAHandlerTakesIt) {
    EXPECT_TRUE(GetWindowLongPtrA(view, GWL_STYLE) & TVS_EDITLABELS);
    EditLabel(item, "Go");
    EXPECT_STREQ("Chess", Get(item).pszText);
    EXPECT_EQ("Chess", item->Text());

    bool refuse = false;
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) { e.cancel = refuse; };
    EditLabel(item, "Go");
    refuse = true;
    EditLabel(root, "Mine");
    EXPECT_STREQ("Go", Get(item).pszText);
    EXPECT_STREQ("Quopa Drive", Get(root).pszText);
}

// The window's dialog keys would make Enter and Esc its default and cancel buttons.
TEST_F(EditableTreePeer, EscInTheEditorCancelsTheRename) {
    TypeAndPress("Go", VK_ESCAPE);
    EXPECT_TRUE(asked.empty());
    EXPECT_STREQ("Chess", Get(item).pszText);
}

TEST_F(EditableTreePeer, EnterInTheEditorCommitsTheRenameOnce) {
    TypeAndPress("Go", VK_RETURN);
    EXPECT_EQ(std::vector<std::string>{"Go"}, asked);
    EXPECT_STREQ("Go", Get(item).pszText);
    EXPECT_EQ("Go", item->Text());
}

}  // namespace
