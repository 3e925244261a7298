// The apps found on the drive beside the user's list: run from the tree and the tray, and
// taken into the list through the wizard.
#include "app/command_ids.h"
#include "app/frmMain.h"
#include "launch/drive_paths.h"
#include "tree/node_kind.h"

namespace quopa {

void frmMain::CreateFoundApps() {
    mnuFoundRun = &mnuFoundRightClick.Add({"&Run", cmd::kFoundRun});
    mnuFoundAdd = &mnuFoundRightClick.Add({"Add to my list", cmd::kFoundAdd});
    form.AddCommandSource(mnuFoundRightClick);
    mnuFoundRun->onClick = [this] { cmdRun_Click(); };
    mnuFoundAdd->onClick = [this] { mnuFoundAdd_Click(); };

    found_ = std::make_unique<FoundApps>(
        FoundTargets{form, TreeView1, ilIcons, *mnuPopupRun, cmd::kPopupFoundBase, &tmrItemPass},
        *loader_, sys_, ini_, appsFile_, launcher_, state_);
    loader_->onItemsLoaded = [this] { found_->AfterItems(); };
    ApplyPortableApps();
}

void frmMain::ApplyPortableApps() {
    found_->SetEnabled(PortableAppsWanted(ini_, settingsFile_));
}

const FoundApp* frmMain::SelectedFound() const {
    const ui::TreeNode* node = TreeView1.SelectedItem();
    return node && IsFoundNode(*node) ? found_->Find(node->Key()) : nullptr;
}

bool frmMain::ShowFound(const ui::TreeNode& node) {
    const FoundApp* app = IsFoundNode(node) ? found_->Find(node.Key()) : nullptr;
    if (!app) return false;
    cmdRun.SetEnabled(true);
    // Not in the apps file: nothing to edit or delete there.
    cmdEdit.SetEnabled(false);
    cmdDelete.SetEnabled(false);
    Image2.SetPicture(ilIcons.PictureOf(node.Image()));
    lblAppTitle.SetText(node.Text());
    lblAppDescription.SetText(app->description);
    return true;
}

void frmMain::mnuFoundAdd_Click() {
    if (const FoundApp* app = SelectedFound()) OpenAddFound(app->key);
}

void frmMain::OpenAddFound(const std::string& key) {
    if (BringWizardForward()) {  // it holds what the user typed; one item at a time
        sys_.desktop.MsgBox(ModelessWizard()->form.Handle(),
                            "An item is being added already. Finish or cancel it first.", kAppTitle,
                            platform::kMbIconInformation | platform::kMbOk);
        return;
    }
    const FoundApp* found = found_->Find(key);
    if (!found) return;
    const FoundApp app = *found;  // the wizard lets the list change
    frmAddItem dialog(ctx_, TreeView1, [this] { IntList(); });
    dialog.Create();
    dialog.Option1.SetValue(true);
    dialog.cmdNext_Click();
    dialog.txtAppTitle.SetText(app.name);
    dialog.txtAppDescription.SetText(app.description);
    dialog.Combo1.SetText(found_->UserCategoryKey(app.category));
    dialog.txtAppPath.SetText(ToDrivePath(app.program, state_.LauncherDrive));
    dialog.txtStartIn.SetText(ToDrivePath(app.folder, state_.LauncherDrive));
    dialog.form.ShowModal(form);
}

}  // namespace quopa
