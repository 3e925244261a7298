#include "ui/form.h"

#include "ui/backend.h"

namespace ui {

void Form::Create(const FormArgs& args) {
    Bounds bounds = args.bounds;
    // Without a window system the outer size is taken to be the designed client area.
    if (bounds.width == 0) bounds.width = args.clientWidth;
    if (bounds.height == 0) bounds.height = args.clientHeight;
    Init(args.caption, bounds, true, false);  // a form shows only when told to
    peer_ = backend_.CreateForm(*this, args);
}

void Form::Show() {
    SetVisible(true);
}

void Form::Hide() {
    SetVisible(false);
}

void Form::SetWindowState(WindowState state) {
    if (state == state_) return;
    state_ = state;  // first, so the peer's own size message finds nothing new
    if (formPeer()) formPeer()->ApplyState(state);
    if (onResize) onResize();
}

void Form::SystemChangedState(WindowState state) {
    state_ = state;
    if (onResize) onResize();
}

void Form::SetWidth(int twips) {
    Bounds b = GetBounds();
    b.width = twips;
    SetBounds(b);
}

void Form::Move(int leftTwips, int topTwips) {
    Bounds b = GetBounds();
    b.left = leftTwips;
    b.top = topTwips;
    SetBounds(b);
}

void Form::SetMenuBar(MenuItem* bar) {
    menuBar_ = bar;
    if (formPeer()) formPeer()->SetMenuBar(bar);
}

void Form::PopupMenu(MenuItem& menu) {
    lastPopup_ = &menu;
    if (formPeer()) formPeer()->PopupMenu(menu);
}

bool Form::RunCommand(int id) {
    MenuItem* item = menuBar_ ? menuBar_->FindById(id) : nullptr;
    for (auto it = commandSources_.begin(); !item && it != commandSources_.end(); ++it) {
        item = (*it)->FindById(id);
    }
    if (!item && lastPopup_) item = lastPopup_->FindById(id);
    if (!item) return false;
    item->Click();
    return true;
}

bool Form::RequestClose() {
    QueryUnloadEvent event;
    if (onQueryUnload) onQueryUnload(event);
    return !event.cancel;
}

}  // namespace ui
