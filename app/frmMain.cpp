#include "app/frmMain.h"

#include "app/command_ids.h"
#include "launch/drive_paths.h"
#include "platform/debug_trace.h"
#include "settings/language.h"
#include "store/data_files.h"

namespace quopa {

namespace {
constexpr ui::Color kGreyText = ui::Color::Rgb(0x80, 0x80, 0x80);
}

frmMain::frmMain(AppContext& ctx)
    : form(ctx.backend),
      ctx_(ctx),
      backend_(ctx.backend),
      sys_(ctx.sys),
      ini_(ctx.ini),
      state_(ctx.state),
      programFolder_(ctx.programFolder),
      appsFile_(quopa::AppsFile(programFolder_)),
      settingsFile_(quopa::SettingsFile(programFolder_)),
      launcher_(ctx.ini, ctx.sys.shell, ctx.sys.desktop, ctx.state, programFolder_, appsFile_,
                &ctx.sys.files),
      usage_(ctx.sys.files, UsageFile(programFolder_)),
      history_(ctx.ini, appsFile_),
      versions_(ctx.sys.files, ctx.sys.codePage, VersionsFolder(programFolder_)) {
    // The engine may outlive this window, and a window made after it takes the engine over.
    ini_.onReplaced = [this, alive = alive_](const std::string& file, const SharedText& before,
                                             const SharedText& after) {
        if (!*alive) return;
        if (quick_ && file == appsFile_) quick_->ListWritten();
        ListReplaced(file, before, after);
    };
}

frmMain::~frmMain() {
    *alive_ = false;
}

void frmMain::Create() {
    // The apps file is parsed on the other core while the window is built.
    ini_.ParseAhead(appsFile_);
    platform::TimedStep step("window, controls and menus created");
    ui::FormArgs args;
    args.caption = kAppTitle;
    args.clientWidth = 11460;
    args.clientHeight = 5790;
    args.className = "QuopaMainWindow";
    form.Create(args);
    CreateControls();
    CreateMenus();
    loader_ = std::make_unique<TreeLoader>(
        TreeTargets{TreeView1, ilIcons, *mnuPopupRun, mnuPopupApplication, &tmrItemPass}, ini_,
        launcher_, sys_, state_, appsFile_, [this] { backend_.Repaint(); });
    CreateQuick();
    CreateFoundApps();
    WireEvents();
    step.End();
    Form_Load();
}

void frmMain::CreateControls() {
    TreeView1.Create(
        form,
        {.control = {.bounds = {120, 240, 3615, 4935}}, .labelEdit = true, .acceptDrops = true});
    txtSearch.Create(
        form, {.text = "Search...", .bounds = {120, 5280, 3615, 375}, .foreColor = kGreyText});
    cmdRun.Create(form, {.text = "&Run", .bounds = {4080, 4680, 3255, 495}, .enabled = false});
    cmdDelete.Create(form,
                     {.text = "&Delete", .bounds = {4080, 5280, 1575, 375}, .enabled = false});
    cmdEdit.Create(form, {.text = "&Edit", .bounds = {5760, 5280, 1575, 375}, .enabled = false});
    CreateSidebar();
    CreatePanel();
    ilIcons.Create(form);
}

void frmMain::CreatePanel() {
    Frame2.Create(form, {.text = "Application", .bounds = {3840, 2400, 3735, 2055}});
    Image2.Create(Frame2, {.bounds = {120, 300, 480, 480}});
    lblAppTitle.Create(Frame2,
                       {.bounds = {720, 300, 2895, 480}, .font = {.bold = true, .points = 12}});
    lblAppDescription.Create(Frame2, {.bounds = {120, 900, 3495, 1035}});
}

void frmMain::CreateSidebar() {
    Frame1.Create(form, {.text = "User Info", .bounds = {3840, 120, 3735, 2055}});
    picAvatar.Create(Frame1, {.bounds = {120, 240, 615, 615}});
    picAvatar.SetPicture(sys_.desktop.AppIcon());
    lblUserDevice.Create(Frame1, {.text = "John Doe's Portable Device",
                                  .bounds = {840, 240, 2775, 615},
                                  .font = {.bold = true}});
    lblAddress.Create(Frame1, {.bounds = {120, 960, 3495, 240}});
    lblCity.Create(Frame1, {.bounds = {120, 1200, 3495, 240}});
    lblPhone.Create(Frame1, {.bounds = {120, 1440, 3495, 240}});
    lblEmail.Create(Frame1, {.bounds = {120, 1680, 3495, 240}});

    frmDiskInfo.Create(form,
                       {.text = "Disk Info", .bounds = {7680, 120, 3735, 2055}, .visible = false});
    frmDiskInfo.BringToFront();  // when shown, it covers the User Info frame
    Label6.Create(
        frmDiskInfo,
        {.text = "D:", .bounds = {120, 240, 615, 495}, .font = {.bold = true, .points = 18}});
    Label5.Create(frmDiskInfo, {.text = "Disk space used:", .bounds = {120, 1440, 1935, 255}});
    ProgressBar1.Create(frmDiskInfo, {.bounds = {120, 1680, 3495, 255}});
    Timer1.Create(form, {.interval = 8000, .enabled = true});
    tmrItemPass.Create(form, {.interval = 10, .enabled = false});
}

void frmMain::WireEvents() {
    form.onQueryUnload = [this](ui::QueryUnloadEvent& e) { Form_QueryUnload(e); };
    form.onResize = [this] { Form_Resize(); };
    form.onTrayNotify = [this](ui::TrayMouse m) { Form_TrayNotify(m); };
    form.onTaskbarCreated = [this] { Form_TaskbarCreated(); };
    // A command may name a tray entry (a tool or a shortcut) before the menu was opened.
    form.onBeforeCommand = [this](int) { FillRunMenu(); };
    Timer1.onTimer = [this] { Timer1_Timer(); };
    tmrItemPass.onTimer = [this] { loader_->ContinuePass(); };
    txtSearch.onChange = [this] { txtSearch_Change(); };
    txtSearch.onGotFocus = [this] { txtSearch_GotFocus(); };
    txtSearch.onLostFocus = [this] { txtSearch_LostFocus(); };
    txtSearch.onKeyDown = [this](ui::KeyEvent& e) { txtSearch_KeyDown(e); };
    TreeView1.onDropQuery = [](const ui::DropEvent& e) { return TreeView1_DropQuery(e); };
    TreeView1.onDropped = [this](const ui::DropEvent& e) { TreeView1_Dropped(e); };
    cmdRun.onClick = [this] { cmdRun_Click(); };
    cmdEdit.onClick = [this] { cmdEdit_Click(); };
    cmdDelete.onClick = [this] { cmdDelete_Click(); };
    WireTree();
    WireMenus();
}

void frmMain::Form_Load() {
    form.SetWidth(7740);
    frmDiskInfo.SetLeft(3840);
    platform::TimedStep settings("user info read");
    loadsettings();
    settings.End();
    ShowDiskInfoNext = true;
    if (sys_.process.AnotherInstanceRunning()) {
        sys_.desktop.MsgBox(0, "Quopa is already running!", kAppTitle,
                            platform::kMbIconCritical | platform::kMbOk);
        sys_.process.End();
        return;
    }
    platform::TimedStep shown("window shown");
    form.Show();
    shown.End();
    platform::TimedStep placed("caption, place, tray icon, disk info");
    DriveCaptionDone = false;
    AddDriveToCaption();
    ApplyLanguage();
    PlaceAboveTaskbar();
    RegisterTrayIcon();
    ShowDiskInfo();
    placed.End();
    OfferNewestVersion();
    IntList();
    ApplyHotkey();
}

void frmMain::Form_QueryUnload(ui::QueryUnloadEvent& e) {
    // The window is never closed while the program runs: it goes to the tray.
    e.cancel = true;
    form.SetWindowState(ui::WindowState::Minimized);
}

void frmMain::Form_Resize() {
    if (form.State() != ui::WindowState::Minimized) return;
    form.Hide();
}

void frmMain::AddDriveToCaption() {
    if (DriveCaptionDone) return;
    // On a network share the share root stands for the drive, as the editor's browse
    // step and the %drive% token take it.
    state_.LauncherDrive = DriveOfFolder(programFolder_);
    DriveCaptionDone = true;
    form.SetText(form.Text() + " [" + state_.LauncherDrive + "]");
}

void frmMain::ApplyLanguage() {
    // From the stored language every time, so a switch back to English shows at once.
    Frame2.SetText(ApplicationCaption(StoredLanguage(ini_, settingsFile_)));
}

void frmMain::IntList() {
    platform::TimedStep step("tree load (IntList)");
    loader_->IntList();
}

}  // namespace quopa
