// Where the main window opens the other windows. Each opener stays this small: the
// dialogs themselves decide what they show and store.
#include "app/frmMain.h"
#include "editor/frmAddItem.h"
#include "editor/frmNewCategory.h"
#include "info/frmAbout.h"
#include "info/frmUpdate.h"
#include "settings/frmOptions.h"
#include "tree/node_kind.h"

namespace quopa {

// One wizard at a time: while the one opened from a category's menu is up, Add New Item
// and Edit bring it forward rather than refill it under the user's hands.
bool frmMain::BringWizardForward() {
    if (!wizard_ || !wizard_->form.Loaded()) return false;
    wizard_->form.Show();
    sys_.desktop.SetForeground(wizard_->form.Handle());
    return true;
}

void frmMain::OpenAddItem(const std::string& category, bool modeless) {
    if (BringWizardForward()) {
        // From a category's menu, the open wizard takes that category.
        if (modeless) wizard_->Combo1.SetText(category.empty() ? kMainCategoryKey : category);
        return;
    }
    if (!modeless) {
        frmAddItem dialog(ctx_, TreeView1, [this] { IntList(); });
        dialog.Create();
        dialog.form.ShowModal(form);
        return;
    }
    wizard_ = std::make_unique<frmAddItem>(ctx_, TreeView1, [this] { IntList(); });
    // Destroyed later, never inside its own unload.
    wizard_->form.onUnload = [this] { backend_.Post([this] { wizard_.reset(); }); };
    wizard_->Create();
    if (!category.empty()) wizard_->Combo1.SetText(category);
    wizard_->form.ShowOwned(form);
}

void frmMain::OpenEditItem(std::string key) {
    if (BringWizardForward()) return;
    const ui::TreeNode* node = TreeView1.Find(key);
    if (!node) return;
    const std::string text = node->Text();  // no node is held across the dialog
    frmAddItem dialog(ctx_, TreeView1, [this] { IntList(); });
    dialog.Create();
    if (dialog.LoadItem(key, text)) dialog.form.ShowModal(form);
}

void frmMain::CategoriesChanged(const std::string& from, const std::string& to) {
    if (wizard_ && wizard_->form.Loaded()) wizard_->ReloadCategories(from, to);
}

void frmMain::OpenNewCategory() {
    frmNewCategory dialog(ctx_, TreeView1, [this] { IntList(); });
    dialog.onCategoryAdded = [this] { CategoriesChanged(); };
    dialog.Create();
    dialog.form.ShowModal(form);
}

void frmMain::OpenOptions() {
    frmOptions dialog(ctx_, [this] {
        ApplyLanguage();
        loadsettings();
        ApplyPortableApps();
        ApplyHotkey();
    });
    dialog.Create();
    dialog.ShowModal(form);
}

void frmMain::OpenUpdate() {
    frmUpdate dialog(ctx_);
    dialog.Create();
    dialog.ShowModal(form);
}

void frmMain::OpenAbout() {
    frmAbout dialog(ctx_);
    dialog.Create();
    dialog.ShowModal(form);
}

}  // namespace quopa
