// The commands of the category context menu.
#include "app/frmMain.h"
#include "platform/debug_trace.h"
#include "tree/node_kind.h"

namespace quopa {

void frmMain::mnuCatAddNew_Click() {
    ui::TreeNode* node = TreeView1.SelectedItem();
    if (!node || IsItemNode(*node) || IsFoundNode(*node)) return;
    OpenAddItem(IsMainCategoryName(node->Text()) ? "" : node->Text(), true);
}

void frmMain::mnuCatDelete_Click() {
    ui::TreeNode* node = TreeView1.SelectedItem();
    if (!node || IsItemNode(*node) || IsFoundNode(*node)) return;
    DeleteCategory(node->Key());
}

void frmMain::DeleteCategory(std::string key) {
    const ui::TreeNode* node = TreeView1.Find(key);
    const std::string name = node->Text();
    const std::string section = node->Tag();
    node = nullptr;  // the boxes let the window's commands run
    int answer = sys_.desktop.MsgBox(form.Handle(),
                                     "Are you sure you want to delete the " + name + " category?",
                                     kAppTitle, platform::kMbIconQuestion | platform::kMbYesNo);
    if (answer != platform::kIdYes) return;
    if (IsMainCategoryName(name)) {
        sys_.desktop.MsgBox(form.Handle(), "You can't delete the main category!", kAppTitle,
                            platform::kMbIconExclamation | platform::kMbOk);
        return;
    }
    platform::TimedStep written("category delete: apps file written");
    if (!Written(ini_.WriteIni(section, "Name", "Deleted", appsFile_))) return;
    written.End();
    platform::TimedStep removed("category delete: its rows removed");
    // A rebuild meanwhile made a new node for the same stored category: it goes as well.
    if (const ui::TreeNode* still = TreeView1.Find(key); still && still->Tag() == section)
        TreeView1.Remove(key);
    removed.End();
    QuickItemsChanged({});  // its items keep the name it had
    CategoriesChanged();
}

}  // namespace quopa
