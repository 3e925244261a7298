// The win32 peers seen from outside, as a user or an accessibility tool sees them: real
// windows of the right kind, text, place and state, and one event for each real change.
// The objects' own rules are checked headless; here only what the real windows add.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/win32/win32_shell.h"
#include "tests/windows/window_probe.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/hotkey_box.h"
#include "ui/line.h"
#include "ui/option_button.h"
#include "ui/page_control.h"
#include "ui/simple_controls.h"
#include "ui/text_box.h"
#include "ui/timer.h"
#include "ui/win32/tray_message.h"

namespace {

class UiPeers : public ::testing::Test {
  protected:
    UiPeers() { form.Create({"Peers", {}, 7500, 5790, true, true, false, "QuopaPeersTest"}); }
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
    std::function<void()> Note(const std::string& who) {
        return [this, who] { events.push_back(who); };
    }

    ui::Win32Backend backend;
    ui::Form form{backend};
    Strings events;
};

TEST_F(UiPeers, FormsMenusAndShortcutsRunTheirCommands) {
    EXPECT_EQ(WS_MINIMIZEBOX, GetWindowLongA(Window(), GWL_STYLE) &
                                  (WS_MINIMIZEBOX | WS_THICKFRAME | WS_MAXIMIZEBOX));
    ui::MenuItem bar;
    ui::MenuItem& file = bar.Add({"&File"});
    file.Add({"Add &New Item", 40, true, true, "Ctrl+I"}).onClick = Note("add");
    file.Add({"Copy", 41, true, true, "Ctrl+C"}).onClick = Note("copy");
    bar.Add({"Hidden", 0, true, false}).Add({"&Secret", 42});
    form.SetMenuBar(&bar);
    char shown[16] = {};  // the hidden menu left out
    GetMenuStringA(GetMenu(Window()), 0, shown, sizeof(shown), MF_BYPOSITION);
    EXPECT_EQ("&File 1", shown + (" " + std::to_string(GetMenuItemCount(GetMenu(Window())))));
    ui::TextBox box;
    box.Create(form, {.text = "copy me", .bounds = {120, 120, 2000, 315}});
    SendMessageA(Window(), WM_COMMAND, 40, 0);  // the menu's command id
    Press(Window(), 'I', VK_CONTROL);
    Press(H(box), 'C', VK_CONTROL);  // an editing key stays with the edit box
    Press(Window(), 'C', VK_CONTROL);
    EXPECT_EQ((Strings{"add", "add", "copy"}), events);
}

// The sidebar and the item wizard in small: controls on the form, a frame with a button of
// its own, and pages with an option group, a list and a limited box.
// Shown, as focus needs: without a window manager, Wine waits 2 s for it to go away.
class PeerLayout : public UiPeers {
  protected:
    PeerLayout() {
        form.Show();
        label.Create(form, {.text = "&Name", .bounds = {120, 240, 1935, 495}, .font = {true, 18}});
        button.Create(form, {.text = "&Run", .bounds = {4080, 4680, 3255, 495}, .enabled = false});
        box.Create(form, {.text = "Search...", .bounds = {120, 5280, 3615, 375}});
        bar.Create(form, {.bounds = {120, 1680, 3495, 255}});
        info.Create(form, {.text = "User Info", .bounds = {3840, 120, 3735, 2055}});
        go.Create(info, {.text = "Go", .bounds = {120, 240, 1000, 300}});
        pages.Create(form, {.bounds = {3840, 2300, 3600, 2300}});
        ui::Page& type = pages.AddPage("ChooseType");
        application.Create(type, {.text = "Application", .bounds = {120, 120, 3000, 255}});
        web.Create(type, {.text = "Web Link", .bounds = {120, 480, 3000, 255}});
        folder.Create(type, {.text = "Folder", .bounds = {120, 840, 3000, 255}, .enabled = false});
        next.Create(type, {.text = "&Next", .bounds = {120, 1320, 1335, 375}, .isDefault = true});
        ui::Page& fields = pages.AddPage("TypeApp");
        title.Create(fields, {.bounds = {120, 120, 3000, 375}, .maxLength = 30});
        rule.Create(fields, {.bounds = {120, 600, 3000, 0}});
        style.Create(fields, {.bounds = {120, 720, 3000, 315}});
        autorun.Create(fields, {.text = "Start with Quopa", .bounds = {120, 1200, 3000, 255}});
        hotkey.Create(form, {.bounds = {120, 1000, 2400, 315}});
        for (const char* name : {"Normal", "Maximized", "Minimized"}) style.AddItem(name);
        for (auto* option : {&application, &web}) option->onClick = Note(option->Text());
        autorun.onClick = Note("autorun");
        style.onClick = Note("style");
        title.onChange = Note("title");
        box.onChange = Note("box");
        box.onGotFocus = Note("box got focus");
        box.onLostFocus = Note("box lost focus");
        go.onClick = Note("go");
        hotkey.onChange = Note("hotkey");
    }

    ui::Label label;
    ui::Button button, go, next;
    ui::TextBox box, title;
    ui::ProgressBar bar;
    ui::Frame info;
    ui::PageControl pages;
    ui::OptionButton application, web, folder;
    ui::Line rule;
    ui::ComboBox style;
    ui::CheckBox autorun;
    ui::HotkeyBox hotkey;
};

TEST_F(PeerLayout, ControlsTakeTheirFontPlaceAndVisibility) {
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(H(label), WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(-MulDiv(18, Dpi(LOGPIXELSY), 72), lf.lfHeight);
    RECT r{};
    GetWindowRect(H(rule), &r);
    EXPECT_GE(r.bottom - r.top, 2) << "no height, drawn 2 pixels high";

    label.SetLeft(240);  // twips, at this machine's dpi
    GetWindowRect(H(label), &r);
    MapWindowPoints(nullptr, Window(), reinterpret_cast<POINT*>(&r), 2);
    const int x = Dpi(LOGPIXELSX), y = Dpi(LOGPIXELSY);
    EXPECT_TRUE(r.left == MulDiv(240, x, 1440) && r.top == MulDiv(240, y, 1440) &&
                r.right - r.left == MulDiv(1935, x, 1440) &&
                r.bottom - r.top == MulDiv(495, y, 1440));
    info.SetVisible(false);
    EXPECT_TRUE(!IsWindowVisible(H(go)) && go.Visible());

    bar.SetRange(0, 20);
    bar.SetValue(15);
    EXPECT_EQ(15, SendMessageA(H(bar), PBM_GETPOS, 0, 0));
    bar.SetRange(0, 0);  // a drive under 50 MB: the window gets no empty range to divide by
    EXPECT_LT(0, SendMessageA(H(bar), PBM_GETRANGE, FALSE, 0));
}

// Tab walks the stops in creation order, into the frame and the page and round; an option
// group is one stop.
TEST_F(PeerLayout, TabWalksTheStopsIntoFramesAndPagesAndRound) {
    button.SetEnabled(true);
    const HWND stops[] = {H(button), H(box), H(go), H(application), H(next), H(hotkey), H(button)};
    for (int i = 0; i + 1 < 7; ++i) {
        SetFocus(stops[i]);
        Press(stops[i], VK_TAB);
        EXPECT_EQ(stops[i + 1], GetFocus()) << i;
        Press(stops[i + 1], VK_TAB, VK_SHIFT);
        EXPECT_EQ(stops[i], GetFocus()) << i;
    }
}

TEST_F(PeerLayout, EachClickKeyAndProgramChangeRaisesOneEvent) {
    SendMessageA(H(go), BM_CLICK, 0, 0);  // its notification goes to the frame
    application.SetValue(true);
    const auto checked = [](const ui::Control& c) { return SendMessageA(H(c), BM_GETCHECK, 0, 0); };
    EXPECT_EQ(BST_CHECKED, checked(application));
    SendMessageA(H(web), BM_CLICK, 0, 0);
    EXPECT_TRUE(web.Value() && !application.Value() && !checked(application));
    SendMessageA(H(autorun), BM_CLICK, 0, 0);
    EXPECT_EQ(1, autorun.Value());
    autorun.SetValue(0);
    EXPECT_EQ(BST_UNCHECKED, checked(autorun));
    style.SetListIndex(0);
    SendMessageA(H(style), WM_KEYDOWN, VK_DOWN, 0);  // a closed list moves to the next entry
    EXPECT_EQ("Maximized", style.Text());
    style.Clear();
    EXPECT_EQ(0, SendMessageA(H(style), CB_GETCOUNT, 0, 0));
    EXPECT_EQ((Strings{"go", "Application", "Web Link", "autorun", "autorun", "style", "style"}),
              events);

    events.clear();
    for (int i = 0; i < 31; ++i) SendMessageA(H(title), WM_CHAR, 'a', 1);
    EXPECT_EQ(std::string(30, 'a'), title.Text()) << "typing stops at the limit";
    title.SetText(std::string(40, 'b'));
    EXPECT_EQ(40, GetWindowTextLengthA(H(title))) << "the program's text goes in";
    EXPECT_EQ(31u, events.size());
}

// Keys typed for real, with the system's key state, through the dialog manager: the
// modifiers read as the key comes, Tab left to the dialog.
TEST_F(PeerLayout, TheHotKeyBoxTakesTypedCombinationsAndLeavesTabToTheDialog) {
    SetForegroundWindow(Window());
    hotkey.SetFocus();
    const auto type = [&](std::initializer_list<WORD> keys) {
        std::vector<INPUT> input;
        for (WORD key : keys) input.push_back({INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
        for (WORD key : keys)
            input.push_back({INPUT_KEYBOARD, {.ki = {key, 0, KEYEVENTF_KEYUP, 0, 0}}});
        SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
        backend.DoEvents();
        return TextOf(H(hotkey));
    };
    EXPECT_EQ("Ctrl+Shift+Space", type({VK_CONTROL, VK_SHIFT, VK_SPACE}));
    EXPECT_EQ("Alt+Space", type({VK_MENU, VK_SPACE}));
    EXPECT_EQ("Ctrl+Win+K", type({VK_CONTROL, VK_LWIN, 'K'}));
    EXPECT_EQ("None", type({VK_BACK}));
    EXPECT_TRUE(hotkey.Combo().Empty() && events == Strings(4, "hotkey"));
    type({VK_TAB});
    EXPECT_EQ(H(box), GetFocus()) << "on to the next stop";
}

// The hot key's Alt, let go once the window is up, must not open the menu bar and take the
// typing; the user's own Alt still does.
TEST_F(PeerLayout, TheHotKeysAltLetGoAfterItOpensNoMenuTheUsersOwnDoes) {
    ui::MenuItem bar;
    bar.Add({"&File"}).Add({"Add &New Item", 40}).onClick = Note("add");
    form.SetMenuBar(&bar);
    SetForegroundWindow(Window());
    SetFocus(Window());
    const auto altThenFileNew = [&] {
        std::vector<INPUT> input;
        for (WORD key : {WORD(VK_MENU), WORD('F'), WORD('N')})
            for (DWORD up : {DWORD(0), DWORD(KEYEVENTF_KEYUP)})
                input.push_back({INPUT_KEYBOARD, {.ki = {key, 0, up, 0, 0}}});
        SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
        backend.DoEvents();
        return std::count(events.begin(), events.end(), "add");
    };
    form.IgnoreAltRelease();
    EXPECT_EQ(0, altThenFileNew());
    EXPECT_EQ(1, altThenFileNew());
}

TEST_F(PeerLayout, TextBoxReportsEachChangeAndFocusOnceButNotDuringTeardown) {
    box.SetText("");  // the edit control's own EN_CHANGE for it is not counted again
    SendMessageA(H(box), WM_CHAR, 'm', 1);
    EXPECT_EQ("m", box.Text());
    SetForegroundWindow(Window());
    box.SetFocus();
    hotkey.SetFocus();
    box.SetFocus();
    // Another window coming to the front and this one coming back is not the user going
    // between controls: the search box would empty itself and leave the tree narrowed.
    ui::Form other{backend};
    other.Create({.caption = "Other", .clientWidth = 3000, .clientHeight = 2000});
    other.Show();
    SetForegroundWindow(H(other));
    ASSERT_EQ(H(other), GetActiveWindow());
    SetForegroundWindow(Window());
    EXPECT_EQ(H(box), GetFocus()) << "the window gives the box its focus back";
    EXPECT_EQ((Strings{"box", "box", "box got focus", "box lost focus", "box got focus"}), events);

    SendMessageA(Window(), WM_CLOSE, 0, 0);  // the focus the box loses raises nothing
    EXPECT_TRUE(form.Handle() == 0u && events.size() == 5u);
}

// The tray's messages are the form's own; a quit posted meanwhile is left for Run.
TEST_F(UiPeers, TrayMinimiseAndTimerMessagesArriveAsTheirOwnAndCloseNeedsConsent) {
    std::vector<ui::TrayMouse> seen;
    form.onTrayNotify = [&](ui::TrayMouse mouse) { seen.push_back(mouse); };
    SendMessageA(Window(), ui::kTrayCallbackMessage, 1, WM_LBUTTONUP);
    SendMessageA(Window(), ui::kTrayCallbackMessage, 1, MAKELPARAM(WM_RBUTTONUP, 1));
    PostMessageA(Window(), ui::kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK);
    PostQuitMessage(3);
    backend.DoEvents();
    EXPECT_EQ((std::vector<ui::TrayMouse>{ui::TrayMouse::LeftUp, ui::TrayMouse::RightUp,
                                          ui::TrayMouse::LeftDoubleClick}),
              seen);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    int asked = 0;
    form.onQueryUnload = [&](ui::QueryUnloadEvent& e) { e.cancel = ++asked; };
    const HWND hwnd = Window();
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
    form.onQueryUnload = [](ui::QueryUnloadEvent&) { throw std::runtime_error("handler"); };
    SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(asked == 1 && IsWindow(hwnd));
    form.onQueryUnload = nullptr;
    form.Show();
    int resizes = 0, ticks = 0;
    form.onResize = [&] { ++resizes; };
    ShowWindow(Window(), SW_MINIMIZE);  // as the user's minimise button does
    EXPECT_TRUE(resizes == 1 && form.State() == ui::WindowState::Minimized);
    ui::Timer timer;
    timer.onTimer = [&] { ++ticks; };
    timer.Create(form, {.interval = 20});
    for (int i = 0; i < 60; ++i, Sleep(5)) backend.DoEvents();
    timer.SetEnabled(false);
    const int stopped = ticks;
    for (int i = 0; i < 40; ++i, Sleep(5)) backend.DoEvents();
    EXPECT_TRUE(stopped >= 2 && ticks == stopped) << ticks;
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, backend.Run());
    EXPECT_TRUE(!IsWindow(hwnd) && form.Handle() == 0u);
}

}  // namespace
