#pragma once
// The options dialog: the owner's details for the sidebar, the avatar, the language and the
// hot key.
// Opened per use: frmOptions dlg(ctx, onApplied); dlg.Create(); dlg.ShowModal(owner);
#include <functional>
#include <memory>
#include <string>

#include "context/app_context.h"

namespace quopa {

class frmOptions {
  public:
    // `onApplied` runs after every Apply (OK included): the main window rereads the
    // language and the sidebar there.
    frmOptions(AppContext& ctx, std::function<void()> onApplied);
    ~frmOptions();
    frmOptions(const frmOptions&) = delete;
    frmOptions& operator=(const frmOptions&) = delete;

    // Creates the window with its controls, then runs Form_Load.
    void Create();
    // Runs the dialog over `owner` until it closes.
    void ShowModal(ui::Form& owner);

    // Events.
    void Form_Load();
    void txtField_Change();
    void cmdSelectAvatar_Click();
    void cmdApply_Click() { Apply(); }
    void cmdOK_Click();
    void cmdCancel_Click();

    // Routines.
    void loadsettings();

    // Controls, in their tab order.
    ui::Form form;
    ui::Button cmdApply, cmdCancel, cmdOK;
    ui::TextBox txtUserName, txtAddress, txtCity, txtPhone, txtEmail, txtAvatarPath;
    ui::Button cmdSelectAvatar;
    ui::ComboBox cmbLanguage;
    ui::CheckBox chkPortableApps;
    ui::HotkeyBox hkHotkey;  // the combination that brings the launcher up; empty: none
    ui::Label Label1, Label4, Label2, Label3, Label5, Label6, Label7, Label8, Label9;
    ui::Label lblHotkey;
    ui::Line Line1, Line2;

  private:
    // False when the drive refused the details or the avatar: the user has been told.
    bool Apply();
    void CreateControls();
    void CreateLabels();
    void WireEvents();

    AppContext& ctx_;
    std::function<void()> onApplied_;
    std::string settingsFile_;
    platform::OpenFileArgs dlgOpenAvatar;
    // Cleared when this object dies, so a focus request still queued finds nothing.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace quopa
