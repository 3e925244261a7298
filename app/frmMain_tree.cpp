// What the user does with the tree: click, double-click, the Delete key, the right button
// and in-place renames.
#include "app/frmMain.h"
#include "store/item_key.h"
#include "tree/category_names.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {
constexpr int kEnterKey = 13;
constexpr int kDeleteKey = 46;
}  // namespace

void frmMain::WireTree() {
    // The panel and the buttons follow the selection, however it moves.
    TreeView1.onSelectionChanged = [this] { TreeView1_Click(); };
    TreeView1.onDblClick = [this] { TreeView1_DblClick(); };
    TreeView1.onKeyDown = [this](int keyCode) { TreeView1_KeyDown(keyCode); };
    TreeView1.onMouseUp = [this](const ui::TreeMouseEvent& e) { TreeView1_MouseUp(e); };
    TreeView1.onAfterLabelEdit = [this](ui::LabelEditEvent& e) { TreeView1_AfterLabelEdit(e); };
}

ui::TreeNode* frmMain::SelectedItemNode() const {
    ui::TreeNode* node = TreeView1.SelectedItem();
    return node && IsItemNode(*node) ? node : nullptr;
}

void frmMain::TreeView1_Click() {
    ui::TreeNode* node = TreeView1.SelectedItem();
    if (!node || ShowFound(*node)) return;
    if (!IsItemNode(*node)) {
        // Edit and Delete stay as they were: they act on items only.
        cmdRun.SetEnabled(false);
        return;
    }
    cmdRun.SetEnabled(true);
    cmdEdit.SetEnabled(true);
    cmdDelete.SetEnabled(true);
    Image2.SetPicture(ilIcons.PictureOf(node->Image()));
    lblAppTitle.SetText(node->Text());
    lblAppDescription.SetText(ini_.ReadIni(node->Key(), "Description", "", appsFile_));
}

void frmMain::TreeView1_DblClick() {
    if (SelectedRow()) cmdRun_Click();
}

void frmMain::TreeView1_KeyDown(int keyCode) {
    if (keyCode == kEnterKey) {
        TreeView1_DblClick();  // runs a row, as a double-click does
        return;
    }
    if (keyCode != kDeleteKey) return;
    ui::TreeNode* node = TreeView1.SelectedItem();
    if (!node) return;
    if (IsItemNode(*node)) {
        cmdDelete_Click();
    } else {
        mnuCatDelete_Click();
    }
}

void frmMain::TreeView1_MouseUp(const ui::TreeMouseEvent& e) {
    if (e.button != ui::MouseButton::Right) return;
    ui::TreeNode* under = TreeView1.NodeAt(e.x, e.y);
    if (under && under != TreeView1.SelectedItem()) {
        TreeView1.Select(under);  // the panel follows
    } else {
        TreeView1_Click();
    }
    ui::TreeNode* node = TreeView1.SelectedItem();
    if (!node) return;
    const bool item = IsItemNode(*node);
    const bool found = IsFoundNode(*node), foundItem = found && node->Parent();
    if (found && !foundItem) return;  // a category of found apps offers nothing
    form.PopupMenu(foundItem ? mnuFoundRightClick : item ? mnuFileRightClick : mnuCatRightClick);
}

void frmMain::TreeView1_AfterLabelEdit(ui::LabelEditEvent& e) {
    if (IsFoundNode(*e.node)) {
        e.cancel = true;  // not in the apps file: there is nowhere to keep a new name
        return;
    }
    // Copies: the boxes below let the window's commands run, and they may rebuild the tree.
    const std::string key = e.node->Key();
    const std::string tag = e.node->Tag();
    if (IsItemNode(*e.node)) {
        // An empty "Name" is the deletion mark: a rename must not delete without asking.
        e.newText = AsStored(e.newText);
        if (e.newText.empty() || !Written(ini_.WriteIni(key, "Name", e.newText, appsFile_))) {
            e.cancel = true;
            return;
        }
        QuickItemsChanged({key});
        return;
    }
    if (tag == "Category0") {
        e.cancel = true;
        sys_.desktop.MsgBox(form.Handle(), "You cant change the name of the main category!",
                            kAppTitle, platform::kMbIconExclamation | platform::kMbOk);
        return;
    }
    RenameCategory(e);
}

// Items name their category, so they move along; the node takes the new name as its key,
// which is what the next rename and the wizard's category list read.
void frmMain::RenameCategory(ui::LabelEditEvent& e) {
    const std::string oldName = e.node->Key();
    const std::string section = e.node->Tag();
    const CategoryNameCheck check = CheckCategoryName(TreeView1, e.newText, oldName, sys_.desktop);
    const std::string& newName = check.name;
    if (check.Empty()) {
        // The loader stops at the first category without a name: the later ones would go.
        e.cancel = true;
        return;
    }
    if (check.Taken()) {
        // Two categories of one name would share their items from then on.
        e.cancel = true;
        sys_.desktop.MsgBox(form.Handle(), "That category name is not unique!", kAppTitle,
                            platform::kMbIconExclamation | platform::kMbOk);
        return;
    }
    // One write: a pulled stick leaves the category and its items under one name.
    IniKeys keys = {{section, "Name", newName}};
    for (int n = 0; n <= state_.NextItemIndex; ++n) {
        std::string item = ItemSection(n);
        if (ini_.ReadIni(item, "Category", "", appsFile_) != oldName) continue;
        keys.push_back({std::move(item), "Category", newName});
    }
    if (!Written(ini_.WriteIniKeys(keys, appsFile_))) {
        e.cancel = true;
        return;
    }
    e.newKey = newName;
    e.newText = newName;
    std::vector<std::string> items;
    for (std::size_t i = 1; i < keys.size(); ++i) items.push_back(keys[i].section);
    QuickItemsChanged(items);
    CategoriesChanged(oldName, newName);
}

}  // namespace quopa
