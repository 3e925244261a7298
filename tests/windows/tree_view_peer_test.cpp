// The tree view on a real common-controls tree: what the view shows, and which of the
// user's clicks, keys and label edits reach the object. The object's own rules are
// checked headless.
#include "platform/win32/win32_shell.h"
#include "tests/windows/window_probe.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/tree_view.h"

namespace {

platform::Picture SystemIcon() {
    HICON icon = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    return {platform::Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(icon),
            platform::DestroyGdiPicture};
}

HTREEITEM ItemOf(const ui::TreeNode* node) {
    return reinterpret_cast<HTREEITEM>(node->PeerItem());
}

// Quopa > Games > application1, both branches open, with two pictures.
class TreePeer : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Create({.caption = "Tree", .clientWidth = 7500, .clientHeight = 5790});
        images.Create(form);
        images.Add("browser", SystemIcon());
        images.Add("Application1", SystemIcon());
        tree.Create(form, {.control = {.bounds = {120, 240, 3615, 4935}}, .labelEdit = true});
        tree.SetImageList(&images);
        root = tree.Add("", "Quopa", "Quopa Drive", "");
        games = tree.Add("Quopa", "Games", "Games", "");
        item = tree.Add("Games", "application1", "Chess", "Application1");
        tree.Expand(*root);
        tree.Expand(*games);
        view = H(tree);
    }
    // The node's text and picture, as the view holds them.
    std::string Shown(const ui::TreeNode* node) {
        char text[64] = {};
        TVITEMA tv{TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE, ItemOf(node), 0, 0, text, sizeof(text)};
        SendMessageA(view, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return text + std::string(" ") + std::to_string(tv.iImage);
    }

    ui::Win32Backend backend;
    ui::Form form{backend};
    ui::ImageList images;
    ui::TreeView tree;
    ui::TreeNode *root = nullptr, *games = nullptr, *item = nullptr;
    HWND view = nullptr;
};

TEST_F(TreePeer, ShowsEachNodesTextAndPictureAndAProgramsOwnIcon) {
    EXPECT_EQ("Chess 1", Shown(item));
    tree.SetNodeImage(*item, "browser");
    tree.SetNodeText(*item, "Go");
    EXPECT_EQ("Go 0", Shown(item));

    // A program's own icon, read by the shell, is the picture the view draws.
    ASSERT_EQ(2,
              images.Add("own", platform::Win32Shell().OwnIcon(Beside("quopa_icon_program.exe"))));
    tree.SetNodeImage(*item, "own");
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    ImageList_Draw(TreeView_GetImageList(view, TVSIL_NORMAL), 2, dc, 0, 0, 0);
    EXPECT_EQ(RGB(0x20, 0x30, 0xC0), GetPixel(dc, 8, 8));  // the icon program's only colour
    EXPECT_EQ("Go 2", Shown(item));
    DeleteDC(dc);
    DeleteObject(bitmap);
}

// The panel follows the selection: the mouse and the arrow keys alike move it; Enter and
// Delete belong to the tree (its item's command) even in a window with a default button.
TEST_F(TreePeer, ClicksArrowsEnterAndDeleteReachTheTreeOnce) {
    ui::Button button;
    button.Create(form, {.text = "OK", .bounds = {4000, 240, 1200, 375}});
    form.SetDefaultButton(&button);
    int pressed = 0;
    button.onClick = [&] { ++pressed; };
    Strings seen;
    tree.onSelectionChanged = [&] {
        seen.push_back(tree.SelectedItem() ? tree.SelectedItem()->Key() : "none");
    };
    std::vector<int> keys;
    tree.onKeyDown = [&](int key) { keys.push_back(key); };
    // A click as the mouse gives it: the release is already queued when the press arrives.
    RECT r{};
    TreeView_GetItemRect(view, ItemOf(item), &r, TRUE);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(view, WM_LBUTTONUP, 0, at);
    SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, at);
    backend.DoEvents();
    SetFocus(view);
    for (WPARAM key : {VK_UP, VK_RETURN, VK_DELETE}) PostMessageA(view, WM_KEYDOWN, key, 1);
    backend.DoEvents();
    EXPECT_EQ((Strings{"application1", "Games"}), seen);
    EXPECT_EQ((std::vector<int>{VK_UP, VK_RETURN, VK_DELETE}), keys);
    EXPECT_EQ(0, pressed);
    tree.Select(item);  // the program's own choice is told once, by the tree itself
    EXPECT_EQ(ItemOf(item), TreeView_GetSelection(view));
    EXPECT_EQ(3u, seen.size());

    // The view would select a neighbour of the removed branch; ours keeps none.
    tree.Remove("Games");
    EXPECT_EQ(1u, TreeView_GetCount(view));
    EXPECT_TRUE(!tree.SelectedItem() && !TreeView_GetSelection(view));
    // The real list reuses the slot no key needs any more.
    EXPECT_TRUE(images.Remove("Application1"));
    EXPECT_EQ(1, images.Add("Application3", SystemIcon()));
    EXPECT_EQ(2, ImageList_GetImageCount(TreeView_GetImageList(view, TVSIL_NORMAL)));
}

// The window's dialog keys would make Enter and Esc its default and cancel buttons.
TEST_F(TreePeer, EnterCommitsATypedLabelOnceUnlessTheHandlerRefusesAndEscCancels) {
    Strings asked;
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) {
        asked.push_back(e.newText);
        e.cancel = e.newText == "Toys";
    };
    const struct {
        ui::TreeNode* node;
        const char* typed;
        WPARAM key;
    } edits[] = {{item, "Go", VK_RETURN}, {root, "Mine", VK_ESCAPE}, {games, "Toys", VK_RETURN}};
    for (const auto& e : edits) {  // typed into the view's own editor, ended with a key
        tree.StartLabelEdit(*e.node);
        HWND editor = TreeView_GetEditControl(view);
        SetWindowTextA(editor, e.typed);
        PostMessageA(editor, WM_KEYDOWN, e.key, 1);
        backend.DoEvents();
        EXPECT_FALSE(IsWindow(editor)) << "the key ended the edit";
    }
    EXPECT_EQ((Strings{"Go", "Toys"}), asked);
    EXPECT_EQ("Go 1", Shown(item));
    EXPECT_EQ("Go", item->Text());
    EXPECT_TRUE(Shown(root).starts_with("Quopa Drive ") && Shown(games).starts_with("Games "));
}

}  // namespace
