// The entry routine of quopa.exe.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <exception>
#include <string>

#include "app/frmMain.h"
#include "platform/debug_trace.h"
#include "platform/win32/win32_services.h"
#include "ui/win32/tray_message.h"
#include "ui/win32/win32_backend.h"

// The runtime's own terminate handler names the exception on standard error, which a
// windowed program has not, and brings the whole symbol demangler into the exe (a twelfth
// of it). Ending as it ends is all it ever did here.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_USEREX_CLASSES;
    InitCommonControlsEx(&icc);  // failures are of no consequence here
    // The tree view, progress bar, tab and hot-key classes are not covered by the call above.
    icc.dwICC = ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_TAB_CLASSES | ICC_BAR_CLASSES |
                ICC_HOTKEY_CLASS;
    InitCommonControlsEx(&icc);

    platform::Win32Services services(ui::kTrayCallbackMessage);
    quopa::modINI ini(services.files, services.codePage);
    quopa::ProgramState state;
    ui::Win32Backend backend;

    quopa::AppContext ctx{backend, services.sys, ini, state, services.process.ProgramFolder()};
    try {
        quopa::frmMain main(ctx);
        main.Create();
        return backend.Run();
    } catch (const std::exception& e) {
        // Unwinding removes the tray icon (the tray's destructor); a bare terminate would not.
        platform::DebugTrace(std::string("Quopa: start-up failed: ") + e.what());
        services.desktop.MsgBox(0, std::string("Quopa could not start: ") + e.what(),
                                quopa::kAppTitle, platform::kMbIconCritical | platform::kMbOk);
        return 1;
    }
}
