// The main window's menus and the commands of its menu bar.
#include "app/command_ids.h"
#include "app/frmDriveInUse.h"
#include "app/frmMain.h"
#include "info/update_check.h"

namespace quopa {

void frmMain::CreateMenus() {
    mnuFile = &menuBar.Add({"&File"});
    mnuNew = &mnuFile->Add({.caption = "Add &New Item", .id = cmd::kNew, .shortcut = "Ctrl+I"});
    mnuNewCategory = &mnuFile->Add(
        {.caption = "Add New &Category", .id = cmd::kNewCategory, .shortcut = "Ctrl+C"});
    mnuFile->Add({"-"});
    mnuRemove = &mnuFile->Add({"Safely &remove device", cmd::kRemove});
    mnuFile->Add({"-"});
    mnuOptions = &mnuFile->Add({"&Options", cmd::kOptions});
    mnuExit = &mnuFile->Add({"&Exit", cmd::kExit});
    // Alt+E is the Edit button's.
    mnuEdit = &menuBar.Add({"Edi&t"});
    mnuUndo = &mnuEdit->Add({.caption = "&Undo", .id = cmd::kUndo, .shortcut = "Ctrl+Z"});
    mnuRedo = &mnuEdit->Add({.caption = "&Redo",
                             .id = cmd::kRedo,
                             .shortcut = "Ctrl+Y",
                             .alsoPressed = "Ctrl+Shift+Z"});
    mnuEdit->Add({"-"});
    mnuRestore = &mnuEdit->Add({"Restore an &Earlier List...", cmd::kRestore});
    ShowUndoSteps();
    mnuHelp = &menuBar.Add({"&Help"});
    mnuUpdate = &mnuHelp->Add({"Check for &updates", cmd::kUpdate});
    mnuSupport = &mnuHelp->Add({"Quopa &Support", cmd::kSupport});
    mnuHelp->Add({"-"});
    mnuQuopa = &mnuHelp->Add({"&About Quopa", cmd::kAbout});
    form.SetMenuBar(&menuBar);
    CreatePopupMenus();
}

void frmMain::CreatePopupMenus() {
    mnuFileRun = &mnuFileRightClick.Add({"&Run", cmd::kFileRun});
    mnuFileEdit = &mnuFileRightClick.Add({"&Edit", cmd::kFileEdit});
    mnuFileDelete = &mnuFileRightClick.Add({"&Delete", cmd::kFileDelete});
    form.AddCommandSource(mnuFileRightClick);

    mnuPopupShow = &mPopupSys.Add({"&Show", cmd::kPopupShow});
    mPopupSys.Add({"-"});
    mnuPopupRun = &mPopupSys.Add({.caption = "R&un", .enabled = false});
    mnuPopupApplication.Create(*mnuPopupRun, cmd::kPopupApplicationBase, 1, "App");
    mPopupSys.Add({"-"});
    mnuPopupRemove = &mPopupSys.Add({"Safely &Remove Device", cmd::kPopupRemove});
    mnuPopUpExit = &mPopupSys.Add({"&Exit", cmd::kPopUpExit});
    form.AddCommandSource(mPopupSys);

    mnuCatAddNew = &mnuCatRightClick.Add({"Add &New Item", cmd::kCatAddNew});
    mnuCatDelete = &mnuCatRightClick.Add({"&Delete Category", cmd::kCatDelete});
    form.AddCommandSource(mnuCatRightClick);
}

void frmMain::WireMenus() {
    mnuNew->onClick = [this] { mnuNew_Click(); };
    mnuNewCategory->onClick = [this] { mnuNewCategory_Click(); };
    mnuRemove->onClick = [this] { mnuRemove_Click(); };
    mnuOptions->onClick = [this] { mnuOptions_Click(); };
    mnuExit->onClick = [this] { mnuExit_Click(); };
    mnuUpdate->onClick = [this] { mnuUpdate_Click(); };
    mnuSupport->onClick = [this] { mnuSupport_Click(); };
    mnuQuopa->onClick = [this] { mnuQuopa_Click(); };
    mnuUndo->onClick = [this] { mnuUndo_Click(); };
    mnuRedo->onClick = [this] { mnuRedo_Click(); };
    mnuRestore->onClick = [this] { mnuRestore_Click(); };
    mnuFileRun->onClick = [this] { mnuFileRun_Click(); };
    mnuFileEdit->onClick = [this] { mnuFileEdit_Click(); };
    mnuFileDelete->onClick = [this] { mnuFileDelete_Click(); };
    mnuCatAddNew->onClick = [this] { mnuCatAddNew_Click(); };
    mnuCatDelete->onClick = [this] { mnuCatDelete_Click(); };
    mnuPopupShow->onClick = [this] { mnuPopupShow_Click(); };
    mnuPopupApplication.onClick = [this](int index) { mnuPopupApplication_Click(index); };
    mnuPopupRemove->onClick = [this] { mnuPopupRemove_Click(); };
    mnuPopUpExit->onClick = [this] { mnuPopUpExit_Click(); };
}

void frmMain::mnuNew_Click() {
    OpenAddItem("", false);
}

void frmMain::mnuNewCategory_Click() {
    OpenNewCategory();
}

void frmMain::mnuOptions_Click() {
    OpenOptions();
}

void frmMain::mnuUpdate_Click() {
    OpenUpdate();
}

void frmMain::mnuQuopa_Click() {
    OpenAbout();
}

void frmMain::mnuSupport_Click() {
    launcher_.ShellOpenFile(std::string(kWebsite) + "/forum", platform::kSwShowDefault, "", "",
                            "open", 0);
}

void frmMain::mnuExit_Click() {
    EndProgram();
}

void frmMain::mnuPopUpExit_Click() {
    EndProgram();
}

void frmMain::mnuRemove_Click() {
    SafelyRemoveDevice();
}

void frmMain::mnuPopupRemove_Click() {
    SafelyRemoveDevice();
}

void frmMain::EndProgram() {
    usage_.Save();
    sys_.tray.Remove();
    state_.TrayIconData.added = false;
    sys_.process.End();
}

// The system refuses to stop a drive whose programs still run: they are named and closed
// first. True when none is left (or none can be listed here) and the removal may go on.
bool frmMain::ReleaseDrive() {
    DriveRelease release(sys_.programs, state_.LauncherDrive);
    if (!release.Find() || release.Remaining().empty()) return true;
    frmDriveInUse dialog(ctx_, release);
    dialog.Create();
    dialog.form.ShowModal(form);
    return dialog.Proceed;
}

void frmMain::SafelyRemoveDevice() {
    int answer = sys_.desktop.MsgBox(form.Handle(), "This action will quit Quopa, continue?",
                                     kAppTitle, platform::kMbIconInformation | platform::kMbYesNo);
    if (answer != platform::kIdYes) return;
    if (!ReleaseDrive()) return;
    constexpr int kShowMinimized = 2;
    // Started in the system's folder: in ours, the tool would itself keep the drive in use.
    if (!sys_.shell.StartProcess("rundll32 shell32.dll,Control_RunDLL hotplug.dll", kShowMinimized,
                                 sys_.shell.SystemFolder())) {
        // Ending now would leave the user with neither the tool nor the launcher.
        sys_.desktop.MsgBox(form.Handle(), "The device removal tool could not be started.",
                            kAppTitle, platform::kMbIconCritical | platform::kMbOk);
        return;
    }
    EndProgram();
}

}  // namespace quopa
