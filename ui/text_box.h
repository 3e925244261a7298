#pragma once
#include <cstdint>
#include <functional>

#include "ui/simple_controls.h"

namespace ui {

class TextBoxPeer : public ControlPeer {
  public:
    virtual void SetForeColor(std::uint32_t rgb) = 0;
};

// A one-line edit box. onChange fires for every change of the text, the program's own
// SetText included, as the windows expect.
class TextBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args, std::uint32_t foreColor = 0);
    void SetValue(const std::string& text);  // SetText + onChange
    // 0x00BBGGRR as the system takes colours; with the top bit set, the low byte names a
    // system colour (0x80000012: button text); 0 keeps the system's text colour.
    std::uint32_t ForeColor() const { return foreColor_; }
    void SetForeColor(std::uint32_t rgb);

    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;

    // For peers and tests: what the user did.
    void UserTyped(const std::string& text);
    void RaiseGotFocus() {
        if (onGotFocus) onGotFocus();
    }
    void RaiseLostFocus() {
        if (onLostFocus) onLostFocus();
    }

  private:
    std::uint32_t foreColor_ = 0;
};

}  // namespace ui
