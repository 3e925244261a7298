// The hot key, the hot-key box and a program's version names, through the real system.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_file_versions.h"
#include "platform/win32/win32_hotkey.h"
#include "ui/form.h"
#include "ui/hotkey_box.h"
#include "ui/win32/win32_backend.h"

namespace {

constexpr platform::KeyCombo kCtrlShiftF11{platform::kModControl | platform::kModShift, VK_F11};

TEST(HotkeyService, ACombinationHeldElsewhereIsRefusedAndFreedOnUnregister) {
    platform::Win32Hotkey first, second;
    ASSERT_TRUE(first.Register(kCtrlShiftF11, [] {}));
    EXPECT_FALSE(second.Register(kCtrlShiftF11, [] {}));
    first.Unregister();
    EXPECT_TRUE(second.Register(kCtrlShiftF11, [] {}));
    EXPECT_TRUE(first.Register({}, [] {})) << "no combination asks nothing of the system";
}

TEST(HotkeyBoxPeer, TheSystemsBoxSpeaksInTheHotKeysModifiers) {
    ui::Win32Backend backend;
    ui::Form form{backend};
    form.Create({.caption = "Keys", .clientWidth = 3000, .clientHeight = 1000});
    ui::HotkeyBox box;
    box.Create(form, {.bounds = {120, 120, 2400, 315}});
    HWND hwnd = reinterpret_cast<HWND>(box.Handle());
    ASSERT_NE(hwnd, nullptr);

    box.SetCombo(kCtrlShiftF11);
    EXPECT_EQ(SendMessageA(hwnd, HKM_GETHOTKEY, 0, 0),
              MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_SHIFT));

    int changes = 0;
    box.onChange = [&] { ++changes; };
    SendMessageA(hwnd, HKM_SETHOTKEY, MAKEWORD('Q', HOTKEYF_ALT | HOTKEYF_SHIFT), 0);
    SendMessageA(reinterpret_cast<HWND>(form.Handle()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(hwnd), EN_CHANGE), reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(box.Combo(), (platform::KeyCombo{platform::kModAlt | platform::kModShift, 'Q'}));
}

// The launcher, built beside this test, carries version information of its own.
TEST(FileVersionsService, NamesComeFromTheVersionInformation) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string launcher = self;
    launcher = launcher.substr(0, launcher.find_last_of('\\') + 1) + "quopa.exe";
    platform::Win32FileVersions versions;
    EXPECT_EQ(versions.Names(launcher).fileDescription, "Quopa Application Launcher");
    const platform::VersionNames none = versions.Names("C:\\no such file.exe");
    EXPECT_TRUE(none.fileDescription.empty() && none.productName.empty());
}

}  // namespace
