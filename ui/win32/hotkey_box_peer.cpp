#include "ui/win32/hotkey_box_peer.h"

#include <commctrl.h>

namespace ui::win32 {

namespace {

// https://learn.microsoft.com/windows/win32/controls/hkm-sethotkey
WORD ToControl(const platform::KeyCombo& combo) {
    BYTE flags = 0;
    if (combo.modifiers & platform::kModShift) flags |= HOTKEYF_SHIFT;
    if (combo.modifiers & platform::kModControl) flags |= HOTKEYF_CONTROL;
    if (combo.modifiers & platform::kModAlt) flags |= HOTKEYF_ALT;
    return MAKEWORD(static_cast<BYTE>(combo.key), flags);
}

platform::KeyCombo FromControl(WORD value) {
    const BYTE flags = HIBYTE(value);
    platform::KeyCombo combo;
    combo.key = LOBYTE(value);
    if (combo.key == 0) return {};
    if (flags & HOTKEYF_SHIFT) combo.modifiers |= platform::kModShift;
    if (flags & HOTKEYF_CONTROL) combo.modifiers |= platform::kModControl;
    if (flags & HOTKEYF_ALT) combo.modifiers |= platform::kModAlt;
    return combo;
}

}  // namespace

Win32HotkeyBoxPeer::Win32HotkeyBoxPeer(Win32Backend& backend, HotkeyBox& box, Container& parent,
                                       const ControlArgs& args)
    : box_(box) {
    window_.Create(backend, parent, HOTKEY_CLASSA, WS_TABSTOP, WS_EX_CLIENTEDGE, args, *this);
    // A key alone or with Shift alone would be taken from every program's typing, and
    // Ctrl+Alt is AltGr on many keyboards: such presses become Ctrl+Shift.
    window_.Send(HKM_SETRULES, HKCOMB_NONE | HKCOMB_S | HKCOMB_CA | HKCOMB_SCA,
                 MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_SHIFT, 0));
    SetCombo(box.Combo());
}

void Win32HotkeyBoxPeer::SetCombo(const platform::KeyCombo& combo) {
    window_.Send(HKM_SETHOTKEY, ToControl(combo));
}

bool Win32HotkeyBoxPeer::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wp) != EN_CHANGE) return false;
    box_.UserSetCombo(FromControl(static_cast<WORD>(window_.Send(HKM_GETHOTKEY))));
    result = 0;
    return true;
}

}  // namespace ui::win32
