#pragma once
#include "ui/control_args.h"

namespace ui {

// An etched horizontal rule across the width of its bounds; its height does not matter.
class Line : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
};

}  // namespace ui
