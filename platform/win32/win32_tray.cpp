#include "platform/win32/win32_tray.h"

#include <windows.h>

#include "platform/win32/program_icon.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {
constexpr UINT kTrayId = 1;
}

Win32Tray::~Win32Tray() {
    Remove();
}

bool Win32Tray::Add(WindowId window, const std::string& tip) {
    if (!icon_) icon_.Reset(win32::LoadSmallProgramIcon());
    NOTIFYICONDATAA data = {};
    // The first form of the record: every shell since the first takes it.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(window);
    data.uID = kTrayId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_.get();
    // The first form holds 64 bytes of tip: 63 characters and the terminating NUL.
    std::size_t n = std::min<std::size_t>(tip.size(), 63);
    std::memcpy(data.szTip, tip.data(), n);
    data.szTip[n] = '\0';
    window_ = window;
    added_ = Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
    return added_;
}

void Win32Tray::Remove() {
    if (!window_) return;
    NOTIFYICONDATAA data = {};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(window_);
    data.uID = kTrayId;
    Shell_NotifyIconA(NIM_DELETE, &data);
    added_ = false;
    window_ = 0;
}

}  // namespace platform
