#pragma once
#include "ui/text_box.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// An EDIT window. Its own EN_CHANGE after the program set the text is not the user typing.
class Win32TextBoxPeer : public ChildPeer<TextBoxPeer> {
  public:
    Win32TextBoxPeer(Win32Backend& backend, TextBox& box, Container& parent,
                     const ControlArgs& args);
    void SetText(const std::string& text) override;
    void SetForeColor(Color color) override;
    void SetMaxLength(int characters) override;

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // Whether the focus moves to or from `other` by the user's choice inside this window.
    bool UsersMove(HWND other) const;

    TextBox& box_;
    Color foreColor_;
    bool settingText_ = false;
    bool usersFocusMove_ = true;  // the focus move being reported
    bool swallowChar_ = false;    // the character of a key the window handled
};

// The colour to paint with; meaningless for the default colour, which leaves the system's.
COLORREF ToColorRef(Color color);

}  // namespace ui::win32
