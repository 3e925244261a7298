// A small dialog run modally over a real window: the keys every Windows dialog answers
// (Tab, an access key, Enter, Esc) reach its controls through the system's dialog
// manager, and the owner is out of reach until the dialog is gone.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/window_probe.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/text_box.h"

namespace {

class DialogKeys : public ::testing::Test {
  protected:
    DialogKeys() {
        owner.Create({.caption = "Owner", .clientWidth = 6000, .clientHeight = 4000});
        owner.Show();
        dialog.Create(
            {.caption = "Sample", .clientWidth = 4500, .clientHeight = 2000, .dialog = true});
        first.Create(dialog, {.bounds = {120, 120, 2000, 315}});
        second.Create(dialog, {.bounds = {120, 600, 2000, 315}});
        apply.Create(dialog, {.text = "&Apply", .bounds = {120, 1200, 1200, 375}});
        ok.Create(dialog, {.text = "OK", .bounds = {1440, 1200, 1200, 375}, .isDefault = true});
        cancel.Create(dialog,
                      {.text = "Cancel", .bounds = {2760, 1200, 1200, 375}, .isCancel = true});
        apply.onClick = [this] { ++applied; };
        ok.onClick = [this] {
            ++oks;
            dialog.Close();
        };
        cancel.onClick = [this] {
            ++cancels;
            dialog.Unload();
        };
    }

    void Then(std::function<void()> step) { steps.Then(std::move(step)); }
    void RunDialog() {
        steps.Start();
        dialog.ShowModal(owner);
    }

    ui::Win32Backend backend;
    ui::Form owner{backend}, dialog{backend};
    ui::TextBox first, second;
    ui::Button apply, ok, cancel;
    PostedSteps steps{backend};
    int applied = 0, oks = 0, cancels = 0;
};

TEST_F(DialogKeys, TabAccessKeyAndEnterReachTheControlsWhileTheOwnerWaits) {
    bool tabbedToSecond = false;
    bool ownerEnabled = true;
    const HWND window = H(dialog);
    Then([&] {
        ownerEnabled = IsWindowEnabled(H(owner)) != FALSE;
        SetFocus(H(first));
        Key(VK_TAB);
    });
    Then([&] {
        tabbedToSecond = GetFocus() == H(second);
        AltKey('a');
    });
    Then([&] { Key(VK_RETURN); });
    RunDialog();
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(tabbedToSecond);
    EXPECT_EQ(1, applied);
    EXPECT_EQ(1, oks);
    EXPECT_EQ(0, cancels);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsWindowEnabled(H(owner)));
}

TEST_F(DialogKeys, EscPressesTheCancelButton) {
    Then([&] {
        SetFocus(H(first));
        Key(VK_ESCAPE);
    });
    RunDialog();
    EXPECT_EQ(1, cancels);
    EXPECT_EQ(0, oks);
    EXPECT_TRUE(IsWindowEnabled(H(owner)));
}

TEST_F(DialogKeys, DialogIsCentredOverItsOwnerWithADialogFrame) {
    RECT o{}, d{};
    LONG_PTR style = 0, exStyle = 0;
    HWND ownerOfDialog = nullptr;
    Then([&] {
        GetWindowRect(H(owner), &o);
        const HWND window = H(dialog);
        GetWindowRect(window, &d);
        style = GetWindowLongPtrA(window, GWL_STYLE);
        exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
        ownerOfDialog = GetWindow(window, GW_OWNER);
        dialog.Unload();
    });
    RunDialog();
    EXPECT_NEAR((o.left + o.right) / 2, (d.left + d.right) / 2, 2);
    EXPECT_NEAR((o.top + o.bottom) / 2, (d.top + d.bottom) / 2, 2);
    EXPECT_EQ(0, style & WS_MINIMIZEBOX);
    EXPECT_NE(0, exStyle & WS_EX_DLGMODALFRAME);
    EXPECT_EQ(H(owner), ownerOfDialog);
}

}  // namespace
