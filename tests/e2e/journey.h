#pragma once
// A journey through the real quopa.exe, started from a folder of its own on the test drive
// (QUOPA_E2E_DRIVE, mapped by tests/e2e/with-drive): a table of steps, each an action on a
// target with an argument, read by one driver that acts as the user's mouse and keyboard do
// and checks what must follow.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "tests/e2e/remote.h"

namespace e2e {

enum class Do {
    Start,   // arg: nodes the tree reaches; target: the variable naming the build, else the release
    Exit,    // File, Exit (arg "itself": none): the program ends with 0, its tray icon gone
    Menu,    // arg: a command's number, as the menu posts it
    Dialog,  // target: a caption, once shown (after the command arg); the steps after act in it
    Fill,    // target: the first box's number; arg: its text and the next boxes', "|" between
    Pick,    // target: the list's number; arg: the entry, walked to with the arrow keys
    Press,   // target: a button's text, once it is there and enabled
    Close,   // Press, and the window goes; the steps after it act in the main window
    Answer,  // target: part of what the message box says; arg: "yes", else OK
    Shows,   // target: a child's text; arg "part": part of one; "no": no child has it in part
    Wizard,  // File, Add New Item: target: its category; arg: the field page's boxes
    Click,   // target: a node
    Delete,  // target: a node, then the Delete key
    Rename,  // target: a node; arg: its new name, through the label edit
    Search,  // arg: typed into the search box; empty: the box cleared and node target clicked
    Tree,    // arg: every node as "parent/text", "|" between
    Write,   // target: a file, in the folder unless a full path; arg: its bytes
    Add,     // arg: appended to the apps file; then both files checked
    Swap,    // target: replaced by arg in both files; then both checked
    Settings,  // arg: the whole settings file; then both checked
    Files,     // both data files as written, byte for byte
    Made,      // target: a file; arg: its bytes, once a program has written them
    Second,    // a second copy started; target: its refusal
    Hide,      // the close box
    Shown,     // up again after the command target; without one, the hot key: search box focused
    Keys,      // target: typed through the keyboard ("\r" is Enter)
    ReadOnly,  // both data files
    Dpi,       // target: the screen's dots per inch for the programs started after it
    Docked,    // right on the screen's edge, bottom on the taskbar; target: the least width
    Drop,      // target: a file let go on node arg
    Program,   // target: the drive program copied under that name; arg: copy, start, runs, ended
};

struct Step {
    Do act;
    std::string target = "";
    std::string arg = "";
};

std::string N(int command);

class Journey : public ::testing::Test {
  protected:
    Journey();
    void TearDown() override;
    void Run(const std::vector<Step>& steps);

    std::string drive_;   // "Q:"
    std::string folder_;  // where quopa.exe and its data files are
    std::unique_ptr<Launcher> launcher_;
    HWND main_ = nullptr, tree_ = nullptr, window_ = nullptr;

  private:
    void Act(const Step& step);
    void ExpectFiles();
    void ClickOn(HWND window, HTREEITEM node);
    void Settle() const;
    HTREEITEM Node(const std::string& text) const;
    std::string Path(const std::string& file) const;

    std::string apps_, settings_;
    std::map<std::string, std::unique_ptr<Launcher>> programs_;
    bool dpiSet_ = false;
};

}  // namespace e2e
