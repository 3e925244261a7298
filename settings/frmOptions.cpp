#include "settings/frmOptions.h"

#include "context/messages.h"
#include "settings/avatar.h"
#include "settings/hotkey_setting.h"
#include "settings/language.h"
#include "store/data_files.h"
#include "tree/portable_apps.h"

namespace quopa {

namespace {

constexpr char kUserInfo[] = "UserInfo";

}  // namespace

frmOptions::frmOptions(AppContext& ctx, std::function<void()> onApplied)
    : form(ctx.backend),
      ctx_(ctx),
      onApplied_(std::move(onApplied)),
      settingsFile_(SettingsFile(ctx.programFolder)) {}

frmOptions::~frmOptions() {
    *alive_ = false;
    ctx_.sys.hotkey.Suspend(false);
}

void frmOptions::Create() {
    form.Create({.caption = "Options",
                 .clientWidth = 6255,
                 .clientHeight = 5715,
                 .minButton = false,
                 .className = "QuopaOptions"});
    CreateControls();
    WireEvents();
    Form_Load();
}

void frmOptions::CreateControls() {
    // Creation order is the tab order: the buttons first, so Apply has the focus.
    cmdApply.Create(form, {.text = "&Apply", .bounds = {4800, 5280, 1335, 375}});
    cmdCancel.Create(form,
                     {.text = "&Cancel", .bounds = {3360, 5280, 1335, 375}, .isCancel = true});
    cmdOK.Create(form, {.text = "&OK", .bounds = {1920, 5280, 1335, 375}});
    txtUserName.Create(form, {.bounds = {1920, 840, 4215, 375}, .maxLength = 20});
    txtAddress.Create(form, {.bounds = {1920, 1320, 4215, 375}, .maxLength = 30});
    txtCity.Create(form, {.bounds = {1920, 1800, 4215, 375}, .maxLength = 30});
    txtPhone.Create(form, {.bounds = {1920, 2280, 4215, 375}, .maxLength = 25});
    txtEmail.Create(form, {.bounds = {1920, 2760, 4215, 375}, .maxLength = 30});
    txtAvatarPath.Create(form, {.bounds = {1920, 3240, 3615, 375}});
    cmdSelectAvatar.Create(form, {.text = "...", .bounds = {5640, 3240, 495, 375}});
    cmbLanguage.Create(form, {.bounds = {1920, 4440, 4215, 315}});
    chkPortableApps.Create(
        form, {.text = "Load PortableApps applications", .bounds = {240, 3960, 3975, 255}});
    hkHotkey.Create(form, {.bounds = {1920, 4800, 4215, 315}});
    CreateLabels();
}

void frmOptions::CreateLabels() {
    Label1.Create(form, {.text = "You can use this form to modify Quopa to suit your needs",
                         .bounds = {120, 120, 6015, 255}});
    Line2.Create(form, {.bounds = {120, 480, 6000, 30}});
    Label4.Create(form,
                  {.text = "This info will be shown in the sidebar. You can leave these empty.",
                   .bounds = {120, 600, 5775, 255}});
    Label2.Create(form, {.text = "User name:", .bounds = {120, 960, 1095, 255}});
    Label3.Create(form, {.text = "Address:", .bounds = {120, 1440, 1215, 255}});
    Label5.Create(form, {.text = "City:", .bounds = {120, 1920, 1335, 255}});
    Label6.Create(form, {.text = "Phone:", .bounds = {120, 2400, 1335, 255}});
    Label7.Create(form, {.text = "E-mail:", .bounds = {120, 2880, 1575, 255}});
    Label8.Create(form, {.text = "User avatar:", .bounds = {120, 3360, 1575, 255}});
    Line1.Create(form, {.bounds = {120, 3720, 6000, 30}});
    Label9.Create(form, {.text = "Language:", .bounds = {120, 4440, 1215, 255}});
    lblHotkey.Create(form, {.text = "Hot key:", .bounds = {120, 4830, 1215, 255}});
}

void frmOptions::WireEvents() {
    for (ui::TextBox* box :
         {&txtUserName, &txtAddress, &txtCity, &txtPhone, &txtEmail, &txtAvatarPath}) {
        box->onChange = [this] { txtField_Change(); };
    }
    chkPortableApps.onClick = [this] { txtField_Change(); };
    hkHotkey.onChange = [this] { txtField_Change(); };
    // Held, the hot key would never reach its own box: it could not be typed back.
    hkHotkey.onGotFocus = [this] { ctx_.sys.hotkey.Suspend(true); };
    hkHotkey.onLostFocus = [this] { ctx_.sys.hotkey.Suspend(false); };
    cmdSelectAvatar.onClick = [this] { cmdSelectAvatar_Click(); };
    cmdApply.onClick = [this] { cmdApply_Click(); };
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void frmOptions::ShowModal(ui::Form& owner) {
    ctx_.backend.Post([this, alive = std::weak_ptr<bool>(alive_)] {
        if (auto still = alive.lock(); still && *still && form.Loaded()) cmdApply.SetFocus();
    });
    form.ShowModal(owner);
}

void frmOptions::Form_Load() {
    loadsettings();
    dlgOpenAvatar = {.owner = form.Handle(),
                     .title = "Select an image",
                     .filter = "Pictures (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg",
                     .filterIndex = 1,
                     .flags = platform::kOfnHideReadOnly | platform::kOfnFileMustExist |
                              platform::kOfnExplorer | platform::kOfnLongNames,
                     .initialFolder = ctx_.programFolder};
}

void frmOptions::loadsettings() {
    cmbLanguage.AddItem("English");
    cmbLanguage.AddItem("Dutch");
    auto read = [this](const char* key) {
        return ctx_.ini.ReadIni(kUserInfo, key, "", settingsFile_);
    };
    txtUserName.SetText(read("UserName"));
    txtAddress.SetText(read("UserAddress"));
    txtCity.SetText(read("UserCity"));
    txtPhone.SetText(read("UserPhone"));
    txtEmail.SetText(read("UserEmail"));
    cmbLanguage.SetText(StoredLanguage(ctx_.ini, settingsFile_));
    if (cmbLanguage.ListIndex() < 0) cmbLanguage.SetListIndex(0);
    chkPortableApps.SetValue(PortableAppsWanted(ctx_.ini, settingsFile_) ? 1 : 0);
    hkHotkey.SetCombo(StoredHotkey(ctx_.ini, settingsFile_));
}

void frmOptions::txtField_Change() {
    cmdApply.SetEnabled(true);
}

void frmOptions::cmdSelectAvatar_Click() {
    const platform::FileDialogResult picked = ctx_.sys.fileDialog.Open(dlgOpenAvatar);
    switch (picked.outcome) {
        case platform::FileDialogOutcome::Cancelled:
            return;
        case platform::FileDialogOutcome::Failed:
            ctx_.sys.desktop.MsgBox(form.Handle(), FileDialogFailed(picked), kAppTitle,
                                    platform::kMbOk);
            return;
        case platform::FileDialogOutcome::Chosen:
            txtAvatarPath.SetText(picked.fileName);
            cmdApply.SetEnabled(true);
            return;
    }
}

bool frmOptions::Apply() {
    cmdApply.SetEnabled(false);
    IniKeys keys = {
        {kUserInfo, "UserName", txtUserName.Text()},
        {kUserInfo, "UserAddress", txtAddress.Text()},
        {kUserInfo, "UserCity", txtCity.Text()},
        {kUserInfo, "UserPhone", txtPhone.Text()},
        {kUserInfo, "UserEmail", txtEmail.Text()},
        {kLanguageSection, kLanguageKey, cmbLanguage.Text()},
    };
    // Only a change is stored: a file without the key keeps following the default.
    const bool portableApps = chkPortableApps.Value() == 1;
    if (portableApps != PortableAppsWanted(ctx_.ini, settingsFile_))
        keys.push_back({kPortableAppsSection, kPortableAppsKey, portableApps ? "1" : "0"});
    if (hkHotkey.Combo() != StoredHotkey(ctx_.ini, settingsFile_))
        keys.push_back({kLanguageSection, kHotkeyKey, FormatKeyCombo(hkHotkey.Combo())});
    if (!ctx_.ini.WriteIniKeys(keys, settingsFile_)) {
        // Apply stays pressable, so the details can be saved once the drive takes them.
        cmdApply.SetEnabled(true);
        ctx_.sys.desktop.MsgBox(form.Handle(), CouldNotSave("settings", settingsFile_), kAppTitle,
                                platform::kMbIconCritical | platform::kMbOk);
        return false;
    }
    const std::string source = txtAvatarPath.Text();
    const std::string avatarFile = AvatarFile(ctx_.programFolder);
    const AvatarSaved avatar = SaveAvatar(ctx_.sys, source, avatarFile);
    if (avatar == AvatarSaved::NotAPicture && !source.empty()) {
        ctx_.sys.desktop.MsgBox(form.Handle(), "You have selected an invalid picture!", kAppTitle,
                                platform::kMbIconExclamation | platform::kMbOk);
    } else if (avatar == AvatarSaved::TooLarge) {
        ctx_.sys.desktop.MsgBox(form.Handle(), kPictureTooLarge, kAppTitle,
                                platform::kMbIconExclamation | platform::kMbOk);
    } else if (avatar == AvatarSaved::NotWritten) {
        // The picture was fine; the drive refused it, as it may refuse the details.
        cmdApply.SetEnabled(true);
        ctx_.sys.desktop.MsgBox(form.Handle(), CouldNotSave("avatar", avatarFile), kAppTitle,
                                platform::kMbIconCritical | platform::kMbOk);
    }
    if (onApplied_) onApplied_();
    return avatar != AvatarSaved::NotWritten;
}

void frmOptions::cmdOK_Click() {
    // Even when Apply is disabled: OK always saves. What the drive refused stays on screen.
    if (Apply()) form.Unload();
}

void frmOptions::cmdCancel_Click() {
    form.Unload();
}

}  // namespace quopa
