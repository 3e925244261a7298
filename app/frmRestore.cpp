#include "app/frmRestore.h"

namespace quopa {

void frmRestore::Create() {
    form.Create({.caption = "Restore an Earlier List",
                 .clientWidth = 6975,
                 .clientHeight = 1695,
                 .dialog = true});
    Label1.Create(form, {.text = "Versions of your list kept on the drive, newest first:",
                         .bounds = {120, 120, 6735, 255}});
    cboVersions.Create(form, {.bounds = {120, 480, 6735, 315}});
    for (const std::string& line : Versions) cboVersions.AddItem(line);
    cboVersions.SetListIndex(Versions.empty() ? -1 : 0);
    cmdCancel.Create(form,
                     {.text = "&Cancel", .bounds = {3960, 1200, 1335, 375}, .isCancel = true});
    cmdRestore.Create(form,
                      {.text = "&Restore", .bounds = {5520, 1200, 1335, 375}, .isDefault = true});
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdRestore.onClick = [this] { cmdRestore_Click(); };
}

void frmRestore::cmdRestore_Click() {
    Chosen = cboVersions.ListIndex();
    form.Unload();
}

}  // namespace quopa
