#include "editor/frmAddItem.h"

#include <initializer_list>
#include <utility>

#include "context/messages.h"
#include "editor/frmNewCategory.h"
#include "launch/drive_paths.h"
#include "store/data_files.h"
#include "tree/node_kind.h"

namespace quopa {

namespace {

// The page control lies 120 twips up and left of the client area, and its pages with it;
// the designed places are the client area's.
ui::Bounds At(int left, int top, int width, int height) {
    return {left + 120, top + 120, width, height};
}

constexpr int kChooseType = 0, kTypeApp = 1;

}  // namespace

frmAddItem::frmAddItem(AppContext& ctx, ui::TreeView& tree, std::function<void()> rebuild)
    : form(ctx.backend),
      ctx_(ctx),
      tree_(tree),
      rebuild_(std::move(rebuild)),
      appsFile_(AppsFile(ctx.programFolder)) {}

void frmAddItem::Create() {
    form.Create(
        {.caption = "Add new item", .clientWidth = 5655, .clientHeight = 5835, .dialog = true});
    SSTab1.Create(form, {.bounds = {-120, -120, 5895, 5415}});
    CreateChooseType(SSTab1.AddPage("ChooseType"));
    CreateTypeApp(SSTab1.AddPage("TypeApp"));
    WireEvents();
    ShowPage(kChooseType);
    Form_Load();
}

void frmAddItem::CreateChooseType(ui::Container& page) {
    Label1.Create(page, {.text = "Please select the type of item that you want to add:",
                         .bounds = At(120, 120, 5415, 255)});
    Option1.Create(
        page, {.text = "Application", .bounds = At(1680, 1320, 3135, 255), .groupStart = true});
    Option2.Create(page, {.text = "Web Link", .bounds = At(1680, 1680, 3135, 255)});
    Option3.Create(
        page, {.text = "Link to a folder", .bounds = At(1680, 2040, 3015, 255), .enabled = false});
    Option1.SetValue(true);
    cmdCancel.Create(page,
                     {.text = "&Cancel", .bounds = At(120, 4440, 1335, 375), .isCancel = true});
    Command1.Create(page, {.text = "&Back", .bounds = At(2760, 4440, 1335, 375), .enabled = false});
    cmdNext.Create(page, {.text = "&Next", .bounds = At(4200, 4440, 1335, 375), .isDefault = true});
}

void frmAddItem::CreateTypeApp(ui::Container& page) {
    Label8.Create(
        page, {.text = "Please fill out the following boxes to add the new item to the Quopa list",
               .bounds = At(120, 120, 5415, 255)});
    Line2.Create(page, {.bounds = At(120, 480, 5400, 0)});
    Label2.Create(page, {.text = "Application title:", .bounds = At(120, 840, 1215, 255)});
    txtAppTitle.Create(page, {.bounds = At(1920, 720, 3615, 375), .maxLength = 30});
    Label3.Create(page, {.text = "Application description:", .bounds = At(120, 1320, 1815, 255)});
    txtAppDescription.Create(page, {.bounds = At(1920, 1200, 3615, 375), .maxLength = 255});
    Label4.Create(page, {.text = "Category:", .bounds = At(120, 1680, 1575, 255)});
    Combo1.Create(page, {.bounds = At(1920, 1680, 3015, 315)});
    cmdNewCat.Create(page, {.text = "&New", .bounds = At(5040, 1680, 495, 375)});
    Line1.Create(page, {.bounds = At(120, 2160, 5400, 0)});
    Label5.Create(page, {.text = "Executable:", .bounds = At(120, 2400, 1815, 255)});
    txtAppPath.Create(page, {.bounds = At(1920, 2280, 3015, 375)});
    cmdBrowseFile.Create(page, {.text = "...", .bounds = At(5040, 2280, 495, 375)});
    // Three lines, so that the example is never broken inside "-window".
    Label6.Create(
        page, {.text = "Parameters: (ex: -window) (optional)", .bounds = At(120, 2760, 1125, 600)});
    txtParameters.Create(page, {.bounds = At(1920, 2760, 3615, 375)});
    Label7.Create(page, {.text = "Start in: (optional)", .bounds = At(120, 3360, 1695, 255)});
    txtStartIn.Create(page, {.bounds = At(1920, 3240, 3615, 375)});
    Label9.Create(page, {.text = "Window style:", .bounds = At(120, 3720, 1095, 255)});
    cmbWindowStyle.Create(page, {.bounds = At(1920, 3720, 3615, 315)});
    // The box and its gap come before the text, which needs the rest of this width whole.
    chkAutorun.Create(page,
                      {.text = "Start when Quopa starts", .bounds = At(3360, 4080, 2175, 255)});
    cmdCancel2.Create(page,
                      {.text = "&Cancel", .bounds = At(120, 4440, 1335, 375), .isCancel = true});
    cmdBack.Create(page, {.text = "&Back", .bounds = At(2760, 4440, 1335, 375)});
    cmdFinish.Create(page,
                     {.text = "&Finish", .bounds = At(4200, 4440, 1335, 375), .isDefault = true});
}

void frmAddItem::WireEvents() {
    cmdNext.onClick = [this] { cmdNext_Click(); };
    cmdBack.onClick = [this] { cmdBack_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdCancel2.onClick = [this] { cmdCancel_Click(); };
    cmdBrowseFile.onClick = [this] { cmdBrowseFile_Click(); };
    cmdNewCat.onClick = [this] { cmdNewCat_Click(); };
    cmdFinish.onClick = [this] { cmdFinish_Click(); };
}

// Enter and Esc press the buttons of the page in view.
void frmAddItem::ShowPage(int index) {
    SSTab1.SetCurrentPage(index);
    form.SetDefaultButton(index == kChooseType ? &cmdNext : &cmdFinish);
    form.SetCancelButton(index == kChooseType ? &cmdCancel : &cmdCancel2);
}

void frmAddItem::Form_Load() {
    loadcats();
    ui::Bounds outer = form.GetBounds();
    outer.height = 5430;
    form.SetBounds(outer);
    dlgOpenFile.title = "Select an executable";
    dlgOpenFile.initialFolder = ctx_.programFolder;
    dlgOpenFile.filter = std::string("All ") + "Files (*.*)|*.*";
    dlgOpenFile.filterIndex = 1;
    dlgOpenFile.flags = platform::kOfnHideReadOnly | platform::kOfnFileMustExist |
                        platform::kOfnExplorer | platform::kOfnLongNames;
    for (const char* style : {"Normal", "Maximized", "Minimized"}) cmbWindowStyle.AddItem(style);
    cmbWindowStyle.SetText("Normal");
}

// Every category, the main one first; items are the nodes that sit under a category.
void frmAddItem::loadcats() {
    const std::string before = Combo1.Text();
    ListCategories("", "");
    // An edited item keeps its category across a reload: with none picked, Finish would
    // store an empty category and the item would drop out of the tree.
    Combo1.SetText(EditApp ? before : kMainCategoryKey);
}

void frmAddItem::ReloadCategories(const std::string& renamedFrom, const std::string& renamedTo) {
    std::string pick = Combo1.Text();
    if (!renamedFrom.empty() && pick == renamedFrom) pick = renamedTo;
    ListCategories(renamedFrom, renamedTo);
    // A category gone leaves nothing picked, and Finish then stores the main one.
    Combo1.SetText(pick);
}

// Only the apps file's categories: the tree also shows some for found apps alone. A renamed
// node takes its new key only once the rename is accepted, so the list names it already.
void frmAddItem::ListCategories(const std::string& renamedFrom, const std::string& renamedTo) {
    Combo1.Clear();
    for (const ui::TreeNode* node : tree_.Roots()) {
        if (!IsUserCategory(*node)) continue;
        const std::string key = node->Key();
        Combo1.AddItem(!renamedFrom.empty() && key == renamedFrom ? renamedTo : key);
    }
}

void frmAddItem::cmdNext_Click() {
    if (Option1.Value()) {
        ShowPage(kTypeApp);
        SetAppType(0);
    } else if (Option2.Value()) {
        ShowPage(kTypeApp);
        SetAppType(1);
    } else if (Option3.Value()) {
        SetAppType(2);
    }
}

void frmAddItem::cmdBack_Click() {
    ShowPage(kChooseType);
}

void frmAddItem::cmdCancel_Click() {
    form.Unload();
}

void frmAddItem::SetAppType(std::int16_t appType) {
    AppType = std::to_string(appType);
    if (appType == 2) return;
    if (appType != 0 && appType != 1) return SetAppType(0);
    const bool app = appType == 0;
    Label2.SetText(app ? "Application title:" : "Website title:");
    Label3.SetText(app ? "Application description:" : "Website description:");
    Label5.SetText(app ? "Executable:" : "URL:");
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&cmdBrowseFile, &Label6, &txtParameters, &Label7,
                                             &txtStartIn, &Label9, &cmbWindowStyle})
        c->SetEnabled(app);
    if (!app) txtAppPath.SetText("http://");
}

void frmAddItem::cmdBrowseFile_Click() {
    dlgOpenFile.owner = form.Handle();
    const platform::FileDialogResult result = ctx_.sys.fileDialog.Open(dlgOpenFile);
    if (result.outcome == platform::FileDialogOutcome::Cancelled) return;
    if (result.outcome == platform::FileDialogOutcome::Failed) {
        Tell(FileDialogFailed(result), platform::kMbOk);
        return;
    }
    // The dialog keeps what was chosen, whatever the user answers below.
    chosen_ = result;
    dlgOpenFile.fileName = result.fileName;
    const std::string& drive = ctx_.state.LauncherDrive;
    if (!OnDrive(result.fileName, drive)) {
        const int answer =
            Tell(NotOnDriveQuestion(), platform::kMbIconExclamation | platform::kMbYesNo);
        if (answer == platform::kIdYes) txtAppPath.SetText(result.fileName);
        return;
    }
    txtAppPath.SetText(ToDrivePath(result.fileName, drive));
}

void frmAddItem::FillDropped(const DroppedItem& item, const std::string& category) {
    (item.type == 1 ? Option2 : Option1).SetValue(true);
    cmdNext_Click();
    // A folder link has no page of its own; the application's shows its path and keeps its
    // type, as editing one does.
    if (item.type == 2) SetAppType(2);
    txtAppTitle.SetText(item.title);
    txtAppPath.SetText(item.path);
    txtParameters.SetText(item.parameters);
    txtStartIn.SetText(item.startIn);
    Combo1.SetText(category);
    chosen_.fileName = item.fileName;
    chosen_.fileTitle = item.fileTitle;
}

void frmAddItem::cmdNewCat_Click() {
    frmNewCategory dlg(ctx_, tree_, rebuild_);
    dlg.onCategoryAdded = [this] { loadcats(); };
    dlg.Create();
    dlg.form.ShowModal(form);
}

int frmAddItem::Tell(const std::string& text, unsigned style) {
    return ctx_.sys.desktop.MsgBox(form.Handle(), text, kAppTitle, style);
}

}  // namespace quopa
