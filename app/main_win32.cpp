// The entry routine of quopa.exe.
#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <string>

#include "app/frmMain.h"
#include "platform/debug_trace.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_file_dialog.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_http.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_process.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_tray.h"
#include "ui/win32/tray_message.h"
#include "ui/win32/win32_backend.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_USEREX_CLASSES;
    InitCommonControlsEx(&icc);  // failures are of no consequence here
    // The tree view, progress bar and tab classes are not covered by the call above.
    icc.dwICC = ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES;
    InitCommonControlsEx(&icc);

    platform::Win32Files files;
    platform::Win32Shell shell;
    platform::Win32Desktop desktop;
    platform::Win32Process process;
    platform::Win32Tray tray(ui::kTrayCallbackMessage);
    platform::Win32FileDialog fileDialog;
    platform::Win32Pictures pictures(files);
    platform::Win32Registry registry;
    platform::Win32Http http;
    platform::Services sys{files,      shell,    desktop,  process, tray,
                           fileDialog, pictures, registry, http};
    quopa::modINI ini(files);
    quopa::ProgramState state;
    ui::Win32Backend backend;

    quopa::AppContext ctx{backend, sys, ini, state, process.ProgramFolder()};
    try {
        quopa::frmMain main(ctx);
        main.Create();
        return backend.Run();
    } catch (const std::exception& e) {
        // Unwinding removes the tray icon (the tray's destructor); a bare terminate would not.
        platform::DebugTrace(std::string("Quopa: start-up failed: ") + e.what());
        desktop.MsgBox(0, std::string("Quopa could not start: ") + e.what(), quopa::kAppTitle,
                       platform::kMbIconCritical | platform::kMbOk);
        return 1;
    }
}
