#pragma once
#include "ui/check_box.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// An automatic check box or option button: the system sets its mark when clicked, then
// tells its parent (BN_CLICKED). The program's BM_SETCHECK tells nobody, so no echo.
template <class Object>
class Win32CheckablePeer : public ChildPeer<CheckPeer> {
  public:
    void SetChecked(bool on) override {
        window_.Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
    }

  protected:
    explicit Win32CheckablePeer(Object& object) : object_(object) {}
    bool Checked() const { return window_.Send(BM_GETCHECK) == BST_CHECKED; }
    bool OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override {
        if (msg != WM_COMMAND || HIWORD(wp) != BN_CLICKED) return false;
        // Only a mark that now differs from the object's value is the user's doing.
        if (Checked() != static_cast<bool>(object_.Value())) object_.UserClicked();
        result = 0;
        return true;
    }

    Object& object_;
};

class Win32CheckBoxPeer : public Win32CheckablePeer<CheckBox> {
  public:
    Win32CheckBoxPeer(Win32Backend& backend, CheckBox& box, Container& parent,
                      const ControlArgs& args)
        : Win32CheckablePeer(box) {
        window_.Create(backend, parent, "Button", BS_AUTOCHECKBOX | WS_TABSTOP, 0, args, *this);
    }
    // Only a three-state button shows the grey tick; it stays one from then on.
    void SetGrayed() override {
        window_.Send(BM_SETSTYLE, BS_AUTO3STATE, TRUE);
        window_.Send(BM_SETCHECK, BST_INDETERMINATE);
    }
};

}  // namespace ui::win32
