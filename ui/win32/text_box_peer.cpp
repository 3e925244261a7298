#include "ui/win32/text_box_peer.h"

#include "ui/win32/form_peer.h"

namespace ui::win32 {

COLORREF ToColorRef(Color color) {
    if (!color.IsSystem()) return RGB(color.Red(), color.Green(), color.Blue());
    switch (color.SystemIndex()) {
        case SystemColor::ButtonText:
            return GetSysColor(COLOR_BTNTEXT);
        case SystemColor::ButtonFace:
            return GetSysColor(COLOR_BTNFACE);
        case SystemColor::ButtonShadow:
            return GetSysColor(COLOR_BTNSHADOW);
        case SystemColor::GrayText:
            return GetSysColor(COLOR_GRAYTEXT);
        case SystemColor::Window:
            return GetSysColor(COLOR_WINDOW);
        case SystemColor::WindowText:
            break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
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

void Win32TextBoxPeer::SetForeColor(Color color) {
    foreColor_ = color;
    if (window_.hwnd()) InvalidateRect(window_.hwnd(), nullptr, TRUE);
}

// 0 lifts the limit to the most an edit control holds.
void Win32TextBoxPeer::SetMaxLength(int characters) {
    window_.Send(EM_LIMITTEXT, static_cast<WPARAM>(characters));
}

// A box whose window takes keys asks the dialog manager for Enter and Esc too, which it
// would otherwise turn into the default and cancel buttons.
bool Win32TextBoxPeer::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (!box_.onKeyDown) return false;
    switch (msg) {
        case WM_GETDLGCODE: {
            const auto* key = reinterpret_cast<const MSG*>(lp);
            if (!key || key->message != WM_KEYDOWN ||
                (key->wParam != VK_RETURN && key->wParam != VK_ESCAPE))
                return false;
            result = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTMESSAGE;
            return true;
        }
        case WM_KEYDOWN:
            swallowChar_ = box_.UserPressedKey(static_cast<int>(wp));
            result = 0;
            return swallowChar_;
        case WM_CHAR:
            if (!swallowChar_) return false;
            swallowChar_ = false;
            result = 0;
            return true;  // no beep for an Enter or Esc that did something
        default:
            return false;
    }
}

bool Win32TextBoxPeer::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            switch (HIWORD(wp)) {
                case EN_CHANGE:
                    if (!settingText_) box_.UserTyped(window_.Text());
                    break;
                case EN_SETFOCUS:
                    if (usersFocusMove_) box_.RaiseGotFocus();
                    break;
                case EN_KILLFOCUS:
                    if (usersFocusMove_) box_.RaiseLostFocus();
                    break;
                default:
                    return false;
            }
            result = 0;
            return true;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {  // STATIC: disabled or read-only
            if (foreColor_.IsDefault()) return false;
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

// The other end of the move comes with the message, before the box reports it.
bool Win32TextBoxPeer::OnOwnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT&) {
    if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS)
        usersFocusMove_ = UsersMove(reinterpret_cast<HWND>(wp));
    return false;
}

// GotFocus and LostFocus are the user going from control to control. The whole window
// going to the background (another program, a dialog or a message box of ours) and coming
// back moves the focus too, and is neither.
bool Win32TextBoxPeer::UsersMove(HWND other) const {
    HWND window = GetAncestor(window_.hwnd(), GA_ROOT);
    if (!other || GetAncestor(other, GA_ROOT) != window) return false;
    const Win32FormPeer* form = Win32FormPeer::FromWindow(window);
    return !(form && form->RestoringFocus());
}

}  // namespace ui::win32
