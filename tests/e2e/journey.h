#pragma once
// A journey through the real quopa.exe, started from a folder of its own on the test drive
// (QUOPA_E2E_DRIVE, mapped by tests/e2e/with-drive): a table of steps, each an action on a
// target with an argument, read by one driver that acts as the user's mouse and keyboard do
// and checks what must follow.
#include <gtest/gtest.h>

#include <memory>

#include "app/command_ids.h"
#include "tests/e2e/remote.h"

namespace e2e {

// The actions, each on the step's target with its argument:
//   Start     arg: nodes the tree reaches; target: the variable naming the build, else the release
//   Exit      File, Exit: the program ends with 0, its tray icon gone
//   Menu      arg: a command's number, as the menu posts it
//   Dialog    target: a caption, once shown (after the command arg); the steps after act in it
//   Fill      target: the first box's number; arg: its text and the next boxes', "|" between
//   Pick      target: the list's number; arg: the entry, walked to with the arrow keys
//   Press     target: a button's text, once it is there and enabled
//   Close     Press, and the window goes; the steps after it act in the main window
//   Answer    target: part of what the message box says; arg: "yes", else OK
//   Shows     target: the text of a child of the window
//   Wizard    File, Add New Item: target: its category; arg: the field page's boxes, then a
//             check box to tick; Finish
//   Click     target: a node
//   Delete    target: a node, then the Delete key
//   Rename    target: a node; arg: its new name, through the label edit
//   Tree      arg: every node as "parent/text", "|" between
//   Write     target: a file, in the folder unless a full path; arg: its bytes
//   Add       arg: appended to the apps file; then both data files checked, byte for byte
//   Swap      target: replaced by arg in both files; then both checked
//   Settings  arg: the whole settings file; then both checked
//   Files     both data files as written
//   Made      target: a file; arg: its bytes, once a program has written them
//   Second    a second copy started; target: its refusal
//   Hide      the close box
//   Shown     up again after the command target; without one, the hot key: search box focused
//   Keys      target: typed through the keyboard ("\r" is Enter)
//   ReadOnly  both data files
//   Dpi       target: the screen's dots per inch for the programs started after it
//   Docked    right on the screen's edge, bottom on the taskbar; target: the least width
//   Drop      target: a file let go on node arg
// clang-format off
enum class Do { Start, Exit, Menu, Dialog, Fill, Pick, Press, Close, Answer, Shows, Wizard, Click,
                Delete, Rename, Tree, Write, Add, Swap, Settings, Files, Made, Second, Hide, Shown,
                Keys, ReadOnly, Dpi, Docked, Drop };
// clang-format on

struct Step {
    Do act;
    std::string target = "", arg = "";
};

inline const auto N = [](int command) { return std::to_string(command); };

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
    Journey() { CreateDirectoryA(folder_.c_str(), nullptr); }
    void TearDown() override {
        if (launcher_ && launcher_->Running())
            PostMessageA(main_, WM_COMMAND, quopa::cmd::kExit, 0);
        if (launcher_) launcher_->WaitExit(10000);
        if (dpiSet_) RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels");
    }
    void Run(const std::vector<Step>& steps) {
        for (std::size_t i = 0; i < steps.size() && !HasFatalFailure(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i + 1) + ": " + steps[i].target + " " +
                         steps[i].arg.substr(0, 60));
            Act(steps[i]);
        }
    }

    const std::string drive_ = Env("QUOPA_E2E_DRIVE");  // "Q:"
    // Where quopa.exe and its data files are.
    const std::string folder_ =
        drive_ + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::unique_ptr<Launcher> launcher_;
    HWND main_ = nullptr, tree_ = nullptr, window_ = nullptr;

  private:
    void Act(const Step& step);
    // Lets the launcher handle what was posted to it.
    void Settle() const {
        SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
        Sleep(200);
    }
    HTREEITEM Node(const std::string& text) const {
        for (const RemoteNode& node : ReadTree(tree_, launcher_->Process()))
            if (node.path == text || node.path.ends_with("/" + text)) return node.item;
        return nullptr;
    }
    std::string Path(const std::string& file) const {
        return file.find(':') != std::string::npos ? file : folder_ + "\\" + file;
    }

    std::string apps_, settings_;
    bool dpiSet_ = false;
};

}  // namespace e2e
