#pragma once
// A journey through the real quopa.exe, started from a folder of its own on the test drive
// (QUOPA_E2E_DRIVE, mapped by tests/e2e/with-drive): a table of steps, each an action on a
// target with an argument, read by one driver that acts as the user's mouse and keyboard do
// and checks what must follow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <regex>

#include "app/command_ids.h"
#include "tests/e2e/remote.h"  // windows.h first

#include <shellapi.h>
#include <shlobj.h>

namespace e2e {

// The actions, each on the step's target with its argument:
//   Start     arg: nodes the tree reaches; target: the variable naming the build, else the release
//   Exit      File, Exit: the program ends with 0, its tray icon gone
//   Command   arg: a command's number, as the menu posts it, if any; target: the caption of
//             the dialog that shows, if any; the steps after act in that dialog
//   Fill      target: the first box's number, once it shows; arg: its text and the next
//             boxes', "|" between
//   Press     target: a button's text, once it is there and enabled
//   Close     Press, and the window goes; the steps after it act in the main window
//   Answer    target: part of what the message box says; arg: "yes", else OK
//   Shows     target: the text of a child of the window
//   Click     target: a node
//   Delete    target: a node, then the Delete key
//   Rename    target: a node; arg: its new name, through the label edit
//   Drop      target: a file let go on node arg
//   Tree      arg: every node as "parent/text", "|" between
//   Write     target: a file, in the folder unless a full path; arg: its bytes
//   Files     arg: appended to the apps file (with target "settings", the settings file);
//             then both data files checked, byte for byte, as the steps have written them
//   Swap      target: replaced by arg in both files; then both checked
//   Made      target: a file; arg: its bytes, once a program has written them
//   Hide      the close box; the program stays
//   Shown     the main window is up
//   Keys      target: keys pressed in turn, then let go in turn (Enter is "\r")
//   ReadOnly  both data files
//   Second    a second copy started; target: its refusal
//   Dpi       target: the screen's dots per inch for the programs started after it; arg: the
//             least width the docked window then has
// clang-format off
enum class Do { Start, Exit, Command, Fill, Press, Close, Answer, Shows, Click, Delete,
                Rename, Drop, Tree, Write, Files, Swap, Made, Hide, Shown, Keys, ReadOnly,
                Second, Dpi };
// clang-format on

struct Step {
    Do act;
    std::string target = "", arg = "";
};

inline const auto N = [](int command) { return std::to_string(command); };
inline const std::string kMark = "\xEF\xBB\xBF";

// An item as the wizard writes it.
inline std::string Item(int n, const std::string& name, const std::string& description,
                        const std::string& path, const std::string& category, int type = 0,
                        const std::string& parameters = "", const std::string& startIn = "",
                        const char* autorun = "0") {
    return "[Application" + std::to_string(n) + "]\r\nName=" + name +
           "\r\nDescription=" + description + "\r\nPath=" + path + "\r\nCategory=" + category +
           "\r\nAutorun=" + autorun + "\r\nType=" + std::to_string(type) + "\r\nParameters=\"" +
           parameters + "\"\r\nStartIn=" + startIn + "\r\nWindowStyle=Normal\r\n";
}

class Journey : public ::testing::Test {
  protected:
    // A program left running is ended by its launcher.
    Journey() { CreateDirectoryA(folder_.c_str(), nullptr); }
    ~Journey() {
        if (leastWidth_)
            RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    }
    void Run(const std::vector<Step>& steps) {
        for (std::size_t i = 0; i < steps.size() && !HasFatalFailure(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + steps[i].target + " " +
                         steps[i].arg.substr(0, 60));
            Act(steps[i].act, steps[i].target, steps[i].arg);
        }
    }
    std::string Path(const std::string& file) const {
        return file.find(':') != std::string::npos ? file : folder_ + "\\" + file;
    }

    const std::string drive_ = Env("QUOPA_E2E_DRIVE");  // "Q:"
    // Where quopa.exe and its data files are.
    const std::string folder_ =
        drive_ + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::unique_ptr<Launcher> launcher_;
    HWND main_ = nullptr, tree_ = nullptr, window_ = nullptr;

    // A node by its text or path; `middle` learns where its text is, in the tree's client
    // coordinates.
    HTREEITEM Node(const std::string& text, POINT* middle = nullptr) {
        nodes_.clear();
        ReadTree();
        for (const auto& [path, item] : nodes_) {
            if (path != text && !path.ends_with("/" + text)) continue;
            RECT r = {};
            std::memcpy(&r, &item, sizeof(item));  // the message takes the item in the rectangle
            r = Ask(TVM_GETITEMRECT, TRUE, r);
            if (middle) *middle = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            return item;
        }
        ADD_FAILURE() << "no node " << text;
        return nullptr;
    }

  private:
    // Sends the tree a message whose argument points at a copy of `value` in the program, and
    // reads the copy back.
    template <class T>
    T Ask(UINT message, WPARAM w, T value) const {
        WriteProcessMemory(launcher_->pi.hProcess, remote_, &value, sizeof(T), nullptr);
        SendMessageA(tree_, message, w, reinterpret_cast<LPARAM>(remote_));
        ReadProcessMemory(launcher_->pi.hProcess, remote_, &value, sizeof(T), nullptr);
        return value;
    }
    // Every node below `item` (the roots when null) as "|parent/text", in display order; the
    // nodes themselves go to nodes_.
    std::string ReadTree(HTREEITEM item = nullptr, const std::string& parent = "") {
        std::string shown;
        while (
            (item = reinterpret_cast<HTREEITEM>(SendMessageA(
                 tree_, TVM_GETNEXTITEM, shown.empty() ? TVGN_CHILD : TVGN_NEXT, (LPARAM)item)))) {
            struct {
                TVITEMW tv;
                wchar_t text[256];
            } asked = {{TVIF_TEXT | TVIF_HANDLE, item, 0, 0,
                        reinterpret_cast<wchar_t*>(remote_ + sizeof(TVITEMW)), 256},
                       {}};
            const std::string path = parent + Utf8(Ask(TVM_GETITEMW, 0, asked).text);
            nodes_[path] = item;
            shown += "|" + path + ReadTree(item, path + "/");
        }
        return shown;
    }
    void Act(Do act, const std::string& target, const std::string& arg);

    char* remote_ = nullptr;  // room for a message's argument in the program
    NOTIFYICONDATAA tray_ = {};
    std::map<std::string, HTREEITEM> nodes_;
    std::string apps_, settings_;
    int leastWidth_ = 0;  // set with the dots per inch, which the end puts back when set
};

inline void Journey::Act(Do act, const std::string& target, const std::string& arg) {
    switch (act) {
        case Do::Start:
            ASSERT_TRUE(CopyFileA(Env(target.empty() ? "QUOPA_EXE" : target.c_str()).c_str(),
                                  Path("quopa.exe").c_str(), FALSE));
            launcher_ = std::make_unique<Launcher>();
            ASSERT_TRUE(launcher_->Start(Path("quopa.exe"), folder_));
            ASSERT_TRUE(window_ = main_ = launcher_->WaitWindow("QuopaMainWindow", 60000));
            EXPECT_EQ(WindowText(main_), "Quopa Application Launcher [" + drive_ + "]");
            tree_ = FindChild(main_, WC_TREEVIEWA);
            tray_ = {NOTIFYICONDATAA_V1_SIZE, main_, 1};
            remote_ = static_cast<char*>(
                VirtualAllocEx(launcher_->pi.hProcess, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
            // The window shows before the tree is built, last of the start-up.
            ASSERT_TRUE(WaitUntil(
                [&] { return SendMessageA(tree_, TVM_GETCOUNT, 0, 0) >= std::stoi(arg); }, 60000));
            EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &tray_)) << "no tray icon";
            {  // docked on the taskbar at the screen's right, to the pixel twips may cost
                RECT r = {};
                APPBARDATA bar = {sizeof(bar)};
                GetWindowRect(main_, &r);
                SHAppBarMessage(ABM_GETTASKBARPOS, &bar);
                EXPECT_NEAR(r.right, GetSystemMetrics(SM_CXSCREEN), 1);
                EXPECT_NEAR(r.bottom, GetSystemMetrics(SM_CYSCREEN) - (bar.rc.bottom - bar.rc.top),
                            1);
                EXPECT_GE(r.right - r.left, leastWidth_);
            }
            break;
        case Do::Exit: {
            PostMessageA(main_, WM_COMMAND, quopa::cmd::kExit, 0);
            DWORD code = 99;
            EXPECT_TRUE(launcher_->WaitExit(10000, &code) && code == 0) << "no clean end";
            EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &tray_)) << "a tray icon was left behind";
            break;
        }
        case Do::Command:
            if (!arg.empty()) PostMessageA(main_, WM_COMMAND, std::stoi(arg), 0);
            window_ = target.empty() ? window_ : launcher_->WaitWindow(nullptr, 10000, target);
            ASSERT_NE(window_, nullptr) << "no such window";
            break;
        case Do::Fill: {
            const std::vector<HWND> boxes = Find(window_, "Edit");
            std::size_t at = std::stoul(target);
            ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(boxes.at(at)); }));
            std::istringstream texts(arg);
            for (std::string text; std::getline(texts, text, '|');)
                SetWindowTextW(boxes.at(at++), Wide(text).c_str());
            break;
        }
        case Do::Press:
        case Do::Close:
            ASSERT_TRUE(
                WaitUntil([&] { return IsWindowEnabled(FindChild(window_, "Button", target)); }));
            // Posted: the button may open a modal window that would hold the sender.
            PostMessageA(FindChild(window_, "Button", target), BM_CLICK, 0, 0);
            EXPECT_TRUE(act != Do::Close || WaitUntil([&] { return !IsWindowVisible(window_); }));
            window_ = act == Do::Close ? main_ : window_;
            break;
        case Do::Answer: {
            HWND box = launcher_->WaitWindow("#32770");
            ASSERT_NE(box, nullptr) << "no message box";
            EXPECT_NE(WindowText(GetDlgItem(box, 0xFFFF)).find(target), std::string::npos);
            PostMessageA(box, WM_COMMAND, arg == "yes" ? IDYES : IDOK, 0);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }));
            break;
        }
        case Do::Shows:
            EXPECT_TRUE(WaitUntil([&] { return FindChild(window_, nullptr, target); }, 15000));
            break;
        case Do::Click:
        case Do::Delete: {
            POINT p = {};  // a left click on the node's text, as the mouse sends it
            Node(target, &p);
            PostMessageA(tree_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            PostMessageA(tree_, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            if (act == Do::Delete) PostMessageA(tree_, WM_KEYDOWN, VK_DELETE, 1);
            Sleep(300);
            break;
        }
        case Do::Rename: {
            SetForegroundWindow(main_);
            const auto edit = reinterpret_cast<HWND>(
                SendMessageA(tree_, TVM_EDITLABELA, 0, reinterpret_cast<LPARAM>(Node(target))));
            ASSERT_NE(edit, nullptr);
            SetWindowTextW(edit, Wide(arg).c_str());
            // Posted: a refused rename answers with a message box before the message returns.
            PostMessageA(tree_, TVM_ENDEDITLABELNOW, FALSE, 0);
            Sleep(300);
            break;
        }
        case Do::Drop: {  // what the shell hands a window that takes files: a block in its memory
            DROPFILES header = {sizeof(DROPFILES)};
            Node(arg, &header.pt);
            const std::string drop = std::string(reinterpret_cast<char*>(&header), sizeof(header)) +
                                     Path(target) + std::string(2, '\0');
            WriteProcessMemory(launcher_->pi.hProcess, remote_ + 1024, drop.data(), drop.size(), 0);
            PostMessageA(tree_, WM_DROPFILES, reinterpret_cast<WPARAM>(remote_ + 1024), 0);
            break;
        }
        case Do::Tree:
            WaitUntil([&] { return ReadTree() == "|" + arg; }, 5000);
            EXPECT_EQ(ReadTree(), "|" + arg);
            break;
        case Do::Write:
            std::filesystem::create_directories(Wide(Path(target)).parent_path());
            WriteFile(Path(target), arg);
            if (target == "quopa_apps.dat") apps_ = arg;
            if (target == "quopa_settings.dat") settings_ = arg;
            break;
        case Do::Files:
        case Do::Swap:
            if (act == Do::Files) (target.empty() ? apps_ : settings_) += arg;
            for (std::string* file : {&apps_, &settings_}) {  // the targets hold no pattern
                if (act == Do::Swap) *file = std::regex_replace(*file, std::regex(target), arg);
                // Beyond ASCII, a data file is UTF-8 with its mark, whole.
                if (std::ranges::any_of(*file, [](char c) { return c & 0x80; }))
                    file->insert(0, file->starts_with(kMark) ? "" : kMark);
            }
            EXPECT_TRUE(WaitUntil([&] {
                return ReadFile(Path("quopa_apps.dat")) == apps_ &&
                       ReadFile(Path("quopa_settings.dat")) == settings_;
            })) << ReadFile(Path("quopa_apps.dat")).substr(0, 4000);
            break;
        case Do::Made:
            EXPECT_TRUE(WaitUntil([&] { return ReadFile(Path(target)) == arg; }, 15000))
                << ReadFile(Path(target));
            break;
        case Do::Hide:
            SendMessageA(main_, WM_CLOSE, 0, 0);
            EXPECT_TRUE(!IsWindowVisible(main_) && launcher_->Running());
            break;
        case Do::Shown:  // the main window, or the top-level window of the class named
            EXPECT_TRUE(WaitUntil([&] {
                HWND w = target.empty() ? main_ : FindWindowA(target.c_str(), nullptr);
                return w && IsWindowVisible(w) && !IsIconic(w);
            }));
            break;
        case Do::Keys:
            for (DWORD up : {0, KEYEVENTF_KEYUP})
                for (char key : target) keybd_event(key, 0, up, 0);
            Sleep(200);
            break;
        case Do::Second: {
            Launcher second;
            ASSERT_TRUE(second.Start(Path("quopa.exe"), folder_));
            HWND refusal = second.WaitWindow("#32770");
            EXPECT_EQ(WindowText(GetDlgItem(refusal, 0xFFFF)), target);
            PostMessageA(refusal, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(second.WaitExit(10000)) << "the second copy did not end";
            break;
        }
        case Do::Dpi: {  // Wine reads the user's dots per inch when a program starts
            const DWORD dpi = std::stoul(target);
            RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD,
                            &dpi, sizeof(dpi));
            leastWidth_ = std::stoi(arg);
            break;
        }
        case Do::ReadOnly:
            for (const char* name : {"quopa_apps.dat", "quopa_settings.dat"})
                SetFileAttributesA(Path(name).c_str(), FILE_ATTRIBUTE_READONLY);
            break;
    }
}

}  // namespace e2e
