// The main window's life in the notification area, its place above the taskbar and its
// sidebar.
#include "app/disk_units.h"
#include "app/frmMain.h"
#include "launch/shell_rules.h"
#include "store/data_files.h"
#include "store/item_key.h"

namespace quopa {

void frmMain::Form_TrayNotify(ui::TrayMouse mouse) {
    if (mouse == ui::TrayMouse::LeftUp || mouse == ui::TrayMouse::LeftDoubleClick) {
        form.SetWindowState(ui::WindowState::Normal);
        sys_.desktop.SetForeground(form.Handle());
        form.Show();
    } else if (mouse == ui::TrayMouse::RightUp) {
        // Without this the menu would not close when the user clicks elsewhere.
        sys_.desktop.SetForeground(form.Handle());
        FillRunMenu();
        form.PopupMenu(mPopupSys);
    }
}

// The Run entries are made when first wanted: thousands of them would slow every load.
void frmMain::FillRunMenu() {
    loader_->FillRunMenu();
    if (found_) found_->FillRunMenu();
}

void frmMain::Form_TaskbarCreated() {
    // A restarted shell forgets every icon: without this the hidden window has no way back.
    if (trayRegistered_) RegisterTrayIcon();
}

void frmMain::mnuPopupShow_Click() {
    form.SetWindowState(ui::WindowState::Normal);
    form.Show();
}

void frmMain::mnuPopupApplication_Click(int index) {
    // A command from outside may name the placeholder the menu does not show.
    const ui::MenuItem* entry = mnuPopupApplication.Element(index);
    if (!entry || !entry->Visible()) return;
    if (launcher_.RunApp(ItemSection(index))) CountStart(ItemKey(index));
}

int frmMain::GetTaskbarHeight() {
    platform::PixelRect rect;
    sys_.desktop.TaskbarRect(rect);
    auto pixels = static_cast<std::int16_t>(rect.bottom - rect.top);
    return sys_.desktop.Screen().ToTwipsY(pixels);
}

void frmMain::PlaceAboveTaskbar() {
    platform::ScreenMetrics screen = sys_.desktop.Screen();
    const ui::Bounds& b = form.GetBounds();
    form.Move(screen.WidthTwips() - b.width, screen.HeightTwips() - b.height - GetTaskbarHeight());
}

void frmMain::RegisterTrayIcon() {
    trayRegistered_ = true;
    TrayIconRecord& tray = state_.TrayIconData;
    tray.hWnd = form.Handle();
    tray.uID = 1;
    tray.szTip = form.Text().substr(0, 63);
    tray.added = sys_.tray.Add(tray.hWnd, tray.szTip);
}

void frmMain::loadsettings() {
    auto read = [this](const char* key) {
        return ini_.ReadIni("UserInfo", key, "", settingsFile_);
    };
    std::string name = read("UserName");
    if (name.empty()) name = "John Doe";
    lblUserDevice.SetText(name + "'s Portable Device");
    lblAddress.SetText("Address: " + read("UserAddress"));
    lblCity.SetText("City: " + read("UserCity"));
    lblPhone.SetText("Phone: " + read("UserPhone"));
    lblEmail.SetText("Email: " + read("UserEmail"));
    std::string avatar = AvatarFile(programFolder_);
    if (FileExists(sys_.files, avatar)) {
        // A file that is no picture leaves the one shown.
        platform::Picture picture = sys_.desktop.LoadPicture(avatar);
        if (picture) picAvatar.SetPicture(std::move(picture));
    }
}

void frmMain::ShowDiskInfo() {
    platform::DiskSpace space = sys_.desktop.DiskFreeSpace(state_.LauncherDrive + "\\");
    Label6.SetText(state_.LauncherDrive);
    DiskBar bar = DiskUsageBar(space.total, space.free);
    ProgressBar1.SetRange(0, bar.max);
    ProgressBar1.SetValue(bar.value);
}

void frmMain::Timer1_Timer() {
    frmDiskInfo.SetVisible(ShowDiskInfoNext);
    ShowDiskInfoNext = !ShowDiskInfoNext;
    TellIfNoVersionKept();  // kept in the background: a failure shows after the command
}

}  // namespace quopa
