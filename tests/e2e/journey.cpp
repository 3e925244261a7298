#include "tests/e2e/journey.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <sstream>

namespace e2e {
namespace {

constexpr char kTitle[] = "Quopa Application Launcher";

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, '|');) parts.push_back(part);
    if (!text.empty() && text.back() == '|') parts.push_back("");
    return parts;
}

void SetText(HWND box, const std::string& text) {
    SendMessageA(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool TrayIcon(HWND main) {
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = main;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

// Keys as the keyboard sends them, to whichever window has the focus.
void Keys(std::vector<WORD> keys) {
    std::vector<INPUT> input(2 * keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        input[i].type = input[input.size() - 1 - i].type = INPUT_KEYBOARD;
        input[i].ki.wVk = input[input.size() - 1 - i].ki.wVk = keys[i];
        input[input.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    Sleep(100);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool Gone(HWND window) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

}  // namespace

std::string N(int command) {
    return std::to_string(command);
}

// A folder of its own on the test drive (QUOPA_E2E_DRIVE, mapped by the test's wrapper), so
// the caption and the %drive% token are known; a temporary folder on C: without one.
Journey::Journey() : drive_(Env("QUOPA_E2E_DRIVE")) {
    if (drive_.empty()) {
        folder_ = TempFolder("quopa-e2e-");
        drive_ = folder_.substr(0, 2);
    } else {
        folder_ = drive_ + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
}

void Journey::TearDown() {
    if (launcher_ && launcher_->Running()) {
        PostMessageA(main_, WM_COMMAND, quopa::cmd::kExit, 0);
        launcher_->WaitExit(10000);
    }
    HKEY key = nullptr;
    if (dpiSet_ && RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE,
                                 &key) == ERROR_SUCCESS) {
        if (hadDpi_)
            RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&oldDpi_), 4);
        else
            RegDeleteValueA(key, "LogPixels");
        RegCloseKey(key);
    }
}

void Journey::Run(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size() && !HasFatalFailure(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + steps[i].target + " " +
                     steps[i].arg.substr(0, 60));
        Act(steps[i]);
    }
}

void Journey::Act(const Step& step) {
    const std::string& target = step.target;
    const std::string& arg = step.arg;
    switch (step.act) {
        case Do::Start: {
            const std::string exe = folder_ + "\\quopa.exe";
            const std::string build = WinePath(Env(target.empty() ? "QUOPA_EXE" : target.c_str()));
            ASSERT_TRUE(CopyFileA(build.c_str(), exe.c_str(), FALSE)) << build;
            launcher_ = std::make_unique<Launcher>();
            ASSERT_TRUE(launcher_->Start(exe, folder_));
            window_ = main_ = launcher_->WaitWindow("QuopaMainWindow", 60000);
            ASSERT_NE(main_, nullptr);
            EXPECT_EQ(WindowText(main_), std::string(kTitle) + " [" + drive_ + "]");
            tree_ = FindChild(main_, WC_TREEVIEWA);
            // The window shows before the tree is built, last of the start-up.
            const auto count = [&] { return SendMessageA(tree_, TVM_GETCOUNT, 0, 0); };
            ASSERT_TRUE(WaitUntil([&] { return count() >= std::stoi(arg); }, 60000)) << count();
            EXPECT_TRUE(TrayIcon(main_));
            break;
        }
        case Do::Exit: {
            if (arg.empty()) PostMessageA(main_, WM_COMMAND, quopa::cmd::kExit, 0);
            DWORD code = 99;
            ASSERT_TRUE(launcher_->WaitExit(10000, &code)) << "File, Exit did not end it";
            EXPECT_EQ(code, 0u);
            EXPECT_FALSE(TrayIcon(main_)) << "a tray icon was left behind";
            break;
        }
        case Do::Menu:
            PostMessageA(main_, WM_COMMAND, std::stoi(target), 0);
            break;
        case Do::Dialog:
            window_ = launcher_->WaitWindow(nullptr, 10000, target);
            ASSERT_NE(window_, nullptr);
            break;
        case Do::Fill: {
            const std::vector<HWND> boxes = Children(window_, "Edit");
            std::size_t at = std::stoul(target);
            for (const std::string& text : Split(arg)) {
                ASSERT_LT(at, boxes.size());
                SetText(boxes[at++], text);
            }
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
            HWND button = nullptr;
            ASSERT_TRUE(WaitUntil(
                [&] {
                    button = FindChild(window_, "Button", target);
                    return button && IsWindowEnabled(button);
                },
                20000));
            // Posted: the button may open a modal window that would hold the sender.
            PostMessageA(button, BM_CLICK, 0, 0);
            if (step.act == Do::Press) break;
            ASSERT_TRUE(Gone(window_)) << "the window stayed";
            window_ = main_;
            break;
        }
        case Do::Tick: {
            HWND box = FindChild(window_, "Button", target);
            ASSERT_TRUE(box && IsWindowEnabled(box));
            if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != (arg == "1"))
                PostMessageA(box, BM_CLICK, 0, 0);
            break;
        }
        case Do::Answer: {
            HWND box = launcher_->WaitWindow("#32770");
            ASSERT_NE(box, nullptr) << "no message box";
            EXPECT_NE(WindowText(GetDlgItem(box, 0xFFFF)).find(target), std::string::npos)
                << WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageA(box, WM_COMMAND, arg == "yes" ? IDYES : IDOK, 0);
            EXPECT_TRUE(Gone(box));
            break;
        }
        case Do::Shows: {
            const auto shows = [&] {
                for (HWND child : Children(window_, nullptr)) {
                    const std::string text = WindowText(child);
                    if (text == target || (!arg.empty() && text.find(target) != text.npos))
                        return true;
                }
                return false;
            };
            EXPECT_EQ(WaitUntil(shows, arg == "no" ? 0 : 15000), arg != "no");
            break;
        }
        case Do::Wizard: {
            Run({{Do::Menu, N(quopa::cmd::kNew)}, {Do::Dialog, "Add new item"}});
            if (Split(arg).at(2).rfind("http", 0) == 0) Run({{Do::Press, "Web Link"}});
            Run({{Do::Press, "&Next"}});
            HWND finish = FindChild(window_, "Button", "&Finish");
            ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(finish); })) << "no field page";
            Run({{Do::Fill, "0", arg}, {Do::Pick, "0", target}});
            break;
        }
        case Do::Click:
        case Do::Delete: {
            RECT r = {};
            ASSERT_TRUE(ItemRect(tree_, launcher_->Process(), Node(target), r)) << target;
            ClickAt(tree_, MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
            if (step.act == Do::Delete) PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
            break;
        }
        case Do::Rename: {
            SetForegroundWindow(main_);
            HWND edit = reinterpret_cast<HWND>(
                SendMessageA(tree_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Node(target))));
            ASSERT_NE(edit, nullptr);
            SetText(edit, arg);
            // Posted: a refused rename answers with a message box before the message returns.
            PostMessageA(tree_, TVM_ENDEDITLABELNOW, FALSE, 0);
            Settle();
            break;
        }
        case Do::Search: {
            HWND search = FindChild(main_, "Edit");
            if (arg.empty()) SetText(search, "");
            if (arg.empty()) Run({{Do::Click, target}});
            EXPECT_TRUE(!arg.empty() || WindowText(search) == "Search...");
            if (!arg.empty()) ClickAt(search, MAKELPARAM(5, 5));
            for (char c : arg) PostMessageA(search, WM_CHAR, static_cast<unsigned char>(c), 1);
            Settle();
            break;
        }
        case Do::Tree: {
            std::string shown;
            WaitUntil(
                [&] {
                    shown.clear();
                    for (const RemoteNode& node : ReadTree(tree_, launcher_->Process()))
                        shown += (shown.empty() ? "" : "|") + node.path;
                    return shown == arg;
                },
                5000);
            EXPECT_EQ(shown, arg);
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
            ExpectFiles();
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
            EXPECT_EQ(WindowText(refusal), kTitle);
            EXPECT_EQ(WindowText(GetDlgItem(refusal, 0xFFFF)), target);
            PostMessageA(refusal, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(second.WaitExit(10000)) << "the second copy did not end";
            EXPECT_TRUE(IsWindowVisible(window_));
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
            EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }));
            EXPECT_FALSE(IsIconic(main_));
            break;
        case Do::ReadOnly:
            for (const char* name : {"quopa_apps.dat", "quopa_settings.dat"})
                SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_READONLY);
            break;
        case Do::Dpi: {
            // Wine reads the user's dots per inch when a program starts.
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr),
                      ERROR_SUCCESS);
            DWORD size = sizeof(oldDpi_), dpi = std::stoul(target);
            hadDpi_ = RegQueryValueExA(key, "LogPixels", nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&oldDpi_), &size) == ERROR_SUCCESS;
            dpiSet_ = RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<BYTE*>(&dpi),
                                     4) == ERROR_SUCCESS;
            RegCloseKey(key);
            break;
        }
        case Do::Docked: {
            // To the pixel a round trip through twips may cost.
            RECT r = {};
            GetWindowRect(main_, &r);
            APPBARDATA bar = {};
            bar.cbSize = sizeof(bar);
            SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
            EXPECT_NEAR(r.right, GetSystemMetrics(SM_CXSCREEN), 1);
            EXPECT_NEAR(r.bottom, GetSystemMetrics(SM_CYSCREEN) - (bar.rc.bottom - bar.rc.top), 1);
            EXPECT_GE(r.right - r.left, std::stoi(target));
            break;
        }
        case Do::HotKey: {
            HWND search = FindChild(main_, "Edit");
            Keys({VK_CONTROL, VK_SHIFT, VK_SPACE});
            Run({{Do::Shown}});
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(main_) == search; })) << "no focus";
            EXPECT_EQ(WindowText(search), "");
            break;
        }
        case Do::Keys:
            for (char c : target) Keys({c == '\r' ? WORD{VK_RETURN} : WORD(c)});
            break;
        case Do::Drop: {
            // What the shell hands a window that takes files: a block in its own memory.
            RECT r = {};
            ASSERT_TRUE(ItemRect(tree_, launcher_->Process(), Node(arg), r)) << arg;
            DROPFILES header = {};
            header.pFiles = sizeof(DROPFILES);
            header.pt = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            std::string block(sizeof(header), '\0');
            std::memcpy(block.data(), &header, sizeof(header));
            void* drop = Lend(launcher_->Process(), block + Path(target) + std::string(2, '\0'));
            PostMessageA(tree_, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
            break;
        }
        case Do::Program: {
            auto& program = programs_[target];
            const std::string exe = Path(target);
            const std::string build = WinePath(Env("QUOPA_DRIVE_PROGRAM"));
            ASSERT_TRUE(arg == "runs" || arg == "ended" ||
                        CopyFileA(build.c_str(), exe.c_str(), FALSE));
            if (arg == "start") {
                program = std::make_unique<Launcher>();
                ASSERT_TRUE(program->Start(exe, folder_));
                ASSERT_NE(program->WaitWindow("QuopaDriveProgram"), nullptr);
            }
            EXPECT_TRUE(arg != "runs" || program->Running());
            EXPECT_TRUE(arg != "ended" || program->WaitExit(10000)) << target << " runs on";
            break;
        }
    }
}

void Journey::ExpectFiles() {
    const auto same = [&] {
        return ReadFile(Path("quopa_apps.dat")) == apps_ &&
               ReadFile(Path("quopa_settings.dat")) == settings_;
    };
    if (WaitUntil(same, 5000)) return;
    EXPECT_EQ(ReadFile(Path("quopa_apps.dat")).substr(0, 4000), apps_.substr(0, 4000));
    EXPECT_EQ(ReadFile(Path("quopa_settings.dat")), settings_);
    ADD_FAILURE() << "the data files differ";
}

// A left click, as the mouse sends it.
void Journey::ClickAt(HWND window, LPARAM at) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
    Settle();
}

// Lets the launcher handle what was posted to it.
void Journey::Settle() const {
    DWORD_PTR ignored;
    SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    Sleep(200);
}

HTREEITEM Journey::Node(const std::string& text) const {
    for (const RemoteNode& node : ReadTree(tree_, launcher_->Process()))
        if (node.path == text || node.path.ends_with("/" + text)) return node.item;
    return nullptr;
}

std::string Journey::Path(const std::string& file) const {
    return file.find(':') != std::string::npos ? file : folder_ + "\\" + file;
}

}  // namespace e2e
