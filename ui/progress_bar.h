#pragma once
#include "ui/control_args.h"

namespace ui {

class ProgressPeer : public ControlPeer {
  public:
    virtual void SetRange(int min, int max) = 0;
    virtual void SetValue(int value) = 0;
};

class ProgressBar : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    void SetRange(int min, int max);
    void SetValue(int value);

  private:
    ProgressPeer* progressPeer() const { return static_cast<ProgressPeer*>(peer_.get()); }
    int min_ = 0, max_ = 100, value_ = 0;
};

}  // namespace ui
