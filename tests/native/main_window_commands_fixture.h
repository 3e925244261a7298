#pragma once
// A main window over a small apps file with categories whose names look like items'.
#include <sys/stat.h>

#include "tests/native/main_window_fixture.h"
#include "ui/headless/headless_tree_view.h"

namespace quopa::testing {

class CommandsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Put("quopa_apps.dat",
            "[Category1]\r\nName=Games\r\n[Category2]\r\nName=Web apps\r\n"
            "[Category3]\r\nName=Tools\r\n"
            "[Application1]\r\nName=Notepad\r\nDescription=Edits text\r\n"
            "Path=%drive%\\np.exe\r\nCategory=Tools\r\nType=0\r\n"
            "[Application2]\r\nName=Chess\r\nPath=%drive%\\chess.exe\r\nCategory=Games\r\n"
            "Type=0\r\n"
            "[Application3]\r\nName=Webmail\r\nDescription=music\r\nPath=http://mail.example\r\n"
            "Category=Web apps\r\nType=1\r\n"
            "[Application4]\r\nName=Drums\r\nPath=%drive%\\drums.exe\r\nCategory=games\r\n"
            "Type=0\r\n"
            "[Application5]\r\nName=Notes\r\nPath=%drive%\\notes.txt\r\nCategory=Games\r\n"
            "Type=0\r\n"
            "[Application6]\r\nName=Music\r\nPath=%drive%\\music.exe\r\nCategory=Tools\r\n"
            "Type=0\r\n");
        w_ = &Start();
    }
    std::string Read(const std::string& section, const char* key) {
        return ini_.ReadIni(section, key, "", w_->AppsFile());
    }
    ui::TreeNode& Node(const std::string& key) {
        ui::TreeNode* node = w_->TreeView1.Find(key);
        if (!node) throw std::runtime_error("no node " + key);
        return *node;
    }
    void Click(const std::string& key) { w_->TreeView1.UserSelected(&Node(key)); }
    // The user's right-button release over the node's row.
    void RightClick(const std::string& key, ui::MouseButton button = ui::MouseButton::Right) {
        const auto rows = ui::DisplayedRows(w_->TreeView1);
        int row = 0;
        while (rows[row]->Key() != key) ++row;
        w_->TreeView1.onMouseUp({button, 600, row * ui::HeadlessTreeViewPeer::kRowTwips + 100});
    }
    // The user's in-place rename, decided once the message loop comes to it; whether the
    // node shows another text then (it may have a new key).
    bool Rename(const std::string& key, const std::string& text) {
        const std::uint64_t serial = Node(key).Ref().serial;
        const std::string before = Node(key).Text();
        w_->TreeView1.UserEditedLabel(Node(key), text);
        backend_.DoEvents();
        for (const ui::TreeNode* node : w_->TreeView1.Nodes())
            if (node->Ref().serial == serial) return node->Text() != before;
        return false;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const ui::TreeNode* node : ui::DisplayedRows(w_->TreeView1))
            texts.push_back(node->Text());
        return texts;
    }
    void WriteProtect() { chmod(Host("quopa_apps.dat").c_str(), 0444); }
    std::string LastMessage() const {
        return desktop_.messages.empty() ? "" : desktop_.messages.back().text;
    }

    frmMain* w_ = nullptr;
};

}  // namespace quopa::testing
