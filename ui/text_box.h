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

    // For peers and tests: what the user did. Typing stops at the length limit.
    void UserTyped(const std::string& text);
    void RaiseGotFocus() {
        if (onGotFocus) onGotFocus();
    }
    void RaiseLostFocus() {
        if (onLostFocus) onLostFocus();
    }

  private:
    Color foreColor_;
    int maxLength_ = 0;
};

}  // namespace ui
