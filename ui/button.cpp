#include "ui/button.h"

#include "ui/backend.h"
#include "ui/form.h"

namespace ui {

void Button::Create(Container& parent, const ButtonArgs& args) {
    Init(args.text, args.bounds, args.enabled, args.visible);
    isDefault_ = args.isDefault;
    isCancel_ = args.isCancel;
    peer_ = parent.GetBackend().CreateButton(*this, parent, CommonArgs(args));
    // The form's Enter and Esc press these, wherever in the form they lie.
    if (Form* form = parent.TopForm()) {
        if (isDefault_) form->SetDefaultButton(this);
        if (isCancel_) form->SetCancelButton(this);
    }
}

}  // namespace ui
