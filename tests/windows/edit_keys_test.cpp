// A menu shortcut that is also an editing key (Ctrl+C) copies in an edit box and runs its
// command everywhere else in the window.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/text_box.h"
#include "ui/win32/form_peer.h"
#include "ui/win32/win32_backend.h"

namespace {

class EditKeys : public ::testing::Test {
  protected:
    EditKeys() {
        form.Create({.caption = "Keys", .clientWidth = 6000, .clientHeight = 3000});
        command = &bar.Add({"&File"}).Add({.caption = "Add", .id = 300, .shortcut = "Ctrl+C"});
        command->onClick = [this] { ++commands; };
        form.SetMenuBar(&bar);
        box.Create(form, {.text = "copy me", .bounds = {120, 120, 2000, 315}});
        form.Show();
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
    }
    ~EditKeys() override {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    void CtrlC(HWND target) {
        MSG msg{target, WM_KEYDOWN, 'C', 1, 0, {}};
        auto* peer = ui::win32::Win32FormPeer::FromWindow(reinterpret_cast<HWND>(form.Handle()));
        ASSERT_NE(peer, nullptr);
        peer->PreTranslate(msg);
    }

    ui::Win32Backend backend;
    ui::Form form{backend};
    ui::MenuItem bar;
    ui::MenuItem* command = nullptr;
    ui::TextBox box;
    int commands = 0;
};

TEST_F(EditKeys, CtrlCStaysWithTheEditBoxAndRunsTheCommandElsewhere) {
    CtrlC(reinterpret_cast<HWND>(box.Handle()));
    EXPECT_EQ(commands, 0);
    CtrlC(reinterpret_cast<HWND>(form.Handle()));
    EXPECT_EQ(commands, 1);
}

}  // namespace
