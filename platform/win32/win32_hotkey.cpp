#include "platform/win32/win32_hotkey.h"

#include "platform/debug_trace.h"

namespace platform {

namespace {
constexpr wchar_t kClass[] = L"QuopaHotkey";
constexpr int kHotkeyId = 1;
}  // namespace

Win32Hotkey::~Win32Hotkey() {
    Unregister();
}

bool Win32Hotkey::Register(const KeyCombo& combo, std::function<void()> pressed) {
    Unregister();
    if (combo.Empty()) return true;
    if (!window_) {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &Procedure;
        wc.hInstance = instance;
        wc.lpszClassName = kClass;
        RegisterClassExW(&wc);  // fails harmlessly when registered already
        window_.Reset(CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      instance, nullptr));
        if (!window_) return false;
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    // Held down, the combination would repeat: one press brings the window up once.
    const UINT modifiers = (combo.modifiers & 0xF) | MOD_NOREPEAT;
    if (!RegisterHotKey(window_.get(), kHotkeyId, modifiers, combo.key)) return false;
    held_ = true;
    modifiers_ = modifiers;
    key_ = combo.key;
    pressed_ = std::move(pressed);
    return true;
}

void Win32Hotkey::Unregister() {
    if (held_ && !suspended_) UnregisterHotKey(window_.get(), kHotkeyId);
    held_ = suspended_ = false;
    pressed_ = nullptr;
}

// Taken by another program meanwhile, the combination stays free: the launcher works on.
void Win32Hotkey::Suspend(bool suspended) {
    if (!held_ || suspended == suspended_) return;
    suspended_ = suspended;
    if (suspended)
        UnregisterHotKey(window_.get(), kHotkeyId);
    else
        RegisterHotKey(window_.get(), kHotkeyId, modifiers_, key_);
}

LRESULT CALLBACK Win32Hotkey::Procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != WM_HOTKEY || wp != kHotkeyId) return DefWindowProcW(hwnd, msg, wp, lp);
    auto* self = reinterpret_cast<Win32Hotkey*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->pressed_) return 0;
    try {
        auto pressed = self->pressed_;  // the handler may register another combination
        pressed();
    } catch (...) {
        DebugTrace("Quopa: the hot key's handler failed");
    }
    return 0;
}

}  // namespace platform
