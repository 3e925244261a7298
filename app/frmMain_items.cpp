// The commands on the selected item: run, edit, delete.
#include "app/frmMain.h"
#include "context/messages.h"

namespace quopa {

void frmMain::cmdRun_Click() {
    if (ui::TreeNode* node = SelectedItemNode()) {
        const std::string key = node->Key();  // the launch may show a box
        if (launcher_.RunApp(key)) CountStart(key);
    } else if (const FoundApp* app = SelectedFound()) {
        const std::string key = app->key;  // the launch may show a box
        found_->Run(key);
    }
}

void frmMain::cmdEdit_Click() {
    if (ui::TreeNode* node = SelectedItemNode()) OpenEditItem(node->Key());
}

void frmMain::cmdDelete_Click() {
    ui::TreeNode* node = SelectedItemNode();
    if (!node) return;
    DeleteItem(node->Key());
}

void frmMain::DeleteItem(std::string key) {
    const ui::TreeNode* node = TreeView1.Find(key);
    const std::string question = "Are you sure you want to delete " + node->Text() + "?";
    node = nullptr;  // the question lets the window's commands run
    int answer = sys_.desktop.MsgBox(form.Handle(), question, kAppTitle,
                                     platform::kMbIconQuestion | platform::kMbYesNo);
    if (answer != platform::kIdYes) return;
    if (!Written(ini_.WriteIni(key, "Name", "", appsFile_))) return;
    TreeView1.Remove(key);
    QuickItemsChanged({key});
}

bool frmMain::Written(bool ok, const std::string& file) {
    if (!ok) {
        sys_.desktop.MsgBox(form.Handle(), CouldNotSave("change", file), kAppTitle,
                            platform::kMbIconCritical | platform::kMbOk);
    }
    return ok;
}

}  // namespace quopa
