#pragma once
#include <cstdint>

#include "ui/text_box.h"
#include "ui/win32/child_window.h"

namespace ui::win32 {

// An EDIT window. Its own EN_CHANGE after the program set the text is not the user typing.
class Win32TextBoxPeer : public ChildPeer<TextBoxPeer> {
  public:
    Win32TextBoxPeer(Win32Backend& backend, TextBox& box, Container& parent,
                     const ControlArgs& args);
    void SetText(const std::string& text) override;
    void SetForeColor(std::uint32_t rgb) override;

  private:
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    TextBox& box_;
    std::uint32_t foreColor_ = 0;
    bool settingText_ = false;
};

// The system colour a colour value stands for (see TextBox::ForeColor).
COLORREF ToColorRef(std::uint32_t value);

}  // namespace ui::win32
