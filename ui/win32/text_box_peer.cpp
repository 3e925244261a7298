#include "ui/win32/text_box_peer.h"

namespace ui::win32 {

COLORREF ToColorRef(std::uint32_t value) {
    if (value & 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFFu));
    return static_cast<COLORREF>(value & 0xFFFFFFu);
}

Win32TextBoxPeer::Win32TextBoxPeer(Win32Backend& backend, TextBox& box, Container& parent,
                                   const ControlArgs& args)
    : box_(box) {
    window_.Create(backend, parent, "Edit", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                   args, *this);
}

void Win32TextBoxPeer::SetText(const std::string& text) {
    settingText_ = true;
    window_.SetText(text);
    settingText_ = false;
}

void Win32TextBoxPeer::SetForeColor(std::uint32_t rgb) {
    foreColor_ = rgb;
    if (window_.hwnd()) InvalidateRect(window_.hwnd(), nullptr, TRUE);
}

bool Win32TextBoxPeer::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            switch (HIWORD(wp)) {
                case EN_CHANGE:
                    if (!settingText_) box_.UserTyped(window_.Text());
                    break;
                case EN_SETFOCUS:
                    box_.RaiseGotFocus();
                    break;
                case EN_KILLFOCUS:
                    box_.RaiseLostFocus();
                    break;
                default:
                    return false;
            }
            result = 0;
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {  // STATIC: disabled or read-only
            if (foreColor_ == 0) return false;
            const int background = msg == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_BTNFACE;
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, ToColorRef(foreColor_));
            SetBkColor(dc, GetSysColor(background));
            result = reinterpret_cast<LRESULT>(GetSysColorBrush(background));
            return true;
        }
        default:
            return false;
    }
}

}  // namespace ui::win32
