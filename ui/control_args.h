#pragma once
// What every control is created with. A control with settings of its own has an args
// struct of its own that begins with these same fields, so that designated initialisers
// read alike for every control.
#include <string>

#include "ui/control.h"

namespace ui {

struct ControlArgs {
    std::string text = {};
    Bounds bounds = {};
    bool enabled = true;
    bool visible = true;
    Font font = {};
};

// The common fields of a control's own args, which are all its window is made from.
template <class Args>
ControlArgs CommonArgs(const Args& args) {
    return {args.text, args.bounds, args.enabled, args.visible, args.font};
}

}  // namespace ui
