#include "tests/e2e/journey.h"

#include <shellapi.h>
#include <shlobj.h>

namespace e2e {
namespace {

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts(1);
    for (char c : text) c == '|' ? parts.emplace_back() : parts.back() += c;
    return parts;
}

void SetText(HWND box, const std::string& text) {
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool TrayIcon(HWND main) {
    NOTIFYICONDATAA data = {NOTIFYICONDATAA_V1_SIZE, main, 1};
    return Shell_NotifyIconA(NIM_MODIFY, &data);
}

bool Gone(HWND window) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

}  // namespace

void Journey::Act(const Step& step) {
    const std::string &target = step.target, &arg = step.arg;
    HWND search = main_ ? FindChild(main_, "Edit") : nullptr;
    switch (step.act) {
        case Do::Start: {
            const std::string build = Env(target.empty() ? "QUOPA_EXE" : target.c_str());
            ASSERT_TRUE(CopyFileA(build.c_str(), Path("quopa.exe").c_str(), FALSE)) << build;
            launcher_ = std::make_unique<Launcher>();
            ASSERT_TRUE(launcher_->Start(Path("quopa.exe"), folder_));
            window_ = main_ = launcher_->WaitWindow("QuopaMainWindow", 60000);
            ASSERT_NE(main_, nullptr);
            EXPECT_EQ(WindowText(main_), "Quopa Application Launcher [" + drive_ + "]");
            tree_ = FindChild(main_, WC_TREEVIEWA);
            // The window shows before the tree is built, last of the start-up.
            ASSERT_TRUE(WaitUntil(
                [&] { return SendMessageA(tree_, TVM_GETCOUNT, 0, 0) >= std::stoi(arg); }, 60000));
            EXPECT_TRUE(TrayIcon(main_));
            break;
        }
        case Do::Exit: {
            PostMessageA(main_, WM_COMMAND, quopa::cmd::kExit, 0);
            DWORD code = 99;
            ASSERT_TRUE(launcher_->WaitExit(10000, &code)) << "it did not end";
            EXPECT_EQ(code, 0u);
            EXPECT_FALSE(TrayIcon(main_)) << "a tray icon was left behind";
            break;
        }
        case Do::Menu:
        case Do::Dialog:
            if (!arg.empty()) PostMessageA(main_, WM_COMMAND, std::stoi(arg), 0);
            if (step.act == Do::Menu) break;
            window_ = launcher_->WaitWindow(nullptr, 10000, target);
            ASSERT_NE(window_, nullptr);
            break;
        case Do::Fill: {
            const std::vector<HWND> boxes = Children(window_, "Edit");
            if (window_ == main_) {  // the search box, clicked into first
                PostMessageA(boxes.at(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                PostMessageA(boxes.at(0), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
                Settle();
            }
            std::size_t at = std::stoul(target);
            for (const std::string& text : Split(arg))
                if (at < boxes.size()) SetText(boxes[at++], text);
            break;
        }
        case Do::Pick: {
            HWND list = Children(window_, "ComboBox").at(std::stoul(target));
            SendMessageA(list, WM_KEYDOWN, VK_HOME, 1);
            for (int i = 0; i < 50 && WindowText(list) != arg; ++i)
                SendMessageA(list, WM_KEYDOWN, VK_DOWN, 1);
            EXPECT_EQ(WindowText(list), arg);
            break;
        }
        case Do::Press:
        case Do::Close: {
            ASSERT_TRUE(
                WaitUntil([&] { return IsWindowEnabled(FindChild(window_, "Button", target)); }));
            // Posted: the button may open a modal window that would hold the sender.
            PostMessageA(FindChild(window_, "Button", target), BM_CLICK, 0, 0);
            if (step.act == Do::Press) break;
            ASSERT_TRUE(Gone(window_)) << "the window stayed";
            window_ = main_;
            break;
        }
        case Do::Answer: {
            HWND box = launcher_->WaitWindow("#32770");
            ASSERT_NE(box, nullptr) << "no message box";
            const std::string text = WindowText(GetDlgItem(box, 0xFFFF));
            EXPECT_NE(text.find(target), std::string::npos) << text;
            PostMessageA(box, WM_COMMAND, arg == "yes" ? IDYES : IDOK, 0);
            EXPECT_TRUE(Gone(box));
            break;
        }
        case Do::Shows:
            EXPECT_TRUE(WaitUntil([&] { return FindChild(window_, nullptr, target); }, 15000));
            break;
        case Do::Wizard: {
            Run({{Do::Dialog, "Add new item", N(quopa::cmd::kNew)}});
            if (arg.find("|http") != std::string::npos) Run({{Do::Press, "Web Link"}});
            Run({{Do::Press, "&Next"}});
            ASSERT_TRUE(WaitUntil(
                [&] { return IsWindowVisible(FindChild(window_, "Button", "&Finish")); }));
            Run({{Do::Fill, "0", arg}, {Do::Pick, "0", target}});
            if (Split(arg).size() > 5) Run({{Do::Press, Split(arg)[5]}});
            Run({{Do::Close, "&Finish"}});
            break;
        }
        case Do::Click:
        case Do::Delete: {
            // A left click on the node's text, as the mouse sends it.
            RECT r = {};
            ASSERT_TRUE(ItemRect(tree_, launcher_->Process(), Node(target), r)) << "no node";
            const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
            PostMessageA(tree_, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(tree_, WM_LBUTTONUP, 0, at);
            if (step.act == Do::Delete) PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
            Settle();
            break;
        }
        case Do::Rename: {
            SetForegroundWindow(main_);
            auto edit = reinterpret_cast<HWND>(
                SendMessageA(tree_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Node(target))));
            ASSERT_NE(edit, nullptr);
            SetText(edit, arg);
            // Posted: a refused rename answers with a message box before the message returns.
            PostMessageA(tree_, TVM_ENDEDITLABELNOW, FALSE, 0);
            Settle();
            break;
        }
        case Do::Tree: {
            const auto shown = [&] {
                std::string nodes;
                for (const RemoteNode& node : ReadTree(tree_, launcher_->Process()))
                    nodes += (nodes.empty() ? "" : "|") + node.path;
                return nodes;
            };
            WaitUntil([&] { return shown() == arg; }, 5000);
            EXPECT_EQ(shown(), arg);
            break;
        }
        case Do::Write:
            SHCreateDirectoryExA(nullptr, Path(target).substr(0, Path(target).rfind('\\')).c_str(),
                                 nullptr);
            WriteFile(Path(target), arg);
            if (target == "quopa_apps.dat") apps_ = arg;
            if (target == "quopa_settings.dat") settings_ = arg;
            break;
        case Do::Add:
        case Do::Swap:
        case Do::Settings:
        case Do::Files:
            if (step.act == Do::Add) apps_ += arg;
            if (step.act == Do::Settings) settings_ = arg;
            for (std::string* file : {&apps_, &settings_})
                for (std::size_t at = 0;
                     step.act == Do::Swap && (at = file->find(target, at)) != std::string::npos;
                     at += arg.size())
                    file->replace(at, target.size(), arg);
            EXPECT_TRUE(WaitUntil([&] {
                return ReadFile(Path("quopa_apps.dat")) == apps_ &&
                       ReadFile(Path("quopa_settings.dat")) == settings_;
            })) << ReadFile(Path("quopa_apps.dat")).substr(0, 4000)
                << ReadFile(Path("quopa_settings.dat"));
            break;
        case Do::Made:
            EXPECT_TRUE(WaitUntil([&] { return ReadFile(Path(target)) == arg; }, 15000))
                << ReadFile(Path(target));
            break;
        case Do::Second: {
            Launcher second;
            ASSERT_TRUE(second.Start(folder_ + "\\quopa.exe", folder_));
            HWND refusal = second.WaitWindow("#32770");
            ASSERT_NE(refusal, nullptr) << "the second copy showed no message";
            EXPECT_EQ(WindowText(GetDlgItem(refusal, 0xFFFF)), target);
            PostMessageA(refusal, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(second.WaitExit(10000)) << "the second copy did not end";
            EXPECT_EQ(IsWindowEnabled(main_) != FALSE, window_ == main_)
                << "a dialog no longer holds the main window, or none came";
            break;
        }
        case Do::Hide:
            SendMessageA(main_, WM_CLOSE, 0, 0);
            EXPECT_FALSE(IsWindowVisible(main_));
            EXPECT_TRUE(launcher_->Running());
            break;
        case Do::Shown:
            if (!target.empty()) PostMessageA(main_, WM_COMMAND, std::stoi(target), 0);
            for (int i = 0; i < 6 && target.empty(); ++i)  // Ctrl+Shift+Space, down and up
                keybd_event("\x11\x10\x20"[i < 3 ? i : 5 - i], 0, i < 3 ? 0 : KEYEVENTF_KEYUP, 0);
            EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
            EXPECT_FALSE(IsIconic(main_));
            EXPECT_TRUE(!target.empty() || WaitUntil([&] {
                GUITHREADINFO info = {sizeof(info)};
                GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
                return info.hwndFocus == search && WindowText(search).empty();
            })) << "the search box has no focus";
            break;
        case Do::Keys:
            for (char c : target)
                for (DWORD up : {0, KEYEVENTF_KEYUP})
                    keybd_event(c == '\r' ? VK_RETURN : c, 0, up, 0);
            Sleep(200);
            break;
        case Do::ReadOnly:
            for (const char* name : {"quopa_apps.dat", "quopa_settings.dat"})
                SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        case Do::Dpi: {  // Wine reads the user's dots per inch when a program starts
            const DWORD dpi = std::stoul(target);
            dpiSet_ = !RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels",
                                       REG_DWORD, &dpi, sizeof(dpi));
            break;
        }
        case Do::Docked: {
            // To the pixel a round trip through twips may cost.
            RECT r = {};
            GetWindowRect(main_, &r);
            APPBARDATA bar = {sizeof(bar)};
            SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
            EXPECT_NEAR(r.right, GetSystemMetrics(SM_CXSCREEN), 1);
            EXPECT_NEAR(r.bottom, GetSystemMetrics(SM_CYSCREEN) - (bar.rc.bottom - bar.rc.top), 1);
            EXPECT_GE(r.right - r.left, std::stoi(target));
            break;
        }
        case Do::Drop: {
            // What the shell hands a window that takes files: a block in the window's memory.
            RECT r = {};
            ASSERT_TRUE(ItemRect(tree_, launcher_->Process(), Node(arg), r)) << arg;
            struct {
                DROPFILES header;
                char files[MAX_PATH + 2];
            } drop = {{sizeof(DROPFILES), {(r.left + r.right) / 2, (r.top + r.bottom) / 2}}, {}};
            Path(target).copy(drop.files, MAX_PATH);
            void* at = VirtualAllocEx(launcher_->Process(), nullptr, sizeof(drop), MEM_COMMIT,
                                      PAGE_READWRITE);
            WriteProcessMemory(launcher_->Process(), at, &drop, sizeof(drop), nullptr);
            PostMessageA(tree_, WM_DROPFILES, reinterpret_cast<WPARAM>(at), 0);
            break;
        }
    }
}

}  // namespace e2e
