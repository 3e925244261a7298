#pragma once
#include "ui/button.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

class Win32ButtonPeer : public ChildPeer<ControlPeer> {
  public:
    Win32ButtonPeer(Win32Backend& backend, Button& button, Container& parent,
                    const ControlArgs& args)
        : button_(button) {
        const DWORD kind = button.IsDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        window_.Create(backend, parent, "Button", kind | WS_TABSTOP, 0, args, *this);
    }

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override {
        if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return false;
        button_.Click();
        result = 0;
        return true;
    }

    Button& button_;
};

}  // namespace ui::win32
