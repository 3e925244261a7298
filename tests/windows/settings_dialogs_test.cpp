// The options, update and about windows on real windows and the system's services: typing
// and the access keys reach the options dialog, and the update check asks a server of the
// test's own.
#include "tests/windows/loopback_server.h"  // winsock2 before windows.h

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "context/app_context.h"
#include "info/frmAbout.h"
#include "info/frmUpdate.h"
#include "platform/win32/win32_services.h"
#include "settings/frmOptions.h"
#include "tests/windows/window_probe.h"

namespace {

using namespace loopback;

class SettingsWindows : public ::testing::Test {
  protected:
    SettingsWindows() {
        owner_.Create({.caption = "Owner", .clientWidth = 6000, .clientHeight = 4000});
        owner_.Show();
    }
    ~SettingsWindows() override {
        DeleteFileA((folder_ + "\\quopa_settings.dat").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Settings() const { return FileText(folder_ + "\\quopa_settings.dat"); }
    void Then(std::function<void()> step) { steps_.Then(std::move(step)); }
    void Next() { steps_.Start(); }

    const std::string folder_ = TempFolder("quopa_dlg_");
    platform::Win32Services services_{WM_APP + 1};
    quopa::modINI ini_{services_.files};
    quopa::ProgramState state_;
    ui::Win32Backend backend_;
    quopa::AppContext ctx_{backend_, services_.sys, ini_, state_, folder_};
    ui::Form owner_{backend_};
    PostedSteps steps_{backend_};
};

TEST_F(SettingsWindows, OptionsTakesATypedNameAndOkSavesIt) {
    int applied = 0;
    quopa::frmOptions dlg(ctx_, [&] { ++applied; });
    dlg.Create();
    HWND focusAtOpen = nullptr;
    const HWND apply = H(dlg.cmdApply);
    bool ownerEnabled = true;
    Then([&] {});  // the dialog's own focus request runs first
    Then([&] {
        focusAtOpen = GetFocus();
        ownerEnabled = IsWindowEnabled(H(owner_)) != FALSE;
        Type(H(dlg.txtUserName), "Ann Lee");
    });
    Then([&] { AltKey('o'); });
    Next();
    dlg.ShowModal(owner_);
    EXPECT_EQ(focusAtOpen, apply);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(dlg.txtUserName.Text(), "Ann Lee");
    EXPECT_FALSE(dlg.form.Loaded());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(Settings().rfind("[UserInfo]\r\nUserName=Ann Lee\r\n", 0), 0u) << Settings();
    EXPECT_TRUE(IsWindowEnabled(H(owner_)));
}

TEST_F(SettingsWindows, OptionsEscClosesWithoutSaving) {
    quopa::frmOptions dlg(ctx_, nullptr);
    dlg.Create();
    Then([&] { Type(H(dlg.txtCity), "X"); });
    Then([&] { Key(VK_ESCAPE); });
    Next();
    dlg.ShowModal(owner_);
    EXPECT_EQ(dlg.txtCity.Text(), "X");
    EXPECT_FALSE(dlg.form.Loaded());
    EXPECT_EQ(Settings(), "");
}

// The reply rules and the client's cap and time-out are checked on their own; here the
// dialog's real request reaches a real server.
TEST_F(SettingsWindows, UpdateCheckAsksTheServerWithTheFixedRequestAndShowsItsAnswer) {
    Winsock winsock;
    Server server(Response("200 OK", "1"));
    quopa::frmUpdate dlg(ctx_);
    dlg.host = server.Host();
    dlg.timeoutMs = 5000;
    dlg.Create();
    EXPECT_EQ(TextOf(H(dlg.Label1)), "This version of quopa is up to date.");
    EXPECT_EQ(dlg.Check2.Value(), 2);
    EXPECT_EQ(server.request.rfind(
                  "GET /infusions/license_system/update_check.php?app=2&version=1 HTTP/1.", 0),
              0u)
        << server.request;
}

TEST_F(SettingsWindows, AboutBoxShowsItsCaptionAndVersion) {
    quopa::frmAbout about(ctx_);
    about.Create();
    EXPECT_EQ(TextOf(H(about.form)), "About Quopa Application Launcher");
    EXPECT_EQ(TextOf(H(about.lblVersion)), "Version 1.0.0");
    EXPECT_EQ(ClassOf(H(about.cmdOK)), "Button");
    Then([&] { PostMessageA(H(about.form), WM_KEYDOWN, VK_ESCAPE, 1); });
    Next();
    about.ShowModal(owner_);
    EXPECT_FALSE(about.form.Loaded());
}

}  // namespace
