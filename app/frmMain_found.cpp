// The apps found on the drive beside the user's list: run from the tree and the tray, hidden
// one by one, and taken into the list through the wizard.
#include <cstring>

#include "app/command_ids.h"
#include "app/frmMain.h"
#include "context/messages.h"
#include "launch/drive_paths.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {
// One key an app, since one list would be cut at 254 characters; by folder name and entry,
// so that another drive letter keeps them.
constexpr char kHiddenSection[] = "PortableApps";
constexpr int kMaxHidden = 9999;
std::string HiddenKey(std::size_t n) {
    return "Hidden" + std::to_string(n);
}
}  // namespace

void frmMain::CreateFoundApps() {
    mnuFoundRun = &mnuFoundRightClick.Add({"&Run", cmd::kFoundRun});
    mnuFoundAdd = &mnuFoundRightClick.Add({"Add to my list", cmd::kFoundAdd});
    mnuFoundRightClick.Add({"-"});
    mnuFoundHide = &mnuFoundRightClick.Add({"&Hide", cmd::kFoundHide});
    mnuFoundShowHidden = &mnuFoundRightClick.Add({"&Show hidden apps", cmd::kFoundShowHidden});
    form.AddCommandSource(mnuFoundRightClick);
    // On the categories' menu too: with every found app hidden, the one above is out of reach.
    mnuCatShowHiddenBar = &mnuCatRightClick.Add({"-"});
    mnuCatShowHidden = &mnuCatRightClick.Add({"&Show hidden apps", cmd::kCatShowHidden});
    mnuFoundRun->onClick = [this] { cmdRun_Click(); };
    mnuFoundAdd->onClick = [this] { mnuFoundAdd_Click(); };
    mnuFoundHide->onClick = [this] { mnuFoundHide_Click(); };
    mnuFoundShowHidden->onClick = [this] { mnuShowHidden_Click(); };
    mnuCatShowHidden->onClick = [this] { mnuShowHidden_Click(); };

    found_ = std::make_unique<FoundApps>(
        FoundTargets{form, TreeView1, ilIcons, *mnuPopupRun, cmd::kPopupFoundBase, &tmrItemPass},
        *loader_, sys_, ini_, appsFile_, launcher_, state_);
    loader_->onItemsLoaded = [this](std::vector<ListedItem>& read) {
        found_->AfterItems();
        QuickRead(read);
    };
    found_->onStarted = [this](const std::string& key) { CountStart(key, quickTyped_); };
    ApplyPortableApps();
}

void frmMain::ApplyPortableApps() {
    found_->SetEnabled(PortableAppsWanted(ini_, settingsFile_));
    ApplyHiddenFound();
}

std::vector<std::string> frmMain::HiddenFound() {
    std::vector<std::string> names;
    for (int n = 1; n <= kMaxHidden; ++n) {
        std::string name = ini_.ReadIni(kHiddenSection, HiddenKey(n), "", settingsFile_);
        if (name.empty()) break;
        names.push_back(std::move(name));
    }
    return names;
}

void frmMain::ApplyHiddenFound() {
    std::vector<std::string> keys;
    for (const std::string& name : HiddenFound()) keys.push_back(kFoundKeyPrefix + name);
    // The categories' menu stays as designed until there is something to show again.
    const bool offer = found_->Enabled() && !keys.empty();
    mnuFoundShowHidden->SetEnabled(offer);
    mnuCatShowHiddenBar->SetVisible(offer);
    mnuCatShowHidden->SetVisible(offer);
    found_->SetHidden(keys);
}

void frmMain::mnuFoundHide_Click() {
    const FoundApp* app = SelectedFound();
    if (!app) return;
    std::string name = app->key.substr(std::strlen(kFoundKeyPrefix));
    const std::size_t n = HiddenFound().size() + 1;
    if (n > std::size_t{kMaxHidden}) return;
    // A folder name may begin with a blank, which a read would trim.
    if (AsStored(name) != name) name = "\"" + name + "\"";
    const bool ok = ini_.WriteIni(kHiddenSection, HiddenKey(n), name, settingsFile_);
    if (Written(ok, settingsFile_)) ApplyHiddenFound();
}

void frmMain::mnuShowHidden_Click() {
    IniKeys keys;
    const std::size_t hidden = HiddenFound().size();
    for (std::size_t n = 1; n <= hidden; ++n) keys.push_back({kHiddenSection, HiddenKey(n), ""});
    if (keys.empty()) return;
    if (Written(ini_.WriteIniKeys(keys, settingsFile_), settingsFile_)) ApplyHiddenFound();
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
    // First, so that a long description cannot push it out of sight.
    std::string text = "From the PortableApps folder.";
    if (!app->description.empty()) text += "\r\n" + app->description;
    lblAppDescription.SetText(text);
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
