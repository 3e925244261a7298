#include "info/frmAbout.h"

#include <string>

#include "info/sys_info.h"

namespace quopa {

void frmAbout::Create() {
    form.Create(
        {.clientWidth = 5730, .clientHeight = 3960, .dialog = true, .className = "QuopaAbout"});
    // The buttons first: OK has the focus, Enter and Esc both press it.
    cmdOK.Create(
        form,
        {.text = "OK", .bounds = {4245, 2625, 1260, 345}, .isDefault = true, .isCancel = true});
    cmdSysInfo.Create(form, {.text = "&System Info...", .bounds = {4260, 3075, 1245, 345}});
    picIcon.Create(form, {.bounds = {240, 240, 480, 480}});
    picIcon.SetPicture(ctx_.sys.desktop.AppIcon());
    lblTitle.Create(form, {.bounds = {1050, 240, 3885, 480}});
    lblVersion.Create(form, {.text = "Version", .bounds = {1050, 780, 3885, 225}});
    lblDescription.Create(form, {.text = "Made by the Quopa developers. Thanks to everyone who "
                                         "tested it, reported a fault or suggested a feature.",
                                 .bounds = {1050, 1125, 3885, 1170}});
    Line1.Create(form, {.bounds = {90, 2445, 5564, 30}});
    lblDisclaimer.Create(form, {.text = " ", .bounds = {255, 2625, 3870, 1305}});
    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdSysInfo.onClick = [this] { cmdSysInfo_Click(); };
    Form_Load();
}

void frmAbout::Form_Load() {
    form.SetText(std::string("About ") + kAppTitle);
    lblVersion.SetText("Version " + std::to_string(kVersionMajor) + "." +
                       std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision));
    lblTitle.SetText(kAppTitle);
}

void frmAbout::cmdOK_Click() {
    form.Unload();
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo(ctx_.sys, form.Handle());
}

}  // namespace quopa
