// Where the main window opens the other windows. Each opener stays this small: the
// dialogs themselves decide what they show and store.
#include "app/frmMain.h"
#include "info/frmAbout.h"
#include "info/frmUpdate.h"
#include "settings/frmOptions.h"

namespace quopa {

void frmMain::OpenAddItem(const std::string& category, bool modeless) {
    (void)category;
    if (!modeless) {
        ShowPlaceholder("Add New Item");
        return;
    }
    if (addItemWindow_ && addItemWindow_->Loaded()) {
        addItemWindow_->Show();
        sys_.desktop.SetForeground(addItemWindow_->Handle());
        return;
    }
    addItemWindow_ = std::make_unique<ui::Form>(backend_);
    addItemWindow_->Create(
        {.caption = "Add New Item", .clientWidth = 6000, .clientHeight = 4000, .dialog = true});
    // Destroyed later, never inside its own unload.
    addItemWindow_->onUnload = [this] { backend_.Post([this] { addItemWindow_.reset(); }); };
    addItemWindow_->CenterOver(form);
    addItemWindow_->ShowOwned(form);
}

void frmMain::OpenEditItem(const std::string& key) {
    (void)key;
    ShowPlaceholder("Edit Item");
}

void frmMain::OpenNewCategory() {
    ShowPlaceholder("Add New Category");
}

void frmMain::OpenOptions() {
    frmOptions dialog(ctx_, [this] {
        ApplyLanguage();
        loadsettings();
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

void frmMain::ShowPlaceholder(const std::string& caption) {
    ui::Form dialog(backend_);
    dialog.Create({.caption = caption, .clientWidth = 4500, .clientHeight = 2000, .dialog = true});
    dialog.CenterOver(form);
    dialog.ShowModal(form);
}

}  // namespace quopa
