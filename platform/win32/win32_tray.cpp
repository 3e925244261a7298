#include "platform/win32/win32_tray.h"

#include <windows.h>

#include "platform/win32/program_icon.h"
#include "platform/win32/win32_code_page.h"

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
    NOTIFYICONDATAW data = {};
    // The first form of the record: every shell since the first takes it.
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(window);
    data.uID = kTrayId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_.get();
    // The first form holds 64 units of tip: 63 and the terminating NUL, never half a pair.
    const std::wstring text = Wide(tip);
    std::size_t n = std::min<std::size_t>(text.size(), 63);
    if (n == 63 && IS_HIGH_SURROGATE(text[62])) --n;
    std::memcpy(data.szTip, text.data(), n * sizeof(wchar_t));
    data.szTip[n] = L'\0';
    window_ = window;
    added_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    return added_;
}

void Win32Tray::Remove() {
    if (!window_) return;
    NOTIFYICONDATAW data = {};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(window_);
    data.uID = kTrayId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    added_ = false;
    window_ = 0;
}

}  // namespace platform
