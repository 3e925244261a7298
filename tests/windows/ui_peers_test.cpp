// The win32 peers seen from outside, as a user or an accessibility tool sees them: real
// windows of the right class, text, place and state, and events from what the user does.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/text_box.h"
#include "ui/timer.h"
#include "ui/tree_view.h"
#include "ui/win32/form_peer.h"
#include "ui/win32/image_list_peer.h"
#include "ui/win32/menu_builder.h"
#include "ui/win32/tray_message.h"
#include "ui/win32/win32_backend.h"

namespace {

using platform::Picture;

HWND H(const ui::Control& control) {
    return reinterpret_cast<HWND>(control.Handle());
}

std::string ClassOf(HWND hwnd) {
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

std::string TextOf(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

int Dpi(int axis) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, axis);
    ReleaseDC(nullptr, dc);
    return dpi;
}

// The rectangle a set of twips must give, in pixels of the parent's client area.
RECT Expected(const ui::Bounds& b) {
    const int x = Dpi(LOGPIXELSX), y = Dpi(LOGPIXELSY);
    const int left = MulDiv(b.left, x, 1440), top = MulDiv(b.top, y, 1440);
    return {left, top, left + MulDiv(b.width, x, 1440), top + MulDiv(b.height, y, 1440)};
}

RECT InParent(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectRect(const RECT& want, const RECT& got) {
    EXPECT_EQ(want.left, got.left);
    EXPECT_EQ(want.top, got.top);
    EXPECT_EQ(want.right, got.right);
    EXPECT_EQ(want.bottom, got.bottom);
}

// Runs the message loop until `done` or the time is up.
template <class Done>
bool PumpUntil(Done done, DWORD ms = 1000) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
    return true;
}

void DestroyPicture(Picture::Kind kind, std::uintptr_t handle) {
    if (kind == Picture::Kind::Icon) DestroyIcon(reinterpret_cast<HICON>(handle));
    if (kind == Picture::Kind::Bitmap) DeleteObject(reinterpret_cast<HBITMAP>(handle));
}

Picture AppIcon() {
    HICON icon = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    return Picture(Picture::Kind::Icon, reinterpret_cast<std::uintptr_t>(icon), DestroyPicture);
}

Picture SolidBitmap(COLORREF color, int size) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, size, size};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return Picture(Picture::Kind::Bitmap, reinterpret_cast<std::uintptr_t>(bitmap), DestroyPicture);
}

ui::ControlArgs At(const std::string& text, int left, int top, int width, int height) {
    ui::ControlArgs args;
    args.text = text;
    args.bounds = {left, top, width, height};
    return args;
}

class UiPeers : public ::testing::Test {
  protected:
    void SetUp() override {
        ui::FormArgs args;
        args.caption = "Peers";
        args.clientWidth = 7500;
        args.clientHeight = 5790;
        args.className = "QuopaPeersTest";
        form.Create(args);
    }
    // Only where a test needs it: without a window manager, Wine waits 2 s for a shown
    // window to go away.
    void Show() {
        form.Show();
        ASSERT_TRUE(IsWindowVisible(FormWindow()));
    }
    HWND FormWindow() const { return H(form); }

    ui::Win32Backend backend;
    ui::Form form{backend};
};

TEST_F(UiPeers, FormKeepsItsDesignedClientAreaWithAndWithoutMenuBar) {
    ASSERT_TRUE(IsWindow(FormWindow()));
    EXPECT_EQ("QuopaPeersTest", ClassOf(FormWindow()));
    EXPECT_EQ("Peers", TextOf(FormWindow()));
    const LONG style = GetWindowLongA(FormWindow(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    RECT client;
    GetClientRect(FormWindow(), &client);
    ExpectRect(Expected({0, 0, 7500, 5790}), client);

    ui::MenuItem bar;
    ui::MenuItem& file = bar.Add({"&File"});
    file.Add({"&Open", 41, true, true, "Ctrl+O"});
    bar.Add({"Hidden", 0, true, false}).Add({"&Secret", 42});
    form.SetMenuBar(&bar);
    HMENU menu = GetMenu(FormWindow());
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(1, GetMenuItemCount(menu));  // the hidden popup stays out of the bar
    GetClientRect(FormWindow(), &client);
    ExpectRect(Expected({0, 0, 7500, 5790}), client);

    RECT outer;
    GetWindowRect(FormWindow(), &outer);
    EXPECT_EQ(MulDiv(outer.bottom - outer.top, 1440, Dpi(LOGPIXELSY)), form.GetBounds().height);
    form.SetWidth(6000);
    GetWindowRect(FormWindow(), &outer);
    EXPECT_EQ(MulDiv(6000, Dpi(LOGPIXELSX), 1440), outer.right - outer.left);
}

TEST_F(UiPeers, ControlsAreChildWindowsWithClassTextPlaceAndState) {
    Show();
    ui::Label label;
    ui::Button button;
    ui::TextBox box;
    ui::ProgressBar bar;
    ui::PictureBox picture;
    ui::TreeView tree;
    ui::Frame frame;
    label.Create(form, At("&Name", 120, 240, 1935, 255));
    auto disabled = At("&Run", 4080, 4680, 3255, 495);
    disabled.enabled = false;
    button.Create(form, disabled);
    box.Create(form, At("Search...", 120, 5280, 3615, 375));
    bar.Create(form, At("", 120, 1680, 3495, 255));
    picture.Create(form, At("", 120, 2000, 480, 480));
    tree.Create(form, At("", 120, 2600, 3615, 1935));
    auto hidden = At("Disk Info", 3840, 120, 3735, 2055);
    hidden.visible = false;
    frame.Create(form, hidden);

    struct Expect {
        const ui::Control& control;
        const char* className;
        const char* text;
        bool enabled, visible;
    };
    const Expect expected[] = {
        {label, "Static", "&Name", true, true},
        {button, "Button", "&Run", false, true},
        {box, "Edit", "Search...", true, true},
        {bar, PROGRESS_CLASSA, "", true, true},
        {picture, "Static", "", true, true},
        {tree, WC_TREEVIEWA, "", true, true},
        {frame, "QuopaFrame", "Disk Info", true, false},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.className);
        HWND hwnd = H(e.control);
        ASSERT_TRUE(IsWindow(hwnd));
        EXPECT_EQ(FormWindow(), GetParent(hwnd));
        EXPECT_EQ(e.className, ClassOf(hwnd));
        EXPECT_EQ(e.text, TextOf(hwnd));
        EXPECT_EQ(e.enabled, IsWindowEnabled(hwnd) != FALSE);
        EXPECT_EQ(e.visible, IsWindowVisible(hwnd) != FALSE);
        ExpectRect(Expected(e.control.GetBounds()), InParent(hwnd));
        EXPECT_NE(nullptr, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    }

    button.SetEnabled(true);
    label.SetText("Disk space used:");
    frame.SetVisible(true);
    label.SetLeft(240);
    EXPECT_TRUE(IsWindowEnabled(H(button)));
    EXPECT_EQ("Disk space used:", TextOf(H(label)));
    EXPECT_TRUE(IsWindowVisible(H(frame)));
    ExpectRect(Expected({240, 240, 1935, 255}), InParent(H(label)));
}

TEST_F(UiPeers, FrameHoldsItsControlsWhichMoveAndHideWithIt) {
    Show();
    ui::Frame frame;
    frame.Create(form, At("User Info", 3840, 120, 3735, 2055));
    ui::Label inside;
    inside.Create(frame, At("Phone: ", 120, 1440, 2775, 255));
    ui::Button button;
    button.Create(frame, At("Go", 120, 1700, 1000, 300));
    int clicks = 0;
    button.onClick = [&] { ++clicks; };

    EXPECT_EQ(H(frame), GetParent(H(inside)));
    ExpectRect(Expected({120, 1440, 2775, 255}), InParent(H(inside)));
    SendMessageA(H(button), BM_CLICK, 0, 0);  // its notification goes to the frame
    EXPECT_EQ(1, clicks);

    frame.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(H(inside)));
    EXPECT_TRUE(inside.Visible());
    frame.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(H(inside)));
}

TEST_F(UiPeers, LaterControlCoversAnEarlierOneAndTabFollowsCreationOrder) {
    ui::Frame info, disk;
    info.Create(form, At("User Info", 3840, 120, 3735, 2055));
    auto hidden = At("Disk Info", 3840, 120, 3735, 2055);
    hidden.visible = false;
    disk.Create(form, hidden);
    const RECT r = Expected(info.GetBounds());
    const POINT inside{r.left + 20, r.top + 20};
    EXPECT_EQ(H(info), ChildWindowFromPointEx(FormWindow(), inside, CWP_SKIPINVISIBLE));
    disk.SetVisible(true);
    EXPECT_EQ(H(disk), ChildWindowFromPointEx(FormWindow(), inside, CWP_SKIPINVISIBLE));
}

TEST_F(UiPeers, TabFollowsCreationOrderThroughFrames) {
    ui::TextBox first;
    ui::Frame frame;
    ui::Button second, third;
    ui::Label noStop;
    first.Create(form, At("", 120, 240, 1000, 300));
    frame.Create(form, At("Frame", 120, 600, 3000, 1000));
    second.Create(frame, At("Go", 120, 240, 1000, 300));
    noStop.Create(form, At("Label", 120, 1800, 1000, 300));
    third.Create(form, At("Stop", 120, 2200, 1000, 300));
    auto* peer = ui::win32::Win32FormPeer::FromWindow(FormWindow());
    const auto tab = [&](HWND from, bool back) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = back ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg{};
        msg.hwnd = from;
        msg.message = WM_KEYDOWN;
        msg.wParam = VK_TAB;
        EXPECT_TRUE(peer->PreTranslate(msg));
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return GetFocus();
    };
    EXPECT_EQ(H(first), tab(FormWindow(), false));
    EXPECT_EQ(H(second), tab(H(first), false));
    EXPECT_EQ(H(third), tab(H(second), false));
    EXPECT_EQ(H(first), tab(H(third), false));
    EXPECT_EQ(H(third), tab(H(first), true));
    EXPECT_EQ(H(third), tab(FormWindow(), true));
}

TEST_F(UiPeers, LabelAskingForBoldOrPointSizeGetsThatFont) {
    auto args = At("D:", 120, 240, 615, 495);
    args.font = {true, 18};
    ui::Label big;
    big.Create(form, args);
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(H(big), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(-MulDiv(18, Dpi(LOGPIXELSY), 72), lf.lfHeight);
}

TEST_F(UiPeers, TextBoxReportsTypingFocusAndPaintsItsColour) {
    ui::TextBox box;
    box.Create(form, At("Search...", 120, 5280, 3615, 375), 0x808080);
    int changes = 0, gotFocus = 0, lostFocus = 0;
    box.onChange = [&] { ++changes; };
    box.onGotFocus = [&] { ++gotFocus; };
    box.onLostFocus = [&] { ++lostFocus; };

    box.SetText("");  // the program's own text is no typing
    EXPECT_EQ(0, changes);
    SendMessageA(H(box), WM_CHAR, 'm', 1);
    EXPECT_EQ(1, changes);
    EXPECT_EQ("m", box.Text());
    box.SetValue("Search...");
    EXPECT_EQ(2, changes);
    EXPECT_EQ("Search...", TextOf(H(box)));

    SetForegroundWindow(FormWindow());
    box.SetFocus();
    SetFocus(FormWindow());
    EXPECT_EQ(1, gotFocus);
    EXPECT_EQ(1, lostFocus);

    HDC dc = GetDC(H(box));
    SendMessageA(FormWindow(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(H(box)));
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), GetTextColor(dc));
    box.SetForeColor(0x80000012);  // the system's button text colour
    SendMessageA(FormWindow(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(H(box)));
    EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), GetTextColor(dc));
    ReleaseDC(H(box), dc);
}

TEST_F(UiPeers, ProgressBarShowsRangeAndValueAndSurvivesAnEmptyRange) {
    ui::ProgressBar bar;
    bar.Create(form, At("", 120, 1680, 3495, 255));
    bar.SetRange(0, 20);
    bar.SetValue(15);
    PBRANGE range{};
    SendMessageA(H(bar), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(0, range.iLow);
    EXPECT_EQ(20, range.iHigh);
    EXPECT_EQ(15, SendMessageA(H(bar), PBM_GETPOS, 0, 0));

    bar.SetRange(0, 0);
    bar.SetValue(0);
    UpdateWindow(H(bar));
    EXPECT_EQ(0, SendMessageA(H(bar), PBM_GETPOS, 0, 0));
}

TEST_F(UiPeers, PictureBoxStretchesItsPictureOverItsArea) {
    ui::PictureBox picture;
    picture.Create(form, At("", 120, 2000, 960, 960));
    picture.SetPicture(SolidBitmap(RGB(255, 0, 0), 4));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, 64, 64);
    HGDIOBJ old = SelectObject(dc, target);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = GetDlgCtrlID(H(picture));
    item.hwndItem = H(picture);
    item.hDC = dc;
    item.rcItem = {0, 0, 64, 64};
    SendMessageA(FormWindow(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 60, 60));
    SelectObject(dc, old);
    DeleteObject(target);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

class TreePeer : public UiPeers {
  protected:
    void SetUp() override {
        UiPeers::SetUp();
        images.Create(form);
        EXPECT_EQ(0, images.Add("browser", AppIcon()));
        EXPECT_EQ(1, images.Add("Application1", AppIcon()));
        tree.Create(form, At("", 120, 240, 3615, 4935));
        tree.SetImageList(&images);
        root = tree.Add("", "Quopa", "Quopa Drive", "");
        games = tree.Add("Quopa", "Games", "Games", "");
        item = tree.Add("Games", "application1", "Chess", "Application1");
        tree.Expand(*root);
        tree.Expand(*games);
    }
    HWND Tree() const { return H(tree); }
    HTREEITEM Item(const ui::TreeNode* node) const {
        return reinterpret_cast<HTREEITEM>(node->peerItem);
    }
    TVITEMA Get(HTREEITEM handle, char* text, int size) const {
        TVITEMA tv{};
        tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM | TVIF_HANDLE;
        tv.hItem = handle;
        tv.pszText = text;
        tv.cchTextMax = size;
        SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return tv;
    }
    HTREEITEM Next(UINT how, HTREEITEM from) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(Tree(), TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    }
    POINT CenterOf(const ui::TreeNode* node) const {
        // TVM_GETITEMRECT takes the item in the rectangle it fills.
        RECT r{};
        const HTREEITEM handle = Item(node);
        std::memcpy(&r, &handle, sizeof(handle));
        SendMessageA(Tree(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // A click as the mouse gives it: the release is already queued when the press arrives.
    void Click(const ui::TreeNode* node) {
        const POINT p = CenterOf(node);
        PostMessageA(Tree(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        SendMessageA(Tree(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        PumpUntil([] { return false; }, 100);
    }

    ui::ImageList images;
    ui::TreeView tree;
    ui::TreeNode *root = nullptr, *games = nullptr, *item = nullptr;
};

TEST_F(TreePeer, ViewHoldsTheNodesWithTextsParentsAndImages) {
    EXPECT_EQ(3, SendMessageA(Tree(), TVM_GETCOUNT, 0, 0));
    char text[64];
    HTREEITEM first = Next(TVGN_ROOT, nullptr);
    EXPECT_EQ(Item(root), first);
    EXPECT_STREQ("Quopa Drive", (Get(first, text, 64), text));
    HTREEITEM chess = Next(TVGN_CHILD, Next(TVGN_CHILD, first));
    const TVITEMA got = Get(chess, text, 64);
    EXPECT_STREQ("Chess", text);
    EXPECT_EQ(1, got.iImage);
    EXPECT_EQ(reinterpret_cast<LPARAM>(item), got.lParam);
    EXPECT_EQ(Item(games), Next(TVGN_PARENT, chess));

    tree.SetNodeText(*item, "Checkers");
    EXPECT_STREQ("Checkers", (Get(chess, text, 64), text));
    tree.Remove("Games");
    EXPECT_EQ(1, SendMessageA(Tree(), TVM_GETCOUNT, 0, 0));
}

TEST_F(TreePeer, ClickRaisesNodeClickButKeyboardOnlyMovesTheSelection) {
    std::vector<std::string> clicked;
    std::vector<int> keys;
    tree.onNodeClick = [&](ui::TreeNode& node) { clicked.push_back(node.key); };
    tree.onKeyDown = [&](int key) { keys.push_back(key); };

    Click(item);
    ASSERT_EQ(std::vector<std::string>{"application1"}, clicked);
    EXPECT_EQ(item, tree.SelectedItem());

    SendMessageA(Tree(), WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(games, tree.SelectedItem());
    EXPECT_EQ(1u, clicked.size());
    SendMessageA(Tree(), WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ((std::vector<int>{VK_UP, VK_DELETE}), keys);

    tree.Select(root);  // the program's own choice is no click either
    EXPECT_EQ(Item(root), Next(TVGN_CARET, nullptr));
    EXPECT_EQ(1u, clicked.size());
    tree.Remove("Quopa");
    EXPECT_EQ(nullptr, tree.SelectedItem());
    EXPECT_EQ(nullptr, Next(TVGN_CARET, nullptr));
}

TEST_F(TreePeer, NodeAtFindsTheNodeUnderAPoint) {
    const POINT p = CenterOf(item);
    const int x = MulDiv(p.x, 1440, Dpi(LOGPIXELSX)), y = MulDiv(p.y, 1440, Dpi(LOGPIXELSY));
    EXPECT_EQ(item, tree.NodeAt(x, y));
    EXPECT_EQ(nullptr, tree.NodeAt(x, 4800));
}

TEST_F(TreePeer, LabelEditStandsUnlessTheHandlerCancels) {
    bool refuse = false;
    tree.onAfterLabelEdit = [&](ui::LabelEditEvent& e) { e.cancel = refuse; };
    char text[64];
    const auto edit = [&](ui::TreeNode* node, const char* typed) {
        tree.StartLabelEdit(*node);
        HWND editor = reinterpret_cast<HWND>(SendMessageA(Tree(), TVM_GETEDITCONTROL, 0, 0));
        ASSERT_NE(nullptr, editor);
        SetWindowTextA(editor, typed);
        SendMessageA(Tree(), TVM_ENDEDITLABELNOW, FALSE, 0);
    };

    edit(item, "Go");
    EXPECT_EQ("Go", item->text);
    EXPECT_STREQ("Go", (Get(Item(item), text, 64), text));
    refuse = true;
    edit(root, "Mine");
    EXPECT_EQ("Quopa Drive", root->text);
    EXPECT_STREQ("Quopa Drive", (Get(Item(root), text, 64), text));
}

TEST_F(UiPeers, CloseIsRefusedWhileTheFormSaysSo) {
    bool refuse = true;
    int asked = 0;
    form.onQueryUnload = [&](ui::QueryUnloadEvent& e) {
        ++asked;
        e.cancel = refuse;
    };
    HWND hwnd = FormWindow();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, asked);
    EXPECT_TRUE(IsWindow(hwnd));

    form.onQueryUnload = [](ui::QueryUnloadEvent&) { throw std::runtime_error("handler"); };
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(hwnd));

    form.onQueryUnload = [&](ui::QueryUnloadEvent& e) { e.cancel = false; };
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(0u, form.Handle());
}

TEST_F(UiPeers, MinimisingRaisesResizeOnceAndRestoringShowsTheWindow) {
    Show();
    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    ShowWindow(FormWindow(), SW_MINIMIZE);  // as the user's minimise button does
    EXPECT_EQ(1, resizes);
    EXPECT_EQ(ui::WindowState::Minimized, form.State());

    form.Hide();
    form.SetWindowState(ui::WindowState::Normal);
    EXPECT_EQ(2, resizes);
    EXPECT_FALSE(IsWindowVisible(FormWindow()));
    form.Show();
    EXPECT_TRUE(IsWindowVisible(FormWindow()));
    EXPECT_FALSE(IsIconic(FormWindow()));
    EXPECT_EQ(2, resizes);

    form.SetWindowState(ui::WindowState::Minimized);
    EXPECT_TRUE(IsIconic(FormWindow()));
    EXPECT_EQ(3, resizes);
}

TEST_F(UiPeers, TrayMessageReachesTheFormAsItsMouseMessage) {
    std::vector<int> seen;
    form.onTrayNotify = [&](int message) { seen.push_back(message); };
    SendMessageA(FormWindow(), ui::kTrayCallbackMessage, 1, WM_LBUTTONUP);
    SendMessageA(FormWindow(), ui::kTrayCallbackMessage, 1, MAKELPARAM(WM_RBUTTONUP, 1));
    SendMessageA(FormWindow(), WM_MOUSEMOVE, 0, MAKELPARAM(514, 0));  // never a tray click
    EXPECT_EQ((std::vector<int>{WM_LBUTTONUP, WM_RBUTTONUP}), seen);
}

TEST_F(UiPeers, MessageLoopDispatchesAndEndsWithTheLastForm) {
    std::vector<int> seen;
    form.onTrayNotify = [&](int message) { seen.push_back(message); };
    PostMessageA(FormWindow(), ui::kTrayCallbackMessage, 1, WM_RBUTTONUP);
    PostQuitMessage(3);
    backend.DoEvents();
    EXPECT_EQ(std::vector<int>{WM_RBUTTONUP}, seen);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // left for Run

    PostMessageA(FormWindow(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0, backend.Run());
    EXPECT_EQ(0u, form.Handle());
}

TEST_F(UiPeers, MenuCommandsAndShortcutsReachTheirItems) {
    ui::MenuItem bar;
    ui::MenuItem& file = bar.Add({"&File"});
    ui::MenuItem& add = file.Add({"Add &New Item", 40, true, true, "Ctrl+I"});
    ui::MenuItem tray;
    ui::MenuItem& run = tray.Add({"R&un"});
    ui::MenuArray apps;
    apps.Create(run, 1000, 1, "App");
    apps.Load(7).SetCaption("Chess");
    int added = 0;
    std::vector<int> ran;
    add.onClick = [&] { ++added; };
    apps.onClick = [&](int index) { ran.push_back(index); };
    form.SetMenuBar(&bar);
    form.AddCommandSource(tray);

    SendMessageA(FormWindow(), WM_COMMAND, 40, 0);
    SendMessageA(FormWindow(), WM_COMMAND, 1007, 0);
    EXPECT_EQ(1, added);
    EXPECT_EQ(std::vector<int>{7}, ran);

    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    MSG msg{};
    msg.hwnd = FormWindow();
    msg.message = WM_KEYDOWN;
    msg.wParam = 'I';
    msg.lParam = 1;
    EXPECT_TRUE(ui::win32::Win32FormPeer::FromWindow(FormWindow())->PreTranslate(msg));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(2, added);
}

TEST(MenuShortcut, TextNamesKeyAndModifiers) {
    ACCEL a;
    ASSERT_TRUE(ui::win32::ParseShortcut("Ctrl+I", a));
    EXPECT_EQ(FVIRTKEY | FCONTROL, a.fVirt);
    EXPECT_EQ('I', a.key);
    ASSERT_TRUE(ui::win32::ParseShortcut("shift+F12", a));
    EXPECT_EQ(FVIRTKEY | FSHIFT, a.fVirt);
    EXPECT_EQ(VK_F12, a.key);
    ASSERT_TRUE(ui::win32::ParseShortcut("Del", a));
    EXPECT_EQ(VK_DELETE, a.key);
    EXPECT_FALSE(ui::win32::ParseShortcut("", a));
    EXPECT_FALSE(ui::win32::ParseShortcut("Ctrl+", a));
    EXPECT_FALSE(ui::win32::ParseShortcut("Hyper+X", a));
}

// Picks the first entry of the open pop-up menu and checks what the menu shows.
HMENU g_shown = nullptr;
std::vector<std::string> g_entries;
void CALLBACK ChooseFirst(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND menu = FindWindowA("#32768", nullptr);
    g_shown = menu ? reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)) : nullptr;
    for (int i = 0; g_shown && i < GetMenuItemCount(g_shown); ++i) {
        char text[64] = {};
        GetMenuStringA(g_shown, i, text, sizeof(text), MF_BYPOSITION);
        const UINT state = GetMenuState(g_shown, i, MF_BYPOSITION);
        std::string entry = text;
        if (state & MF_SEPARATOR) {
            entry += "|sep";
        } else {
            if (state & MF_GRAYED) entry += "|grey";
            if (state & MF_POPUP) entry += "|sub";
        }
        g_entries.push_back(entry);
    }
    keybd_event(VK_DOWN, 0, 0, 0);
    keybd_event(VK_DOWN, 0, KEYEVENTF_KEYUP, 0);
    keybd_event(VK_RETURN, 0, 0, 0);
    keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
}

TEST_F(UiPeers, PopupMenuShowsTheTreeAndRunsTheChosenEntry) {
    ui::MenuItem popup;
    ui::MenuItem& show = popup.Add({"&Show", 50});
    popup.Add({"-"});
    ui::MenuItem& run = popup.Add({"R&un", 0, false});
    run.Add({"App", 1001});
    popup.Add({"Gone", 51, true, false});
    popup.Add({"&Exit", 52, true, true, "Alt+F4"});
    int shown = 0;
    show.onClick = [&] { ++shown; };

    SetForegroundWindow(FormWindow());
    g_entries.clear();
    SetTimer(nullptr, 0, 200, ChooseFirst);
    form.PopupMenu(popup);
    EXPECT_EQ(&popup, form.LastPopup());
    EXPECT_EQ((std::vector<std::string>{"&Show", "|sep", "R&un|grey|sub", "&Exit\tAlt+F4"}),
              g_entries);
    EXPECT_EQ(1, shown);
}

TEST_F(UiPeers, TimerTicksOnItsContainerUntilStopped) {
    ui::Frame frame;
    auto hidden = At("Disk Info", 3840, 120, 3735, 2055);
    hidden.visible = false;
    frame.Create(form, hidden);
    ui::Timer timer;
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.Create(frame, 20, true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    timer.SetEnabled(false);
    const int stopped = ticks;
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(stopped, ticks);
}

TEST_F(UiPeers, ImageListStoresPicturesAndReusesSlotsNoKeyNeeds) {
    ui::ImageList images;
    images.Create(form);
    auto list = dynamic_cast<ui::win32::Win32ImageListPeer*>(images.Peer());
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(0, images.Add("browser", AppIcon()));
    EXPECT_EQ(1, images.Add("Application1", SolidBitmap(RGB(0, 0, 255), 32)));
    EXPECT_EQ(-1, images.Add("Application2", Picture()));
    EXPECT_EQ(2, ImageList_GetImageCount(list->get()));

    EXPECT_TRUE(images.Remove("Application1"));
    EXPECT_EQ(1, images.Add("Application3", AppIcon()));
    EXPECT_EQ(2, ImageList_GetImageCount(list->get()));
}

}  // namespace
