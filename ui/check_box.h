#pragma once
#include <functional>

#include "ui/control_args.h"

namespace ui {

// The peer of a control that shows a check mark or a selected dot.
class CheckPeer : public ControlPeer {
  public:
    virtual void SetChecked(bool on) = 0;
    // The grey tick of a box that shows a state the user does not set.
    virtual void SetGrayed() { SetChecked(true); }
};

// Value 0 (clear), 1 (ticked) or 2 (grey tick, set by the program only). onClick fires once
// for every change of the value, whether the user clicked or the program set it.
class CheckBox : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    int Value() const { return value_; }
    void SetValue(int value);  // 2 greys the tick; any other value but 0 ticks the box

    std::function<void()> onClick;

    // For peers and tests: the user clicked the box.
    void UserClicked();

  private:
    void ShowValue();

    int value_ = 0;
};

}  // namespace ui
