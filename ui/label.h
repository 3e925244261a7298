#pragma once
#include "ui/control_args.h"

namespace ui {

class Label : public Control {
  public:
    void Create(Container& parent, const ControlArgs& args);
    const Font& GetFont() const { return font_; }

  private:
    Font font_;
};

}  // namespace ui
