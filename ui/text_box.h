#pragma once
#include <functional>

#include "ui/color.h"
#include "ui/control_args.h"

namespace ui {

class TextBoxPeer : public ControlPeer {
  public:
    virtual void SetForeColor(Color color) = 0;
    virtual void SetMaxLength(int characters) = 0;
};

struct TextBoxArgs {
    std::string text = {};
    Bounds bounds = {};
    bool enabled = true;
    bool visible = true;
    Font font = {};
    Color foreColor = {};
    int maxLength = 0;  // characters the user may type; 0: no limit of ours
};

// A key pressed in a box whose window takes keys (onKeyDown set). A handled key goes no
// further: not to the box, not to the dialog's Enter and Esc.
struct KeyEvent {
    int keyCode = 0;  // the virtual-key code
    bool handled = false;
};

// A one-line edit box. onChange fires once for every change of the text, whether the user
// typed it or the program set it; setting the text it already has is no change.
class TextBox : public Control {
  public:
    void Create(Container& parent, const TextBoxArgs& args);
    void SetText(const std::string& text) override;
    Color ForeColor() const { return foreColor_; }
    void SetForeColor(Color color);
    int MaxLength() const { return maxLength_; }

    std::function<void()> onChange;
    std::function<void()> onGotFocus;
    std::function<void()> onLostFocus;
    std::function<void(KeyEvent&)> onKeyDown;

    // For peers and tests: what the user did. Typing stops at the length limit.
    void UserTyped(const std::string& text);
    void RaiseGotFocus() {
        if (onGotFocus) onGotFocus();
    }
    void RaiseLostFocus() {
        if (onLostFocus) onLostFocus();
    }
    // True when the window handled the key.
    bool UserPressedKey(int keyCode) {
        KeyEvent e{keyCode};
        if (onKeyDown) onKeyDown(e);
        return e.handled;
    }

  private:
    Color foreColor_;
    int maxLength_ = 0;
};

}  // namespace ui
