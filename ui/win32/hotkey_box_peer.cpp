#include "ui/win32/hotkey_box_peer.h"

namespace ui::win32 {

namespace {

// As the key's message leaves the queue, so a key that came before a modifier was let go
// still counts with it.
unsigned HeldModifiers() {
    const auto down = [](int key) { return GetKeyState(key) < 0; };
    unsigned held = 0;
    if (down(VK_CONTROL)) held |= platform::kModControl;
    if (down(VK_SHIFT)) held |= platform::kModShift;
    if (down(VK_MENU)) held |= platform::kModAlt;
    if (down(VK_LWIN) || down(VK_RWIN)) held |= platform::kModWin;
    return held;
}

// The characters the key would type were posted before it reached the box. Left there, the
// dialog would take Alt+letter for a button's access key and Alt+Space would open the
// window menu.
void DropCharacters(HWND hwnd) {
    MSG pending;
    while (PeekMessageW(&pending, hwnd, WM_CHAR, WM_DEADCHAR, PM_REMOVE) ||
           PeekMessageW(&pending, hwnd, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
    }
}

}  // namespace

Win32HotkeyBoxPeer::Win32HotkeyBoxPeer(Win32Backend& backend, HotkeyBox& box, Container& parent,
                                       const ControlArgs& args)
    : box_(box) {
    window_.Create(backend, parent, "Edit", ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_TABSTOP,
                   WS_EX_CLIENTEDGE, args, *this);
}

void Win32HotkeyBoxPeer::SetText(const std::string& text) {
    window_.SetText(text);
    const auto end = static_cast<WPARAM>(text.size());
    window_.Send(EM_SETSEL, end, static_cast<LPARAM>(end));  // the caret after the words
}

bool Win32HotkeyBoxPeer::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    const auto key = static_cast<unsigned>(wp);
    switch (msg) {
        case WM_GETDLGCODE: {
            // https://learn.microsoft.com/windows/win32/dlgbox/wm-getdlgcode
            const auto* pending = reinterpret_cast<const MSG*>(lp);
            const bool keyDown =
                pending && (pending->message == WM_KEYDOWN || pending->message == WM_SYSKEYDOWN);
            const bool dialogs =
                keyDown && !box_.TakesKey(static_cast<unsigned>(pending->wParam), HeldModifiers());
            result = dialogs ? 0 : DLGC_WANTALLKEYS | DLGC_WANTCHARS;
            return true;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (!box_.TakesKey(key, HeldModifiers())) return false;
            DropCharacters(window_.hwnd());
            // Held down, a key repeats; its first press is the one that counts.
            if ((lp & (1 << 30)) == 0) box_.UserPressedKey(key, HeldModifiers());
            result = 0;
            return true;
        case WM_KEYUP:
        case WM_SYSKEYUP:  // also keeps Alt and F10 from going to a menu
            box_.UserReleasedKey(HeldModifiers());
            result = 0;
            return true;
        case WM_CHAR:
        case WM_DEADCHAR:
        case WM_SYSCHAR:
        case WM_SYSDEADCHAR:
            result = 0;
            return true;
        case WM_SETFOCUS:
            box_.RaiseGotFocus();
            return false;
        case WM_KILLFOCUS:
            box_.RaiseLostFocus();
            return false;
        default:
            return false;
    }
}

// Read-only, but a box to type in: the window's colour, not the dialog's.
bool Win32HotkeyBoxPeer::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC || !IsWindowEnabled(window_.hwnd())) return false;
    HDC dc = reinterpret_cast<HDC>(wp);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

}  // namespace ui::win32
