// The main window's own keys as the system delivers them: through the accelerators, from
// whichever control has the focus.
#include "app/frmMain.h"
#include "platform/win32/win32_services.h"
#include "store/data_files.h"
#include "tests/windows/window_probe.h"

namespace quopa {
namespace {

// The window's process claims nothing and never ends the test program.
struct StayingProcess : platform::Process {
    bool AnotherInstanceRunning() override { return false; }
    std::string ProgramFolder() override { return ""; }
    void End() override {}
};

// Ctrl+Z held as the system's key state shows it, pressed in `control`.
void PressCtrlZ(ui::Win32Backend& backend, HWND control) {
    SetFocus(control);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(control, WM_KEYDOWN, 'Z', 1);
    backend.DoEvents();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

// From the tree and from the search box, Ctrl+Z takes back the last change; typing in the
// search box is the box's to take back first.
TEST(MainWindowKeys, CtrlZReachesTheWindowFromTheTreeAndTheSearchBox) {
    const std::string folder = TempFolder("quopa_keys_");
    const std::string apps = AppsFile(folder);
    const std::string list =
        "[Application1]\r\nName=Chess\r\nPath=c.exe\r\nCategory=Quopa\r\n"
        "[Application2]\r\nName=Drums\r\nPath=d.exe\r\nCategory=Quopa\r\n";
    std::ofstream(apps, std::ios::binary) << list;
    {
        platform::Win32Services real(WM_APP + 1);
        StayingProcess process;
        platform::Services sys{real.files,   real.shell,      real.desktop,  process,
                               real.tray,    real.fileDialog, real.pictures, real.registry,
                               real.http,    real.programs,   real.hotkey,   real.versions,
                               real.codePage};
        ui::Win32Backend backend;
        modINI ini(real.files, real.codePage);
        ProgramState state;
        AppContext ctx{backend, sys, ini, state, folder};
        frmMain w(ctx);
        w.Create();
        for (HWND from : {H(w.TreeView1), H(w.txtSearch)}) {
            ASSERT_TRUE(ini.WriteIni("Application1", "Name", "", apps));
            if (from == H(w.txtSearch)) {
                SetFocus(from);
                PostMessageW(from, WM_CHAR, 'q', 1);
                backend.DoEvents();
                PressCtrlZ(backend, from);
                EXPECT_EQ(TextOf(from), "");
                EXPECT_EQ(ini.ReadIni("Application1", "Name", "", apps), "") << "typing first";
            }
            PressCtrlZ(backend, from);
            EXPECT_EQ(ini.ReadIni("Application1", "Name", "", apps), "Chess");
        }
        std::string now;
        real.files.ReadAll(apps, now);
        EXPECT_EQ(now, list);
        w.EndProgram();
    }
    const std::string backup = VersionsFolder(folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((backup + "\\*.dat").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        DeleteFileA((backup + "\\" + found.cFileName).c_str());
    FindClose(search);
    RemoveDirectoryA(backup.c_str());
    DeleteFileA(apps.c_str());
    DeleteFileA(SettingsFile(folder).c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace
}  // namespace quopa
