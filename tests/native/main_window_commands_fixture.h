#pragma once
// A main window over a small apps file with categories whose names look like items'.
#include "tests/native/main_window_fixture.h"
#include "ui/headless/headless_tree_view.h"

namespace quopa::testing {

// The height in twips of a point on the row of `key`.
inline int RowY(const ui::TreeView& tree, const std::string& key) {
    const auto rows = ui::DisplayedRows(tree);
    int row = 0;
    while (rows[row]->Key() != key) ++row;
    return row * ui::HeadlessTreeViewPeer::kRowTwips + 100;
}

// Which of Run, Edit and Delete are on, and the item panel's title and description.
inline std::string Panel(const frmMain& w) {
    std::string on;
    for (const ui::Button* b : {&w.cmdRun, &w.cmdEdit, &w.cmdDelete})
        on += b->Enabled() ? '+' : '-';
    return on + " " + w.lblAppTitle.Text() + ": " + w.lblAppDescription.Text();
}

class CommandsTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Put("quopa_apps.dat",
            "[Category1]\r\nName=Games\r\n[Category2]\r\nName=Web apps\r\n"
            "[Category3]\r\nName=Tools\r\n" +
                App(1, "Notepad", "%drive%\\np.exe", "Tools", 0, "Edits text") +
                App(2, "Chess", "%drive%\\chess.exe", "Games") +
                App(3, "Webmail", "http://mail.example", "Web apps", 1, "music") +
                App(4, "Drums", "%drive%\\drums.exe", "games") +
                App(5, "Notes", "%drive%\\notes.txt", "Games") +
                App(6, "Music", "%drive%\\music.exe", "Tools"));
        w_ = &Start();
    }
    std::string Read(const std::string& section, const std::string& key) {
        return ini_.ReadIni(section, key, "", w_->AppsFile());
    }
    // The stored values of "Section.Key" names.
    Strings Reads(std::initializer_list<std::string> names) {
        return Each(names, [&](const std::string& n) {
            return Read(n.substr(0, n.find('.')), n.substr(n.find('.') + 1));
        });
    }
    ui::TreeNode& Node(const std::string& key) {
        if (ui::TreeNode* node = w_->TreeView1.Find(key)) return *node;
        throw std::runtime_error("no node " + key);
    }
    bool Shown(const std::string& key) const { return w_->TreeView1.Find(key) != nullptr; }
    void Click(const std::string& key) { w_->TreeView1.UserSelected(&Node(key)); }
    void RightClick(const std::string& key, ui::MouseButton button = ui::MouseButton::Right) {
        w_->TreeView1.onMouseUp({button, 600, RowY(w_->TreeView1, key)});
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
    std::string LastMessage() const {
        return desktop_.messages.empty() ? "" : desktop_.messages.back().text;
    }

    frmMain* w_ = nullptr;
};

}  // namespace quopa::testing
