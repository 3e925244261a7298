#pragma once
// The main window: the tree of items, the sidebar and the tray icon.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frmQuick.h"
#include "context/app_context.h"
#include "editor/frmAddItem.h"
#include "launch/launcher.h"
#include "store/history.h"
#include "store/versions.h"
#include "tree/found_apps.h"
#include "tree/tree_loader.h"
#include "tree/usage.h"

namespace quopa {

class frmMain {
  public:
    explicit frmMain(AppContext& ctx);
    ~frmMain();
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Creates the window with its designed controls, then runs Form_Load.
    void Create();

    // Events: the window and its tray icon.
    void Form_Load();
    void Form_QueryUnload(ui::QueryUnloadEvent& e);
    void Form_Resize();
    void Form_TrayNotify(ui::TrayMouse mouse);
    void FillRunMenu();
    void Form_TaskbarCreated();
    void Timer1_Timer();
    // The tree.
    void TreeView1_Click();
    void TreeView1_DblClick();
    void TreeView1_KeyDown(int keyCode);
    void TreeView1_MouseUp(const ui::TreeMouseEvent& e);
    void TreeView1_AfterLabelEdit(ui::LabelEditEvent& e);
    // The search box.
    void txtSearch_Change();
    void txtSearch_GotFocus();
    void txtSearch_LostFocus();
    void txtSearch_KeyDown(ui::KeyEvent& e);
    // The hot key (the quick-launch box), and things dropped on the tree.
    void Hotkey_Pressed();
    frmQuick& Quick() { return *quick_; }
    Usage& Learned() { return usage_; }
    static bool TreeView1_DropQuery(const ui::DropEvent& e);
    void TreeView1_Dropped(const ui::DropEvent& e);
    // The buttons and the item context menu.
    void cmdRun_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void mnuFileRun_Click() { cmdRun_Click(); }
    void mnuFileEdit_Click() { cmdEdit_Click(); }
    void mnuFileDelete_Click() { cmdDelete_Click(); }
    // The category context menu.
    void mnuCatAddNew_Click();
    void mnuCatDelete_Click();
    // The menu bar.
    void mnuNew_Click();
    void mnuNewCategory_Click();
    void mnuRemove_Click();
    void mnuOptions_Click();
    void mnuExit_Click();
    void mnuUpdate_Click();
    void mnuSupport_Click();
    void mnuQuopa_Click();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuRestore_Click() { OpenRestore(); }
    // The tray menu.
    void mnuPopupShow_Click();
    void mnuPopupApplication_Click(int index);
    void mnuPopupRemove_Click();
    void mnuPopUpExit_Click();
    // The found-app context menu; the category menu also shows hidden found apps again.
    void mnuFoundAdd_Click();
    void mnuFoundHide_Click();
    void mnuShowHidden_Click();

    // The other windows, opened from here. A modeless wizard (from a category's menu) stays
    // open while the main window goes on; opening it again brings it forward.
    void OpenAddItem(const std::string& category, bool modeless);
    void OpenEditItem(std::string key);
    // The wizard opened without waiting, while it is up; null otherwise.
    frmAddItem* ModelessWizard() const {
        return wizard_ && wizard_->form.Loaded() ? wizard_.get() : nullptr;
    }
    void OpenNewCategory();
    void OpenOptions();
    void OpenUpdate();
    void OpenAbout();
    // The kept versions of the list, one to restore after a question.
    void OpenRestore();
    // The wizard filled from a found app, to make it an item of the user's list.
    void OpenAddFound(const std::string& key);

    // Routines.
    void AddDriveToCaption();
    void ApplyLanguage();
    void loadsettings();
    int GetTaskbarHeight();
    void PlaceAboveTaskbar();
    void RegisterTrayIcon();
    void ShowDiskInfo();
    // Holds the stored hot key for the window; tells the user once when it is taken.
    void ApplyHotkey();
    void IntList();
    // Shows or takes away the found apps, as the settings file says.
    void ApplyPortableApps();
    FoundApps& Found() { return *found_; }
    VersionRing& Versions() { return versions_; }
    // One line for each version: its time, its items, how it differs from the next newer.
    std::vector<std::string> VersionLines(const std::vector<VersionRing::Version>& versions);
    void EndProgram();
    // Asks, starts the device-removal tool and ends; stays when the tool will not start.
    void SafelyRemoveDevice();
    bool ReleaseDrive();

    const std::string& ProgramFolder() const { return programFolder_; }
    const std::string& AppsFile() const { return appsFile_; }
    const std::string& SettingsFile() const { return settingsFile_; }
    bool ShowDiskInfoNext = false;
    bool DriveCaptionDone = false;

    // Controls, named as the windows and their handlers know them.
    ui::Form form;
    ui::TreeView TreeView1;
    ui::TextBox txtSearch;
    ui::Button cmdRun, cmdDelete, cmdEdit;
    ui::Frame Frame1, frmDiskInfo, Frame2;
    ui::PictureBox picAvatar, Image2;
    ui::Label lblAppTitle, lblAppDescription;
    ui::Label lblUserDevice, lblAddress, lblCity, lblPhone, lblEmail;
    ui::Label Label6, Label5;
    ui::ProgressBar ProgressBar1;
    ui::Timer Timer1;
    ui::Timer tmrItemPass;   // paces the look at the items' own files after each build
    ui::Timer tmrUsage;      // writes what the starts taught, at most once a minute
    ui::Timer tmrQuickRead;  // hands a load's reading to the quick box once the window is idle
    ui::ImageList ilIcons;
    ui::MenuItem menuBar;
    ui::MenuItem* mnuFile = nullptr;
    ui::MenuItem *mnuNew = nullptr, *mnuNewCategory = nullptr, *mnuRemove = nullptr;
    ui::MenuItem *mnuOptions = nullptr, *mnuExit = nullptr;
    ui::MenuItem* mnuEdit = nullptr;
    ui::MenuItem *mnuUndo = nullptr, *mnuRedo = nullptr, *mnuRestore = nullptr;
    ui::MenuItem* mnuHelp = nullptr;
    ui::MenuItem *mnuUpdate = nullptr, *mnuSupport = nullptr, *mnuQuopa = nullptr;
    ui::MenuItem mnuFileRightClick{{.caption = "File", .visible = false}};
    ui::MenuItem *mnuFileRun = nullptr, *mnuFileEdit = nullptr, *mnuFileDelete = nullptr;
    ui::MenuItem mPopupSys{{.caption = "TooltipPopup", .visible = false}};
    ui::MenuItem* mnuPopupShow = nullptr;
    ui::MenuItem* mnuPopupRun = nullptr;
    ui::MenuArray mnuPopupApplication;
    ui::MenuItem* mnuPopupRemove = nullptr;
    ui::MenuItem* mnuPopUpExit = nullptr;
    ui::MenuItem mnuCatRightClick{{.caption = "Category", .visible = false}};
    ui::MenuItem *mnuCatAddNew = nullptr, *mnuCatDelete = nullptr;
    ui::MenuItem mnuFoundRightClick{{.caption = "Found", .visible = false}};
    ui::MenuItem *mnuFoundRun = nullptr, *mnuFoundAdd = nullptr;
    ui::MenuItem *mnuFoundHide = nullptr, *mnuFoundShowHidden = nullptr;
    ui::MenuItem *mnuCatShowHiddenBar = nullptr, *mnuCatShowHidden = nullptr;

  private:
    void CreateControls();
    void CreateSidebar();
    void CreatePanel();
    void CreateMenus();
    void CreatePopupMenus();
    void WireEvents();
    void WireMenus();
    void WireTree();

    // The selected node when it is an item, else null.
    ui::TreeNode* SelectedItemNode() const;
    // The found app the selected node stands for, else null.
    const FoundApp* SelectedFound() const;
    // What Run, Enter and a double-click start: an item or a found app, not a category.
    static bool IsRow(const ui::TreeNode& node);
    ui::TreeNode* SelectedRow() const;
    // The found apps the user hid, by folder name and entry, as the settings file keeps them.
    std::vector<std::string> HiddenFound();
    void ApplyHiddenFound();
    // Fills the panel for a selected found app; false for any other node.
    bool ShowFound(const ui::TreeNode& node);
    void CreateFoundApps();
    // Keys by value: the questions let the window's commands run, which may rebuild the tree.
    void DeleteItem(std::string key);
    void DeleteCategory(std::string key);
    void RenameCategory(ui::LabelEditEvent& e);
    // The open wizard's category list follows the tree; `from` renamed to `to` keeps its pick.
    void CategoriesChanged(const std::string& from = "", const std::string& to = "");
    // False after telling the user that the apps file (or `file`) refused the change.
    bool Written(bool ok) { return Written(ok, appsFile_); }
    bool Written(bool ok, const std::string& file);
    bool BringWizardForward();
    // The row after (or before) `from` in the tree's order, categories skipped.
    ui::TreeNode* NeighbourItem(const ui::TreeNode* from, bool down) const;
    void RunFromKeyboard();
    // Each change of the apps file becomes a step to undo and its old state a kept version.
    using SharedText = std::shared_ptr<const std::string>;
    void ListReplaced(const std::string& file, const SharedText& before, const SharedText& after);
    void ShowUndoSteps();
    void Replayed(UndoHistory::Outcome outcome, const char* what);
    void TellIfNoVersionKept();
    // At start-up: a list that cannot be read as one is offered back from its newest version.
    void OfferNewestVersion();
    bool RestoreList(const std::string& bytes);
    // The quick-launch box's lists, and its starts; every start counts for its item.
    void CreateQuick();
    static QuickItem QuickItemOf(ListedItem&& item);
    void QuickRead(std::vector<ListedItem>& read);
    void QuickTakeRead();
    std::optional<QuickItem> QuickItemRead(int n);
    // The box learns of the items a command changed without a load (their keys or sections);
    // none, when the command changed nothing the box shows.
    void QuickItemsChanged(const std::vector<std::string>& keys);
    std::vector<QuickItem> QuickItems();
    std::vector<QuickItem> QuickFound();
    void QuickRun(const QuickItem& item, const std::string& typed);
    void CountStart(const std::string& key, const std::string& typed = "");
    void AddDropped(std::vector<DroppedItem> items, const std::string& category,
                    const std::string& categoryText);

    AppContext& ctx_;
    ui::Backend& backend_;
    platform::Services& sys_;
    modINI& ini_;
    ProgramState& state_;
    std::string programFolder_, appsFile_, settingsFile_;
    Launcher launcher_;
    std::unique_ptr<TreeLoader> loader_;  // made with the menus it fills
    std::unique_ptr<FoundApps> found_;    // and what it shows beside the user's list
    bool trayRegistered_ = false;         // the start-up got as far as the tray icon
    std::unique_ptr<frmAddItem> wizard_;  // the wizard opened without waiting, while it is up
    Usage usage_;
    std::unique_ptr<frmQuick> quick_;
    // The last load's reading, until the box takes it: after the command has shown its result.
    std::optional<std::vector<ListedItem>> quickRead_;
    platform::FileInfo quickReadOf_;  // the apps file as that load read it
    std::string quickTyped_;          // the box's text while it starts a found app
    platform::KeyCombo hotkey_;       // the combination held for the window
    std::string refusedHotkey_;       // the combination the user was told is taken
    UndoHistory history_;
    VersionRing versions_;
    bool toldNoVersion_ = false;  // once per start
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace quopa
