#pragma once
// The main window: the tree of items, the sidebar and the tray icon.
#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "launch/launcher.h"
#include "tree/tree_loader.h"

namespace quopa {

class frmMain {
  public:
    explicit frmMain(AppContext& ctx);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // Creates the window with its designed controls, then runs Form_Load.
    void Create();

    // Events.
    void Form_Load();
    void Form_QueryUnload(ui::QueryUnloadEvent& e);
    void Form_Resize();
    void Form_TrayNotify(int mouseMessage);
    void Form_TaskbarCreated();
    void mnuExit_Click();
    void mnuPopupShow_Click();
    void mnuPopupApplication_Click(int index);
    void mnuPopupRemove_Click();
    void mnuPopUpExit_Click();
    void Timer1_Timer();

    // Routines.
    void AddDriveToCaption();
    void ApplyLanguage();
    void loadsettings();
    int GetTaskbarHeight();
    void PlaceAboveTaskbar();
    void RegisterTrayIcon();
    void ShowDiskInfo();
    void IntList();
    void EndProgram();

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
    ui::PictureBox picAvatar;
    ui::Label lblUserDevice, lblAddress, lblCity, lblPhone, lblEmail;
    ui::Label Label6, Label5;
    ui::ProgressBar ProgressBar1;
    ui::Timer Timer1;
    ui::ImageList ilIcons;
    ui::MenuItem menuBar;
    ui::MenuItem* mnuFile = nullptr;
    ui::MenuItem* mnuExit = nullptr;
    ui::MenuItem mPopupSys{{"TooltipPopup"}};
    ui::MenuItem* mnuPopupShow = nullptr;
    ui::MenuItem* mnuPopupRun = nullptr;
    ui::MenuArray mnuPopupApplication;
    ui::MenuItem* mnuPopupRemove = nullptr;
    ui::MenuItem* mnuPopUpExit = nullptr;

  private:
    void CreateControls();
    void CreateSidebar();
    void CreateMenus();
    void WireEvents();

    AppContext& ctx_;
    ui::Backend& backend_;
    platform::Services& sys_;
    modINI& ini_;
    ProgramState& state_;
    std::string programFolder_, appsFile_, settingsFile_;
    Launcher launcher_;
    std::unique_ptr<TreeLoader> loader_;  // made with the menus it fills
    bool trayRegistered_ = false;         // the start-up got as far as the tray icon
};

}  // namespace quopa
