// The options, update and about windows on real windows and the system's services: typing
// and the access keys reach the options dialog, the update check asks a server of the
// test's own, and the registry lookup reads what the system stores.
#include "tests/windows/loopback_server.h"  // winsock2 before windows.h

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "app/app_context.h"
#include "info/frmAbout.h"
#include "info/frmUpdate.h"
#include "info/sys_info.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_http.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_running_programs.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_tray.h"
#include "settings/frmOptions.h"
#include "tests/windows/window_probe.h"
#include "ui/win32/win32_backend.h"

namespace {

using namespace loopback;

std::string WindowText(HWND hwnd) {
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

class SettingsWindows : public ::testing::Test {
  protected:
    static std::string MakeFolder() {
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        std::string folder =
            std::string(temp) + "quopa_dlg_" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
        return folder;
    }
    SettingsWindows() {
        owner_.Create({.caption = "Owner", .clientWidth = 6000, .clientHeight = 4000});
        owner_.Show();
    }
    ~SettingsWindows() override {
        DeleteFileA((folder_ + "\\quopa_settings.dat").c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(folder_ + "\\" + name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Runs `steps` in turn inside the next modal loop, each after the last one's messages.
    void Then(std::function<void()> step) { steps_.push_back(std::move(step)); }
    void Next() {
        if (steps_.empty()) return;
        auto step = std::move(steps_.front());
        steps_.erase(steps_.begin());
        backend_.Post([this, step] {
            step();
            Next();
        });
    }

    const std::string folder_ = MakeFolder();
    platform::Win32Files files_;
    platform::Win32Shell shell_;
    platform::Win32Desktop desktop_;
    platform::Win32Process process_;
    platform::Win32Tray tray_{WM_APP + 1};
    platform::Win32FileDialog fileDialog_;
    platform::Win32Pictures pictures_{files_};
    platform::Win32Registry registry_;
    platform::Win32Http http_;
    platform::Win32RunningPrograms programs_;
    platform::Services sys_{files_,      shell_,    desktop_,  process_, tray_,
                            fileDialog_, pictures_, registry_, http_,    programs_};
    quopa::modINI ini_{files_};
    quopa::ProgramState state_;
    ui::Win32Backend backend_;
    quopa::AppContext ctx_{backend_, sys_, ini_, state_, folder_};
    ui::Form owner_{backend_};
    std::vector<std::function<void()>> steps_;
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
        SetFocus(H(dlg.txtUserName));
        for (char c : std::string("Ann Lee")) PostMessageA(H(dlg.txtUserName), WM_CHAR, c, 1);
    });
    Then([&] { PostMessageA(GetFocus(), WM_SYSCHAR, 'o', 1 | (1 << 29)); });  // Alt+O
    Next();
    dlg.ShowModal(owner_);
    EXPECT_EQ(focusAtOpen, apply);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(dlg.txtUserName.Text(), "Ann Lee");
    EXPECT_FALSE(dlg.form.Loaded());
    EXPECT_EQ(applied, 1);
    EXPECT_EQ(Read("quopa_settings.dat").rfind("[UserInfo]\r\nUserName=Ann Lee\r\n", 0), 0u)
        << Read("quopa_settings.dat");
    EXPECT_TRUE(IsWindowEnabled(H(owner_)));
}

TEST_F(SettingsWindows, OptionsEscClosesWithoutSaving) {
    quopa::frmOptions dlg(ctx_, nullptr);
    dlg.Create();
    Then([&] {
        SetFocus(H(dlg.txtCity));
        PostMessageA(H(dlg.txtCity), WM_CHAR, 'X', 1);
    });
    Then([&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1); });
    Next();
    dlg.ShowModal(owner_);
    EXPECT_EQ(dlg.txtCity.Text(), "X");
    EXPECT_FALSE(dlg.form.Loaded());
    EXPECT_EQ(Read("quopa_settings.dat"), "");
}

class UpdateCheck : public SettingsWindows {
  protected:
    std::string Check(const std::string& host, unsigned timeoutMs = 5000) {
        quopa::frmUpdate dlg(ctx_);
        dlg.host = host;
        dlg.timeoutMs = timeoutMs;
        dlg.Create();
        checking = dlg.Check2.Value();
        return WindowText(H(dlg.Label1));
    }
    Winsock winsock_;
    int checking = -1;
};

TEST_F(UpdateCheck, AsksTheServerWithTheFixedRequestAndShowsItsAnswer) {
    Server server(Response("200 OK", "1"));
    EXPECT_EQ(Check(server.Host()), "This version of quopa is up to date.");
    EXPECT_EQ(checking, 2);
    EXPECT_EQ(server.request.rfind(
                  "GET /infusions/license_system/update_check.php?app=2&version=1 HTTP/1.", 0),
              0u)
        << server.request;
}

TEST_F(UpdateCheck, AMegabyteBodyFailsQuickly) {
    Server server("HTTP/1.1 200 OK\r\nContent-Length: 1048576\r\n\r\n", std::string(65536, '1'),
                  16);
    const auto start = Clock::now();
    EXPECT_EQ(Check(server.Host(), 10000), "Connection failed!");
    EXPECT_LT(Seconds(start), 3.0);
    EXPECT_EQ(checking, 0);
}

TEST_F(UpdateCheck, SilenceEndsAtTheTimeOutAndNoServerAtOnce) {
    {
        Server server("");  // accepts and never answers
        const auto start = Clock::now();
        EXPECT_EQ(Check(server.Host(), 1500), "Connection failed!");
        EXPECT_GE(Seconds(start), 1.2);
        EXPECT_LT(Seconds(start), 3.0);
    }
    unsigned short port = 0;
    closesocket(Listen(port));
    EXPECT_EQ(Check("127.0.0.1:" + std::to_string(port)), "Connection failed!");
}

TEST_F(SettingsWindows, AboutBoxShowsItsCaptionAndVersion) {
    quopa::frmAbout about(ctx_);
    about.Create();
    EXPECT_EQ(WindowText(H(about.form)), "About Quopa Application Launcher");
    EXPECT_EQ(WindowText(H(about.lblVersion)), "Version 1.0.0");
    EXPECT_EQ(ClassOf(H(about.cmdOK)), "Button");
    Then([&] { PostMessageA(H(about.form), WM_KEYDOWN, VK_ESCAPE, 1); });
    Next();
    about.ShowModal(owner_);
    EXPECT_FALSE(about.form.Loaded());
}

TEST(GetKeyValueOnTheSystem, ReadsTheRegistryForReadingOnly) {
    const std::string path =
        "Software\\QuopaTests\\KeyValue" + std::to_string(GetCurrentProcessId());
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    auto set = [&](const char* name, DWORD type, const std::string& bytes) {
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
    };
    set("Path", REG_SZ, std::string("C:\\Tools\\info.exe\0", 18));
    set("Number", REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4));
    set("Long", REG_SZ, std::string(2000, 'y') + '\0');
    platform::Win32Registry registry;
    const auto user = platform::RegistryRoot::CurrentUser;
    std::string value;
    EXPECT_TRUE(quopa::GetKeyValue(registry, user, path, "Path", value));
    EXPECT_EQ(value, "C:\\Tools\\info.exe");
    EXPECT_TRUE(quopa::GetKeyValue(registry, user, path, "Number", value));
    EXPECT_EQ(value, "-1");
    EXPECT_FALSE(quopa::GetKeyValue(registry, user, path, "Long", value));
    EXPECT_EQ(value, "");
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());

    // A value the system itself keeps under the machine's key.
    EXPECT_TRUE(quopa::GetKeyValue(registry, platform::RegistryRoot::LocalMachine,
                                   "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                   "CurrentVersion", value));
    EXPECT_FALSE(value.empty());
}

}  // namespace
