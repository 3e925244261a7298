#include "ui/win32/combo_box_peer.h"

#include "platform/win32/win32_code_page.h"

namespace ui::win32 {

// About eight entries of the dialog font; longer lists scroll.
Bounds Win32ComboBoxPeer::Opened(const Bounds& closed) {
    constexpr int kListTwips = 1800;
    Bounds opened = closed;
    opened.height += kListTwips;
    return opened;
}

Win32ComboBoxPeer::Win32ComboBoxPeer(Win32Backend& backend, ComboBox& box, Container& parent,
                                     const ControlArgs& args)
    : box_(box) {
    ControlArgs list = args;
    list.text.clear();
    list.bounds = Opened(args.bounds);
    window_.Create(backend, parent, "ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, list,
                   *this);
}

void Win32ComboBoxPeer::SetBounds(const Bounds& b) {
    window_.SetBounds(Opened(b));
}

void Win32ComboBoxPeer::AddItem(const std::string& text) {
    window_.Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(platform::Wide(text).c_str()));
}

void Win32ComboBoxPeer::Clear() {
    window_.Send(CB_RESETCONTENT);
}

// CB_SETCURSEL sends no CBN_SELCHANGE: the program's choice comes back to nobody.
void Win32ComboBoxPeer::Select(int index) {
    window_.Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

bool Win32ComboBoxPeer::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
    if (msg != WM_COMMAND || HIWORD(wp) != CBN_SELCHANGE) return false;
    box_.UserPicked(static_cast<int>(window_.Send(CB_GETCURSEL)));
    result = 0;
    return true;
}

}  // namespace ui::win32
