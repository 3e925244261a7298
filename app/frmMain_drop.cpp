// Files, folders, shortcuts and links dropped on the tree become items: one through the
// wizard, filled in for the user to confirm, several at once in the category under the drop.
#include "app/frmMain.h"
#include "context/messages.h"

namespace quopa {

bool frmMain::TreeView1_DropQuery(const ui::DropEvent& e) {
    return !e.paths.empty() || WebLinkItem(e.address, e.text, e.linkFile);
}

void frmMain::TreeView1_Dropped(const ui::DropEvent& e) {
    const std::string category = CategoryUnderDrop(TreeView1.NodeAt(e.x, e.y));
    std::vector<DroppedItem> items;
    for (const std::string& path : e.paths) {
        if (auto item = ReadDroppedItem(path, sys_, ini_, state_.LauncherDrive))
            items.push_back(std::move(*item));
    }
    if (auto link = WebLinkItem(e.address, e.text, e.linkFile)) items.push_back(std::move(*link));
    if (items.size() > 1) return AddDropped(items, category);
    if (items.empty() || BringWizardForward()) return;
    frmAddItem dialog(ctx_, TreeView1, [this] { IntList(); });
    dialog.Create();
    dialog.FillDropped(items.front(), category);
    dialog.form.ShowModal(form);
}

void frmMain::AddDropped(const std::vector<DroppedItem>& items, const std::string& category) {
    std::vector<DroppedItem> added = items, leftOut;
    switch (AddDroppedItems(ini_, appsFile_, added, leftOut, category, state_.LauncherDrive,
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
            sys_.desktop.MsgBox(form.Handle(), AddedMessage(added, leftOut, category), kAppTitle,
                                platform::kMbIconInformation | platform::kMbOk);
            return;
    }
}

}  // namespace quopa
