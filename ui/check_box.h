#pragma once
#include <functional>

#include "ui/control_args.h"

namespace ui {

// The peer of a control that shows a check mark or a selected dot.
class CheckPeer : public ControlPeer {
  public:
    virtual void SetChecked(bool on) = 0;
};

// Value 0 (clear) or 1 (ticked). onClick fires once for every change of the value, whether
// the user clicked or the program set it.
class CheckBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    int Value() const { return value_; }
    void SetValue(int value);  // any value but 0 ticks the box

    std::function<void()> onClick;

    // For peers and tests: the user clicked the box.
    void UserClicked();

  private:
    int value_ = 0;
};

}  // namespace ui
