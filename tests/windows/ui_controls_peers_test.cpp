// The dialog controls' real windows: the kind and style of each, the pages that hide their
// controls, the option groups the dialog keys walk, and one event for each real change.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/windows/window_probe.h"
#include "ui/form.h"
#include "ui/win32/win32_backend.h"

namespace {

LONG StyleOf(HWND hwnd) {
    return GetWindowLongA(hwnd, GWL_STYLE);
}

// The add-item wizard's shape: a type page with an option group and the buttons, a field
// page with a list, a limited text box and a rule.
class ControlPeers : public ::testing::Test {
  protected:
    ControlPeers() {
        form.Create({.caption = "Controls",
                     .clientWidth = 5655,
                     .clientHeight = 5835,
                     .className = "QuopaControlsTest"});
        pages.Create(form, {.bounds = {0, 0, 5655, 5415}});
        ui::Page& chooseType = pages.AddPage("ChooseType");
        application.Create(chooseType, {.text = "Application", .bounds = {1680, 1320, 3135, 255}});
        web.Create(chooseType, {.text = "Web Link", .bounds = {1680, 1680, 3135, 255}});
        folder.Create(
            chooseType,
            {.text = "Link to a folder", .bounds = {1680, 2040, 3015, 255}, .enabled = false});
        next.Create(chooseType,
                    {.text = "&Next", .bounds = {4200, 4440, 1335, 375}, .isDefault = true});
        ui::Page& typeApp = pages.AddPage("TypeApp");
        title.Create(typeApp, {.bounds = {1920, 720, 3615, 375}, .maxLength = 30});
        rule.Create(typeApp, {.bounds = {120, 480, 5400, 0}});
        style.Create(typeApp, {.bounds = {1920, 3720, 3615, 315}});
        autorun.Create(typeApp,
                       {.text = "Start when Quopa starts", .bounds = {3600, 4080, 1935, 255}});
        for (const char* name : {"Normal", "Maximized", "Minimized"}) style.AddItem(name);
        application.onClick = Note("application");
        web.onClick = Note("web");
        autorun.onClick = Note("autorun");
        style.onClick = Note("style");
        title.onChange = Note("title");
    }
    std::function<void()> Note(const std::string& who) {
        return [this, who] { events.push_back(who); };
    }
    bool Checked(const ui::Control& control) {
        return SendMessageA(H(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    ui::Win32Backend backend;
    ui::Form form{backend};
    ui::PageControl pages;
    ui::OptionButton application, web, folder;
    ui::Button next;
    ui::TextBox title;
    ui::Line rule;
    ui::ComboBox style;
    ui::CheckBox autorun;
    std::vector<std::string> events;
};

TEST_F(ControlPeers, EachControlIsASystemWindowOfItsKind) {
    struct Expect {
        const ui::Control& control;
        const char* className;
        LONG kind, kindMask;
    };
    const Expect expected[] = {
        {application, "Button", BS_AUTORADIOBUTTON, BS_TYPEMASK},
        {next, "Button", BS_DEFPUSHBUTTON, BS_TYPEMASK},
        {autorun, "Button", BS_AUTOCHECKBOX, BS_TYPEMASK},
        {style, "ComboBox", CBS_DROPDOWNLIST, 3},
        {rule, "Static", SS_ETCHEDHORZ, SS_TYPEMASK},
        {title, "Edit", 0, 0},
    };
    for (const Expect& e : expected) {
        SCOPED_TRACE(e.className);
        EXPECT_EQ(e.className, ClassOf(H(e.control)));
        EXPECT_EQ(e.kind, StyleOf(H(e.control)) & e.kindMask);
    }
    EXPECT_FALSE(IsWindowEnabled(H(folder)));
    EXPECT_EQ(30, SendMessageA(H(title), EM_GETLIMITTEXT, 0, 0));
    RECT r{};
    GetWindowRect(H(rule), &r);
    EXPECT_GE(r.bottom - r.top, 2);  // designed with no height, drawn two pixels high
    EXPECT_TRUE(next.IsDefault());
}

TEST_F(ControlPeers, OnlyTheCurrentPageIsShownAndItHoldsItsControls) {
    HWND chooseType = H(pages.GetPage(0)), typeApp = H(pages.GetPage(1));
    EXPECT_EQ(H(pages), GetParent(chooseType));
    EXPECT_EQ(chooseType, GetParent(H(next)));
    EXPECT_EQ(typeApp, GetParent(H(style)));
    EXPECT_TRUE(StyleOf(chooseType) & WS_VISIBLE);
    EXPECT_FALSE(StyleOf(typeApp) & WS_VISIBLE);
    pages.SetCurrentPage(1);
    EXPECT_FALSE(StyleOf(chooseType) & WS_VISIBLE);
    EXPECT_TRUE(StyleOf(typeApp) & WS_VISIBLE);
}

// The first button of a group takes the group's Tab stop until the system moves it to the
// selected one; every other control is a group of its own. The arrow keys walk the enabled
// buttons of the group and nothing after it, which needs the controls in creation order.
TEST_F(ControlPeers, AnOptionGroupStartsAtItsFirstButtonAndArrowsWalkItsEnabledOnes) {
    EXPECT_EQ(WS_GROUP | WS_TABSTOP, StyleOf(H(application)) & (WS_GROUP | WS_TABSTOP));
    EXPECT_EQ(0, StyleOf(H(web)) & (WS_GROUP | WS_TABSTOP));
    EXPECT_TRUE(StyleOf(H(next)) & WS_GROUP);
    HWND page = H(pages.GetPage(0));
    EXPECT_EQ(H(web), GetNextDlgGroupItem(page, H(application), FALSE));
    EXPECT_EQ(H(application), GetNextDlgGroupItem(page, H(web), FALSE));
    EXPECT_EQ(H(next), GetNextDlgGroupItem(page, H(next), FALSE));
}

TEST_F(ControlPeers, ClicksAndTheProgramsChangesEachRaiseOneClickAndMoveTheMarks) {
    application.SetValue(true);
    EXPECT_TRUE(Checked(application));
    SendMessageA(H(web), BM_CLICK, 0, 0);
    EXPECT_TRUE(web.Value());
    EXPECT_FALSE(application.Value());
    EXPECT_FALSE(Checked(application));

    SendMessageA(H(autorun), BM_CLICK, 0, 0);
    EXPECT_EQ(1, autorun.Value());
    autorun.SetValue(0);
    EXPECT_FALSE(Checked(autorun));
    EXPECT_EQ((std::vector<std::string>{"application", "web", "autorun", "autorun"}), events);
}

TEST_F(ControlPeers, TheListsKeysAndTheProgramsIndexEachRaiseOneClick) {
    style.SetListIndex(0);
    EXPECT_EQ(0, SendMessageA(H(style), CB_GETCURSEL, 0, 0));
    SendMessageA(H(style), WM_KEYDOWN, VK_DOWN, 0);  // a closed list moves to the next entry
    EXPECT_EQ(1, style.ListIndex());
    EXPECT_EQ("Maximized", style.Text());
    style.Clear();
    EXPECT_EQ(0, SendMessageA(H(style), CB_GETCOUNT, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"style", "style"}), events);
}

TEST_F(ControlPeers, TypingStopsAtTheLimitWhileTheProgramsTextGoesIn) {
    for (int i = 0; i < 31; ++i) SendMessageA(H(title), WM_CHAR, 'a', 1);
    EXPECT_EQ(std::string(30, 'a'), title.Text());
    EXPECT_EQ(30u, events.size());
    title.SetText(std::string(40, 'b'));
    EXPECT_EQ(40, GetWindowTextLengthA(H(title)));
    EXPECT_EQ(31u, events.size());
}

}  // namespace
