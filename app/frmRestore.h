#pragma once
// The small window that lists the kept versions of the list and picks one to restore.
//
//     frmRestore dialog(ctx);
//     dialog.Versions = {...};  // one line each, newest first
//     dialog.Create();
//     dialog.form.ShowModal(form);
//     if (dialog.Chosen >= 0) ...
#include <string>
#include <vector>

#include "context/app_context.h"
#include "ui/combo_box.h"
#include "ui/form.h"
#include "ui/simple_controls.h"

namespace quopa {

class frmRestore {
  public:
    explicit frmRestore(AppContext& ctx) : form(ctx.backend) {}
    frmRestore(const frmRestore&) = delete;
    frmRestore& operator=(const frmRestore&) = delete;

    void Create();
    void cmdRestore_Click();
    void cmdCancel_Click() { form.Unload(); }

    std::vector<std::string> Versions;
    int Chosen = -1;  // the version picked, when Restore was pressed

    ui::Form form;
    ui::Label Label1;
    ui::ComboBox cboVersions;
    ui::Button cmdCancel, cmdRestore;
};

}  // namespace quopa
