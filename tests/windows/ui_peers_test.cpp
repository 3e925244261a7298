// The win32 peers seen from outside, as a user or an accessibility tool sees them: real
// windows of the right class, text, place and state, and events from what the user does.
// The objects' own rules are checked headless; here only what the real windows add.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "tests/windows/window_probe.h"
#include "ui/form.h"
#include "ui/image_list.h"
#include "ui/text_box.h"
#include "ui/timer.h"
#include "ui/tree_view.h"
#include "ui/win32/form_peer.h"
#include "ui/win32/menu_builder.h"
#include "ui/win32/tray_message.h"
#include "ui/win32/win32_backend.h"

namespace {

using platform::Picture;
using Rect = std::array<LONG, 4>;  // left, top, right, bottom

int Dpi(int axis) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, axis);
    ReleaseDC(nullptr, dc);
    return dpi;
}

// The rectangle a set of twips must give, in pixels of the parent's client area.
Rect Expected(const ui::Bounds& b) {
    const int x = Dpi(LOGPIXELSX), y = Dpi(LOGPIXELSY);
    const int left = MulDiv(b.left, x, 1440), top = MulDiv(b.top, y, 1440);
    return {left, top, left + MulDiv(b.width, x, 1440), top + MulDiv(b.height, y, 1440)};
}

Rect InParent(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

Rect ClientOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

// What a menu shows: each entry's text, with its separator, greyed and submenu marks.
std::vector<std::string> EntriesOf(HMENU menu) {
    std::vector<std::string> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof(text), MF_BYPOSITION);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        std::string entry = text;
        if (state & MF_SEPARATOR) entry += "|sep";
        if (!(state & MF_SEPARATOR) && (state & MF_GRAYED)) entry += "|grey";
        if (!(state & MF_SEPARATOR) && (state & MF_POPUP)) entry += "|sub";
        entries.push_back(entry);
    }
    return entries;
}

// Runs the message loop for a while.
void Pump(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

void DestroyPicture(Picture::Kind kind, std::uintptr_t handle) {
    if (kind == Picture::Kind::Icon) DestroyIcon(reinterpret_cast<HICON>(handle));
    if (kind == Picture::Kind::Bitmap) DeleteObject(reinterpret_cast<HBITMAP>(handle));
}

// A bitmap of one colour, given as 0x00RRGGBB.
Picture SolidBitmap(DWORD color, int size) {
    const std::vector<DWORD> bits(size * size, color);
    HBITMAP bitmap = CreateBitmap(size, size, 1, 32, bits.data());
    return Picture(Picture::Kind::Bitmap, reinterpret_cast<std::uintptr_t>(bitmap), DestroyPicture);
}

ui::ControlArgs At(const std::string& text, int left, int top, int width, int height,
                   bool visible = true) {
    ui::ControlArgs args;
    args.text = text;
    args.bounds = {left, top, width, height};
    args.visible = visible;
    return args;
}

class UiPeers : public ::testing::Test {
  protected:
    UiPeers() {
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
        ASSERT_TRUE(IsWindowVisible(Window()));
    }
    HWND Window() const { return H(form); }
    // A key pressed with a modifier held down, as the message loop hands it on.
    void Press(HWND target, WPARAM key, BYTE modifier = 0) {
        BYTE keys[256] = {};
        keys[modifier] = 0x80;
        SetKeyboardState(keys);
        PostMessageA(target, WM_KEYDOWN, key, 1);
        backend.DoEvents();
        keys[modifier] = 0;
        SetKeyboardState(keys);
    }

    ui::Win32Backend backend;
    ui::Form form{backend};
};

// Chooses the first entry of the pop-up menu open by then, as the keyboard does.
void CALLBACK ChooseFirst(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    for (BYTE key : {BYTE{VK_DOWN}, BYTE{VK_RETURN}}) {
        keybd_event(key, 0, 0, 0);
        keybd_event(key, 0, KEYEVENTF_KEYUP, 0);
    }
}

TEST_F(UiPeers, FormKeepsItsClientAreaUnderTheMenuBarAndItsMenusRunTheirCommands) {
    EXPECT_EQ("QuopaPeersTest", ClassOf(Window()));
    EXPECT_EQ("Peers", TextOf(Window()));
    const LONG style = GetWindowLongA(Window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    EXPECT_EQ(Expected({0, 0, 7500, 5790}), ClientOf(Window()));

    ui::MenuItem bar;
    ui::MenuItem& add = bar.Add({"&File"}).Add({"Add &New Item", 40, true, true, "Ctrl+I"});
    bar.Add({"Hidden", 0, true, false}).Add({"&Secret", 42});
    int added = 0;
    add.onClick = [&] { ++added; };
    form.SetMenuBar(&bar);
    EXPECT_EQ(std::vector<std::string>{"&File|sub"}, EntriesOf(GetMenu(Window())));
    EXPECT_EQ(Expected({0, 0, 7500, 5790}), ClientOf(Window()));

    SendMessageA(Window(), WM_COMMAND, 40, 0);  // the menu's command id
    Press(Window(), 'I', VK_CONTROL);
    EXPECT_EQ(2, added);

    ui::MenuItem popup;
    popup.Add({"&Show", 50}).onClick = [&] { ++added; };
    popup.Add({"-"});
    popup.Add({"R&un", 0, false}).Add({"App", 1001});
    popup.Add({"Gone", 51, true, false});
    popup.Add({"&Exit", 52, true, true, "Alt+F4"});
    ui::win32::MenuBuilder builder;
    EXPECT_EQ((std::vector<std::string>{"&Show", "|sep", "R&un|grey|sub", "&Exit\tAlt+F4"}),
              EntriesOf(builder.BuildPopup(popup).get()));
    SetForegroundWindow(Window());
    SetTimer(nullptr, 0, 200, ChooseFirst);
    form.PopupMenu(popup);
    EXPECT_EQ(3, added);

    RECT outer;
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(MulDiv(outer.bottom - outer.top, 1440, Dpi(LOGPIXELSY)), form.GetBounds().height);
    form.SetWidth(6000);
    GetWindowRect(Window(), &outer);
    EXPECT_EQ(MulDiv(6000, Dpi(LOGPIXELSX), 1440), outer.right - outer.left);
}

// The sidebar's shape in small: controls on the form, a frame with two of its own, and a
// hidden frame over it.
class PeerLayout : public UiPeers {
  protected:
    PeerLayout() {
        Show();
        auto big = At("&Name", 120, 240, 1935, 495);
        big.font = {true, 18};
        label.Create(form, big);
        button.Create(form, {.text = "&Run", .bounds = {4080, 4680, 3255, 495}, .enabled = false});
        box.Create(form, {.text = "Search...", .bounds = {120, 5280, 3615, 375}});
        bar.Create(form, At("", 120, 1680, 3495, 255));
        picture.Create(form, At("", 120, 2000, 960, 960));
        tree.Create(form, {At("", 120, 3000, 3615, 1500)});
        info.Create(form, At("User Info", 3840, 120, 3735, 2055));
        go.Create(info, {.text = "Go", .bounds = {120, 240, 1000, 300}});
        inside.Create(info, At("Phone: ", 120, 1440, 2775, 255));
        disk.Create(form, At("Disk Info", 3840, 120, 3735, 2055, false));
    }

    ui::Label label, inside;
    ui::Button button, go;
    ui::TextBox box;
    ui::ProgressBar bar;
    ui::PictureBox picture;
    ui::TreeView tree;
    ui::Frame info, disk;
};

TEST_F(PeerLayout, ControlsAreChildWindowsOfTheirClassWithTextPlaceStateAndFont) {
    struct Expect {
        const ui::Control& control;
        const char *className, *text;
        bool enabled, visible;
    };
    const Expect expected[] = {
        {label, "Static", "&Name", true, true},
        {button, "Button", "&Run", false, true},
        {box, "Edit", "Search...", true, true},
        {bar, PROGRESS_CLASSA, "", true, true},
        {picture, "Static", "", true, true},
        {tree, WC_TREEVIEWA, "", true, true},
        {info, "QuopaFrame", "User Info", true, true},
        {disk, "QuopaFrame", "Disk Info", true, false},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.text);
        HWND hwnd = H(e.control);
        EXPECT_EQ(Window(), GetParent(hwnd));
        EXPECT_EQ(e.className, ClassOf(hwnd));
        EXPECT_EQ(e.text, TextOf(hwnd));
        EXPECT_EQ(e.enabled, IsWindowEnabled(hwnd) != FALSE);
        EXPECT_EQ(e.visible, IsWindowVisible(hwnd) != FALSE);
        EXPECT_EQ(Expected(e.control.GetBounds()), InParent(hwnd));
        EXPECT_NE(nullptr, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    }
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(H(label), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(-MulDiv(18, Dpi(LOGPIXELSY), 72), lf.lfHeight);
    EXPECT_EQ(H(info), GetParent(H(inside)));
    EXPECT_EQ(Expected({120, 1440, 2775, 255}), InParent(H(inside)));

    button.SetEnabled(true);
    label.SetText("Disk space used:");
    label.SetLeft(240);
    EXPECT_TRUE(IsWindowEnabled(H(button)));
    EXPECT_EQ("Disk space used:", TextOf(H(label)));
    EXPECT_EQ(Expected({240, 240, 1935, 495}), InParent(H(label)));
}

TEST_F(PeerLayout, AnEarlierControlCoversALaterOneUntilThatIsBroughtToTheFront) {
    const Rect r = Expected(info.GetBounds());
    const POINT corner{r[0] + 20, r[1] + 20};
    disk.SetVisible(true);
    EXPECT_EQ(H(info), ChildWindowFromPointEx(Window(), corner, CWP_SKIPINVISIBLE));
    disk.BringToFront();
    EXPECT_EQ(H(disk), ChildWindowFromPointEx(Window(), corner, CWP_SKIPINVISIBLE));
}

TEST_F(PeerLayout, TabWalksTheStopsInCreationOrderIntoTheFrameAndRound) {
    const std::tuple<HWND, bool, HWND> tabs[] = {
        {H(button), false, H(box)}, {H(box), false, H(tree)}, {H(tree), false, H(go)},
        {H(go), false, H(button)},  {H(button), true, H(go)}, {H(go), true, H(tree)}};
    button.SetEnabled(true);
    for (const auto& [from, back, to] : tabs) {
        SetFocus(from);
        Press(from, VK_TAB, back ? VK_SHIFT : 0);
        EXPECT_EQ(to, GetFocus());
    }
}

TEST_F(PeerLayout, AFrameCarriesItsControlsNotificationsAndHidesThemWithIt) {
    int clicks = 0;
    go.onClick = [&] { ++clicks; };
    SendMessageA(H(go), BM_CLICK, 0, 0);  // its notification goes to the frame
    EXPECT_EQ(1, clicks);
    info.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(H(inside)));
    EXPECT_TRUE(inside.Visible());
    info.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(H(inside)));
}

TEST_F(PeerLayout, ProgressBarShowsItsValueAndNeverGetsAnEmptyRange) {
    bar.SetRange(0, 20);
    bar.SetValue(15);
    EXPECT_EQ(15, SendMessageA(H(bar), PBM_GETPOS, 0, 0));
    EXPECT_EQ(20, SendMessageA(H(bar), PBM_GETRANGE, FALSE, 0));
    bar.SetRange(0, 0);  // a drive under 50 MB: the window gets no empty range to divide by
    EXPECT_LT(0, SendMessageA(H(bar), PBM_GETRANGE, FALSE, 0));
}

TEST_F(PeerLayout, PictureIsStretchedOverTheWholeAreaTheWindowAsksToHaveDrawn) {
    picture.SetPicture(SolidBitmap(0xFF0000, 4));
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateBitmap(64, 64, 1, 32, nullptr);
    SelectObject(dc, target);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.CtlID = GetDlgCtrlID(H(picture));
    item.hwndItem = H(picture);
    item.hDC = dc;
    item.rcItem = {0, 0, 64, 64};
    SendMessageA(Window(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 60, 60));
    DeleteDC(dc);
    DeleteObject(target);
}

TEST_F(UiPeers, TextBoxReportsEachChangeOnceAndFocusButNotDuringTeardownAndPaintsItsColour) {
    ui::TextBox box;
    box.Create(form, {.text = "Search...",
                      .bounds = {120, 5280, 3615, 375},
                      .foreColor = ui::Color::Rgb(0x80, 0x80, 0x80)});
    int changes = 0, gotFocus = 0, lostFocus = 0;
    box.onChange = [&] { ++changes; };
    box.onGotFocus = [&] { ++gotFocus; };
    box.onLostFocus = [&] { ++lostFocus; };
    box.SetText("");  // the edit control's own EN_CHANGE for it is not counted again
    EXPECT_EQ(1, changes);
    EXPECT_EQ("", TextOf(H(box)));
    SendMessageA(H(box), WM_CHAR, 'm', 1);
    EXPECT_EQ(2, changes);
    EXPECT_EQ("m", box.Text());

    SetForegroundWindow(Window());
    box.SetFocus();
    SetFocus(Window());
    EXPECT_EQ(1, gotFocus);
    EXPECT_EQ(1, lostFocus);

    HDC dc = GetDC(H(box));
    const auto paint = [&] {
        SendMessageA(Window(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(H(box)));
        return GetTextColor(dc);
    };
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), paint());
    box.SetForeColor(ui::Color::System(ui::SystemColor::ButtonText));
    EXPECT_EQ(GetSysColor(COLOR_BTNTEXT), paint());
    ReleaseDC(H(box), dc);

    box.SetFocus();  // the focus it loses while the form is torn down raises nothing
    SendMessageA(Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, form.Handle());
    EXPECT_EQ(1, lostFocus);
}

// GotFocus and LostFocus are the user going between the window's controls. Another window
// coming to the front and this one coming back is neither: the search box would empty
// itself on the way back and leave the tree narrowed.
TEST_F(UiPeers, TextBoxFocusEventsSkipTheWindowGoingToTheBackgroundAndBack) {
    Show();
    ui::TextBox box;
    box.Create(form, {.text = "note", .bounds = {120, 5280, 3615, 375}});
    ui::TreeView tree;
    tree.Create(form, {At("", 120, 240, 3615, 4935)});
    int gotFocus = 0, lostFocus = 0;
    box.onGotFocus = [&] { ++gotFocus; };
    box.onLostFocus = [&] { ++lostFocus; };
    SetForegroundWindow(Window());
    box.SetFocus();
    ASSERT_EQ(1, gotFocus);

    ui::Form other{backend};
    other.Create({.caption = "Other", .clientWidth = 3000, .clientHeight = 2000});
    other.Show();
    SetForegroundWindow(H(other));
    ASSERT_EQ(H(other), GetActiveWindow());
    SetForegroundWindow(Window());
    EXPECT_EQ(H(box), GetFocus()) << "the window gives the box its focus back";
    EXPECT_EQ(1, gotFocus);
    EXPECT_EQ(0, lostFocus);

    tree.SetFocus();
    EXPECT_EQ(1, lostFocus);
}

TEST_F(UiPeers, TrayMessagesArriveAsTheirOwnMessageAndCloseNeedsConsent) {
    std::vector<ui::TrayMouse> seen;
    form.onTrayNotify = [&](ui::TrayMouse mouse) { seen.push_back(mouse); };
    SendMessageA(Window(), ui::kTrayCallbackMessage, 1, WM_LBUTTONUP);
    SendMessageA(Window(), ui::kTrayCallbackMessage, 1, MAKELPARAM(WM_RBUTTONUP, 1));
    SendMessageA(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(514, 0));  // never a tray click
    PostMessageA(Window(), ui::kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK);
    PostQuitMessage(3);
    backend.DoEvents();
    EXPECT_EQ((std::vector<ui::TrayMouse>{ui::TrayMouse::LeftUp, ui::TrayMouse::RightUp,
                                          ui::TrayMouse::LeftDoubleClick}),
              seen);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));  // left for Run

    int asked = 0;
    form.onQueryUnload = [&](ui::QueryUnloadEvent& e) {
        ++asked;
        e.cancel = true;
    };
    const HWND hwnd = Window();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, asked);
    EXPECT_TRUE(IsWindow(hwnd));
    form.onQueryUnload = [](ui::QueryUnloadEvent&) { throw std::runtime_error("handler"); };
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindow(hwnd));
    form.onQueryUnload = nullptr;
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, backend.Run());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(0u, form.Handle());
}

TEST_F(UiPeers, MinimisingRaisesResizeOnceAndRestoringShowsTheWindow) {
    Show();
    int resizes = 0;
    form.onResize = [&] { ++resizes; };
    ShowWindow(Window(), SW_MINIMIZE);  // as the user's minimise button does
    EXPECT_EQ(1, resizes);
    EXPECT_EQ(ui::WindowState::Minimized, form.State());

    form.Hide();
    form.SetWindowState(ui::WindowState::Normal);
    EXPECT_EQ(2, resizes);
    EXPECT_FALSE(IsWindowVisible(Window()));
    form.Show();
    EXPECT_TRUE(IsWindowVisible(Window()));
    EXPECT_FALSE(IsIconic(Window()));
    EXPECT_EQ(2, resizes);

    form.SetWindowState(ui::WindowState::Minimized);
    EXPECT_TRUE(IsIconic(Window()));
    EXPECT_EQ(3, resizes);
}

TEST_F(UiPeers, TimerTicksOnItsContainerUntilStopped) {
    ui::Frame frame;
    frame.Create(form, At("Disk Info", 3840, 120, 3735, 2055, false));
    ui::Timer timer;
    int ticks = 0;
    timer.onTimer = [&] { ++ticks; };
    timer.Create(frame, {.interval = 20});
    Pump(300);
    EXPECT_GE(ticks, 2);
    timer.SetEnabled(false);
    const int stopped = ticks;
    Pump(200);
    EXPECT_EQ(stopped, ticks);
}

}  // namespace
