#pragma once
#include <functional>

#include "ui/control_args.h"

namespace ui {

struct ButtonArgs {
    std::string text = {};
    Bounds bounds = {};
    bool enabled = true;
    bool visible = true;
    Font font = {};
    bool isDefault = false;  // Enter presses it
    bool isCancel = false;   // Esc presses it
};

class Button : public Control {
  public:
    void Create(Container& parent, const ButtonArgs& args);
    bool IsDefault() const { return isDefault_; }
    bool IsCancel() const { return isCancel_; }

    std::function<void()> onClick;
    void Click() {
        if (onClick && Enabled()) onClick();
    }

  private:
    bool isDefault_ = false;
    bool isCancel_ = false;
};

}  // namespace ui
