#pragma once
// The small dialog that adds a category; it writes the category and rebuilds the tree.
//
//     frmNewCategory dlg(ctx, TreeView1, [this] { IntList(); });
//     dlg.onCategoryAdded = ...;  // an open wizard reloads its list
//     dlg.Create();
//     dlg.form.ShowModal(form);
#include <functional>
#include <string>

#include "context/app_context.h"
#include "ui/backend.h"
#include "ui/simple_controls.h"

namespace quopa {

class frmNewCategory {
  public:
    // `tree` is the main window's tree; `rebuild` rebuilds it. Both outlive the dialog.
    frmNewCategory(AppContext& ctx, ui::TreeView& tree, std::function<void()> rebuild);
    frmNewCategory(const frmNewCategory&) = delete;
    frmNewCategory& operator=(const frmNewCategory&) = delete;

    void Create();

    void cmdFinish_Click();
    void cmdCancel_Click();

    // Called once the category is stored and the tree rebuilt.
    std::function<void()> onCategoryAdded;
    // The number the category was stored under; 0 while none was.
    int AddedNumber = 0;

    ui::Form form;
    ui::Label Label1, Label2;
    ui::Line Line1;
    ui::TextBox txtCategoryTitle;
    ui::Button cmdCancel, cmdFinish;

  private:
    int Tell(const std::string& text, unsigned style);

    AppContext& ctx_;
    ui::TreeView& tree_;  // not owned
    std::function<void()> rebuild_;
    std::string appsFile_;
};

}  // namespace quopa
