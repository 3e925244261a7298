// The tree view on a real common-controls tree: what the view shows, which of the user's
// clicks, keys and label edits reach the object, and what its drop target makes of the data
// a shell or a browser drags in through the system's own drag loop. The object's own rules
// and what each kind of data becomes are checked headless.
#include "platform/win32/win32_shell.h"
#include "tests/windows/window_probe.h"  // windows.h first

#include <ole2.h>
#include <shlobj.h>

#include <cstring>

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

// Lets go as soon as the drag loop has looked under the pointer once.
class LetGo final : public IDropSource {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL, DWORD) override {
        return ++asked_ > 2 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  private:
    int asked_ = 0;
};

std::string Wide(const wchar_t* text) {
    return std::string(reinterpret_cast<const char*>(text), (wcslen(text) + 1) * sizeof(wchar_t));
}

// Quopa > Games > application1, both branches open, with two pictures.
class TreePeer : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Create({.caption = "Tree", .clientWidth = 7500, .clientHeight = 5790});
        images.Create(form);
        images.Add("browser", SystemIcon());
        images.Add("Application1", SystemIcon());
        tree.Create(form, {.control = {.bounds = {120, 240, 3615, 4935}},
                           .labelEdit = true,
                           .acceptDrops = true});
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
        wchar_t text[64] = {};
        TVITEMW tv{TVIF_TEXT | TVIF_IMAGE | TVIF_HANDLE, ItemOf(node), 0, 0, text, 64};
        SendMessageW(view, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
        return platform::Utf8(text) + " " + std::to_string(tv.iImage);
    }

    // Drags what another program offers, one block per format, as the clipboard holds it,
    // from a point inside the tree's first row; the effect the drop ended with.
    DWORD Drag(const std::vector<std::pair<UINT, std::string>>& offered) {
        OpenClipboard(nullptr);
        EmptyClipboard();
        for (const auto& [format, bytes] : offered) {
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
            GlobalUnlock(memory);
            SetClipboardData(format, memory);
        }
        CloseClipboard();
        IDataObject* data = nullptr;
        EXPECT_EQ(S_OK, OleGetClipboard(&data));
        POINT p{40, 8};
        ClientToScreen(reinterpret_cast<HWND>(tree.Handle()), &p);
        SetCursorPos(p.x, p.y);
        backend.DoEvents();
        LetGo source;
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
        data->Release();
        backend.DoEvents();
        return effect;
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
    // Names no single code page holds: Cyrillic, Japanese, Tamil.
    const std::string go = "Го 囲碁 கோ";
    tree.SetNodeText(*item, go);
    EXPECT_EQ(go + " 0", Shown(item));

    // A program's own icon, read by the shell, is the picture the view draws.
    ASSERT_EQ(2,
              images.Add("own", platform::Win32Shell().OwnIcon(Beside("quopa_icon_program.exe"))));
    tree.SetNodeImage(*item, "own");
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(16, 16, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    ImageList_Draw(TreeView_GetImageList(view, TVSIL_NORMAL), 2, dc, 0, 0, 0);
    EXPECT_EQ(RGB(0x20, 0x30, 0xC0), GetPixel(dc, 8, 8));  // the icon program's only colour
    EXPECT_EQ(go + " 2", Shown(item));
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
    } edits[] = {{item, "囲碁", VK_RETURN}, {root, "Mine", VK_ESCAPE}, {games, "Toys", VK_RETURN}};
    for (const auto& e : edits) {  // typed into the view's own editor, ended with a key
        tree.StartLabelEdit(*e.node);
        HWND editor = TreeView_GetEditControl(view);
        SetWindowTextW(editor, platform::Wide(e.typed).c_str());
        PostMessageA(editor, WM_KEYDOWN, e.key, 1);
        backend.DoEvents();
        EXPECT_FALSE(IsWindow(editor)) << "the key ended the edit";
    }
    EXPECT_EQ((Strings{"囲碁", "Toys"}), asked);
    EXPECT_EQ("囲碁 1", Shown(item));
    EXPECT_EQ("囲碁", item->Text());
    EXPECT_TRUE(Shown(root).starts_with("Quopa Drive ") && Shown(games).starts_with("Games "));
}

TEST_F(TreePeer, ABrowsersLinkAndTheShellsFilesDropInAndUnwantedTextIsRefused) {
    std::vector<ui::DropEvent> dropped;
    tree.onDropQuery = [](const ui::DropEvent& e) { return e.text != "Lunch at noon"; };
    tree.onDropped = [&](const ui::DropEvent& e) { dropped.push_back(e); };
    form.Show();
    // The view takes OLE drops only once it is up.
    for (const DWORD end = GetTickCount() + 500; GetTickCount() < end; Sleep(10))
        backend.DoEvents();
    const auto format = [](const char* name) { return RegisterClipboardFormatA(name); };
    std::string group(sizeof(FILEGROUPDESCRIPTORW), '\0');
    auto* descriptor = reinterpret_cast<FILEGROUPDESCRIPTORW*>(group.data());
    descriptor->cItems = 1;
    wcscpy(descriptor->fgd[0].cFileName, L"Новости.url");
    EXPECT_EQ(DWORD{DROPEFFECT_LINK},
              Drag({{format("UniformResourceLocatorW"), Wide(L"https://news.example/caf\u00e9")},
                    {format("FileGroupDescriptorW"), group},
                    {CF_UNICODETEXT, Wide(L"https://news.example/other")}}))
        << "a link, never a move";
    ASSERT_EQ(1u, dropped.size());
    EXPECT_EQ("https://news.example/caf\xC3\xA9", dropped[0].address);
    EXPECT_EQ("Новости.url", dropped[0].linkFile);
    EXPECT_TRUE(dropped[0].text.empty() && dropped[0].paths.empty());
    EXPECT_EQ(root, tree.NodeAt(dropped[0].x, dropped[0].y));

    dropped.clear();
    std::string list = std::string(sizeof(DROPFILES), '\0') + Wide(L"C:\\Папка\\日本.exe") +
                       Wide(L"C:\\b") + '\0' + '\0';
    *reinterpret_cast<DROPFILES*>(list.data()) = {sizeof(DROPFILES), {}, FALSE, TRUE};
    EXPECT_EQ(DWORD{DROPEFFECT_LINK}, Drag({{CF_HDROP, list}}));
    ASSERT_EQ(1u, dropped.size());
    EXPECT_EQ((std::vector<std::string>{"C:\\Папка\\日本.exe", "C:\\b"}), dropped[0].paths);
    EXPECT_EQ(DWORD{DROPEFFECT_NONE}, Drag({{CF_TEXT, std::string("Lunch at noon") + '\0'}}));
    EXPECT_EQ(1u, dropped.size());
}

}  // namespace
