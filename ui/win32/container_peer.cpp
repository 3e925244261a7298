#include "ui/win32/container_peer.h"

#include "platform/win32/win32_code_page.h"
#include "ui/win32/win32_backend.h"

namespace ui::win32 {

namespace {
void RegisterContainerClass(HINSTANCE instance, const char* className) {
    const std::wstring name = platform::Wide(className);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(instance, name.c_str(), &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;  // everything else arrives through the subclass
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
}
}  // namespace

// WS_EX_CONTROLPARENT: the dialog keys walk into the controls inside.
Win32ContainerPeer::Win32ContainerPeer(Win32Backend& backend, Container& parent,
                                       const ControlArgs& args, const char* className)
    : backend_(backend) {
    RegisterContainerClass(backend.Instance(), className);
    window_.Create(backend, parent, className, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, args, *this);
}

bool Win32ContainerPeer::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_SETFONT:  // a plain window keeps no font of its own
            font_ = reinterpret_cast<HFONT>(wp);
            if (LOWORD(lp)) InvalidateRect(window_.hwnd(), nullptr, TRUE);
            result = 0;
            return true;
        case WM_GETFONT:
            result = reinterpret_cast<LRESULT>(font_);
            return true;
        default:
            return HandleContainerMessage(backend_, msg, wp, lp, result);
    }
}

}  // namespace ui::win32
