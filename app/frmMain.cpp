#include "app/frmMain.h"

#include "app/command_ids.h"
#include "store/data_files.h"

namespace quopa {

namespace {
constexpr std::uint32_t kGreyText = 0x808080;
}

frmMain::frmMain(ui::Backend& backend, platform::Services& sys, modINI& ini, ProgramState& state)
    : form(backend),
      backend_(backend),
      sys_(sys),
      ini_(ini),
      state_(state),
      programFolder_(sys.process.ProgramFolder()),
      appsFile_(quopa::AppsFile(programFolder_)),
      settingsFile_(quopa::SettingsFile(programFolder_)),
      launcher_(ini, sys.shell, sys.desktop, state, programFolder_, appsFile_) {}

void frmMain::Create() {
    ui::FormArgs args;
    args.caption = kAppTitle;
    args.clientWidth = 11460;
    args.clientHeight = 5790;
    args.className = "QuopaMainWindow";
    form.Create(args);
    CreateControls();
    CreateMenus();
    loader_ = std::make_unique<TreeLoader>(
        TreeTargets{TreeView1, ilIcons, *mnuPopupRun, mnuPopupApplication}, ini_, launcher_, sys_,
        state_, appsFile_, [this] { backend_.DoEvents(); });
    WireEvents();
    Form_Load();
}

void frmMain::CreateControls() {
    TreeView1.Create(form, {{"", {120, 240, 3615, 4935}}});
    txtSearch.Create(form, {"Search...", {120, 5280, 3615, 375}}, kGreyText);
    cmdRun.Create(form, {"&Run", {4080, 4680, 3255, 495}, false});
    cmdDelete.Create(form, {"&Delete", {4080, 5280, 1575, 375}, false});
    cmdEdit.Create(form, {"&Edit", {5760, 5280, 1575, 375}, false});
    CreateSidebar();
    Frame2.Create(form, {"Application", {3840, 2400, 3735, 2055}});
    ilIcons.Create(form);
}

void frmMain::CreateSidebar() {
    Frame1.Create(form, {"User Info", {3840, 120, 3735, 2055}});
    picAvatar.Create(Frame1, {"", {120, 240, 615, 615}});
    picAvatar.SetPicture(sys_.desktop.AppIcon());
    ui::ControlArgs device{"John Doe's Portable Device", {840, 240, 2775, 615}};
    device.font.bold = true;
    lblUserDevice.Create(Frame1, device);
    lblAddress.Create(Frame1, {"", {120, 960, 3495, 240}});
    lblCity.Create(Frame1, {"", {120, 1200, 3495, 240}});
    lblPhone.Create(Frame1, {"", {120, 1440, 3495, 240}});
    lblEmail.Create(Frame1, {"", {120, 1680, 3495, 240}});

    frmDiskInfo.Create(form, {"Disk Info", {7680, 120, 3735, 2055}, true, false});
    ui::ControlArgs drive{"D:", {120, 240, 615, 495}};
    drive.font = {true, 18};
    Label6.Create(frmDiskInfo, drive);
    Label5.Create(frmDiskInfo, {"Disk space used:", {120, 1440, 1935, 255}});
    ProgressBar1.Create(frmDiskInfo, {"", {120, 1680, 3495, 255}});
    Timer1.Create(form, 8000, true);
}

void frmMain::CreateMenus() {
    mnuFile = &menuBar.Add({"&File"});
    mnuExit = &mnuFile->Add({"&Exit", cmd::kExit});
    form.SetMenuBar(&menuBar);

    mnuPopupShow = &mPopupSys.Add({"&Show", cmd::kPopupShow});
    mPopupSys.Add({"-"});
    mnuPopupRun = &mPopupSys.Add({"R&un", 0, false});
    mnuPopupApplication.Create(*mnuPopupRun, cmd::kPopupApplicationBase, 1, "App");
    mPopupSys.Add({"-"});
    mnuPopupRemove = &mPopupSys.Add({"Safely &Remove Device", cmd::kPopupRemove});
    mnuPopUpExit = &mPopupSys.Add({"&Exit", cmd::kPopUpExit});
    form.AddCommandSource(mPopupSys);
}

void frmMain::WireEvents() {
    form.onQueryUnload = [this](ui::QueryUnloadEvent& e) { Form_QueryUnload(e); };
    form.onResize = [this] { Form_Resize(); };
    form.onTrayNotify = [this](int m) { Form_TrayNotify(m); };
    form.onTaskbarCreated = [this] { Form_TaskbarCreated(); };
    mnuExit->onClick = [this] { mnuExit_Click(); };
    mnuPopupShow->onClick = [this] { mnuPopupShow_Click(); };
    mnuPopupApplication.onClick = [this](int index) { mnuPopupApplication_Click(index); };
    mnuPopupRemove->onClick = [this] { mnuPopupRemove_Click(); };
    mnuPopUpExit->onClick = [this] { mnuPopUpExit_Click(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
}

void frmMain::Form_Load() {
    startupTrace_.clear();
    Step("narrow");
    form.SetWidth(7740);
    frmDiskInfo.SetLeft(3840);
    Step("loadsettings");
    loadsettings();
    ShowDiskInfoNext = true;
    Step("single-instance");
    if (sys_.process.AnotherInstanceRunning()) {
        sys_.desktop.MsgBox(0, "Quopa is already running!", kAppTitle,
                            platform::kMbIconCritical | platform::kMbOk);
        sys_.process.End();
        return;
    }
    Step("show");
    form.Show();
    Step("caption");
    DriveCaptionDone = false;
    AddDriveToCaption();
    Step("language");
    ApplyLanguage();
    Step("placement");
    PlaceAboveTaskbar();
    Step("tray");
    RegisterTrayIcon();
    Step("disk");
    ShowDiskInfo();
    Step("tree");
    IntList();
}

void frmMain::Form_QueryUnload(ui::QueryUnloadEvent& e) {
    // The window is never closed while the program runs: it goes to the tray.
    e.cancel = true;
    form.SetWindowState(ui::WindowState::Minimized);
}

void frmMain::Form_Resize() {
    if (form.State() == ui::WindowState::Minimized) form.Hide();
}

void frmMain::AddDriveToCaption() {
    if (DriveCaptionDone) return;
    const std::string& folder = programFolder_;
    std::string::size_type sep = folder.find('\\');
    std::string first = folder.substr(0, sep);
    // A network path ("\\server\share") has an empty first piece: the whole path stands in.
    state_.LauncherDrive = first.empty() ? folder : first;
    DriveCaptionDone = true;
    form.SetText(form.Text() + " [" + state_.LauncherDrive + "]");
}

void frmMain::ApplyLanguage() {
    // The interface is English until the options dialog offers another language.
}

void frmMain::IntList() {
    loader_->IntList();
}

void frmMain::mnuExit_Click() {
    EndProgram();
}
void frmMain::mnuPopUpExit_Click() {
    EndProgram();
}

void frmMain::EndProgram() {
    sys_.tray.Remove();
    state_.TrayIconData.added = false;
    sys_.process.End();
}

void frmMain::mnuPopupRemove_Click() {
    int answer = sys_.desktop.MsgBox(form.Handle(), "This action will quit Quopa, continue?",
                                     kAppTitle, platform::kMbIconInformation | platform::kMbYesNo);
    if (answer != platform::kIdYes) return;
    constexpr int kShowMinimized = 2;
    if (!sys_.shell.StartProcess("rundll32 shell32.dll,Control_RunDLL hotplug.dll",
                                 kShowMinimized)) {
        // Ending now would leave the user with neither the tool nor the launcher.
        sys_.desktop.MsgBox(form.Handle(), "The device removal tool could not be started.",
                            kAppTitle, platform::kMbIconCritical | platform::kMbOk);
        return;
    }
    EndProgram();
}

}  // namespace quopa
