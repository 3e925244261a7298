#pragma once
#include "ui/control_args.h"

namespace ui {

// A captioned box that holds controls: they are placed inside it and hide with it.
class Frame : public Container {
  public:
    void Create(Container& parent, const ControlArgs& args);
    Backend& GetBackend() const override { return *backend_; }

  private:
    Backend* backend_ = nullptr;  // not owned
};

}  // namespace ui
