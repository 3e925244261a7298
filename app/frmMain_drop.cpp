// Files, folders, shortcuts and links dropped on the tree become items: one through the
// wizard, filled in for the user to confirm, several at once in the category under the drop.
#include <algorithm>

#include "app/frmMain.h"
#include "context/messages.h"
#include "tree/node_kind.h"

namespace quopa {

bool frmMain::TreeView1_DropQuery(const ui::DropEvent& e) {
    return !e.paths.empty() || WebLinkItem(e.address, e.text, e.linkFile);
}

void frmMain::TreeView1_Dropped(const ui::DropEvent& e) {
    const std::string category = CategoryUnderDrop(TreeView1.NodeAt(e.x, e.y));
    const ui::TreeNode* shown = TreeView1.Find(category);
    const std::string categoryText = shown ? shown->Text() : kMainCategoryText;
    std::vector<DroppedItem> items;
    for (const std::string& path : e.paths) {
        if (auto item = ReadDroppedItem(path, sys_, ini_, state_.LauncherDrive))
            items.push_back(std::move(*item));
    }
    if (auto link = WebLinkItem(e.address, e.text, e.linkFile)) items.push_back(std::move(*link));
    if (items.size() > 1) return AddDropped(std::move(items), category, categoryText);
    if (items.empty()) return;
    const DropCheck check = CheckDropped(items, ini_, appsFile_, state_.LauncherDrive);
    if (!check.twins.empty()) {
        sys_.desktop.MsgBox(form.Handle(), DropMessage({}, categoryText, check), kAppTitle,
                            platform::kMbIconExclamation | platform::kMbOk);
        return;
    }
    // A value too long to keep is the wizard's to refuse, where the user can shorten it.
    const DroppedItem item = items.front();
    if (item.offDrive &&
        sys_.desktop.MsgBox(form.Handle(), NotOnDriveQuestion(), kAppTitle,
                            platform::kMbIconExclamation | platform::kMbYesNo) != platform::kIdYes)
        return;
    // The wizard opened from a category's menu takes what was dropped, as its browse would.
    if (frmAddItem* open = ModelessWizard()) {
        open->FillDropped(item, category);
        BringWizardForward();
        return;
    }
    frmAddItem dialog(ctx_, TreeView1, [this] { IntList(); });
    dialog.Create();
    dialog.FillDropped(item, category);
    dialog.form.ShowModal(form);
}

void frmMain::AddDropped(std::vector<DroppedItem> items, const std::string& category,
                         const std::string& categoryText) {
    DropCheck check = CheckDropped(std::move(items), ini_, appsFile_, state_.LauncherDrive);
    std::vector<std::string> offDrive;
    for (const DroppedItem& item : check.fit)
        if (item.offDrive) offDrive.push_back(item.title);
    if (!offDrive.empty() &&
        sys_.desktop.MsgBox(form.Handle(), NotOnDriveQuestion(offDrive), kAppTitle,
                            platform::kMbIconExclamation | platform::kMbYesNo) !=
            platform::kIdYes) {
        check.fit.erase(std::remove_if(check.fit.begin(), check.fit.end(),
                                       [](const DroppedItem& item) { return item.offDrive; }),
                        check.fit.end());
        if (check.fit.empty() && check.twins.empty() && check.tooLong.empty()) return;
    }
    if (check.fit.empty()) {
        sys_.desktop.MsgBox(form.Handle(), DropMessage({}, categoryText, check), kAppTitle,
                            platform::kMbIconExclamation | platform::kMbOk);
        return;
    }
    switch (AddDroppedItems(ini_, appsFile_, check.fit, category, state_.LauncherDrive,
                            state_.NextItemIndex)) {
        case AddOutcome::NoNumberLeft:
            sys_.desktop.MsgBox(form.Handle(), kNoItemNumberLeft, kAppTitle,
                                platform::kMbIconCritical | platform::kMbOk);
            return;
        case AddOutcome::NotWritten:  // one write: nothing was added, the tree is as the file
            sys_.desktop.MsgBox(form.Handle(), CouldNotSave("items", appsFile_), kAppTitle,
                                platform::kMbIconCritical | platform::kMbOk);
            return;
        case AddOutcome::Added:
            IntList();
            sys_.desktop.MsgBox(form.Handle(), DropMessage(check.fit, categoryText, check),
                                kAppTitle, platform::kMbIconInformation | platform::kMbOk);
            return;
    }
}

}  // namespace quopa
