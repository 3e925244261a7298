#pragma once
// The two-page wizard that adds an item or edits one. Fill the public state, run it, and
// it saves itself: Finish writes the item and has the main window rebuild its tree.
//
//     frmAddItem dlg(ctx, TreeView1, [this] { IntList(); });
//     dlg.Create();
//     if (dlg.LoadItem(key, text)) dlg.form.ShowModal(form);
#include <cstdint>
#include <functional>
#include <string>

#include "context/app_context.h"
#include "editor/dropped_item.h"
#include "platform/file_dialog.h"
#include "ui/backend.h"
#include "ui/simple_controls.h"

namespace quopa {

class frmAddItem {
  public:
    // `tree` is the main window's tree (categories and uniqueness); `rebuild` rebuilds it.
    // Both must outlive the wizard.
    frmAddItem(AppContext& ctx, ui::TreeView& tree, std::function<void()> rebuild);
    frmAddItem(const frmAddItem&) = delete;
    frmAddItem& operator=(const frmAddItem&) = delete;

    // Creates the window with its designed controls, then runs Form_Load.
    void Create();
    // Fills the wizard from the item `key` shown as `text`, on its field page in edit mode.
    // False, changing nothing, for a key that names no item.
    bool LoadItem(const std::string& key, const std::string& text);
    // Fills the new item's field page from a thing dropped on the tree, in `category`, as
    // if the user had chosen its type and browsed to it.
    void FillDropped(const DroppedItem& item, const std::string& category);

    // Events.
    void Form_Load();
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();
    void cmdBrowseFile_Click();
    void cmdNewCat_Click();
    void cmdFinish_Click();

    // Routines.
    void SetAppType(std::int16_t appType);
    void loadcats();
    // The list again after the main window changed the categories; the pick stays where it
    // can, under its new name after a rename.
    void ReloadCategories(const std::string& renamedFrom, const std::string& renamedTo);
    void ListCategories(const std::string& renamedFrom, const std::string& renamedTo);

    bool EditApp = false;
    std::string NewAppType;
    std::string AppType;

    ui::Form form;
    ui::PageControl SSTab1;
    // Page "ChooseType".
    ui::Label Label1;
    ui::OptionButton Option1, Option2, Option3;
    ui::Button cmdCancel, Command1, cmdNext;
    // Page "TypeApp".
    ui::Label Label8, Label2, Label3, Label4, Label5, Label6, Label7, Label9;
    ui::Line Line2, Line1;
    ui::TextBox txtAppTitle, txtAppDescription, txtAppPath, txtParameters, txtStartIn;
    ui::ComboBox Combo1, cmbWindowStyle;
    ui::Button cmdNewCat, cmdBrowseFile, cmdCancel2, cmdBack, cmdFinish;
    ui::CheckBox chkAutorun;

  private:
    void CreateChooseType(ui::Container& page);
    void CreateTypeApp(ui::Container& page);
    void WireEvents();
    void ShowPage(int index);
    bool WriteItem();
    std::string DerivedStartIn() const;
    int Tell(const std::string& text, unsigned style);

    AppContext& ctx_;
    ui::TreeView& tree_;  // the main window's; not owned
    std::function<void()> rebuild_;
    std::string appsFile_;
    platform::OpenFileArgs dlgOpenFile;
    platform::FileDialogResult chosen_;  // the file last chosen in this opening
};

}  // namespace quopa
