#include "ui/form.h"

#include <algorithm>
#include <utility>

#include "ui/backend.h"
#include "ui/simple_controls.h"

namespace ui {

void Form::Create(const FormArgs& args) {
    Bounds bounds = args.bounds;
    // Without a window system the outer size is taken to be the designed client area.
    if (bounds.width == 0) bounds.width = args.clientWidth;
    if (bounds.height == 0) bounds.height = args.clientHeight;
    Init(args.caption, bounds, true, false);  // a form shows only when told to
    loaded_ = true;
    peer_ = backend_.CreateForm(*this, args);
}

void Form::ShowModal(Form& owner) {
    if (!loaded_) return;
    modalOwner_ = &owner;
    ownerWasEnabled_ = owner.Enabled();
    if (formPeer()) formPeer()->SetOwner(owner.Handle());
    CenterOver(owner);
    owner.SetEnabled(false);
    Show();
    backend_.RunModal(*this, owner);
}

void Form::ShowOwned(Form& owner) {
    if (!loaded_) return;
    if (formPeer()) formPeer()->SetOwner(owner.Handle());
    CenterOver(owner);
    Show();
}

bool Form::Close() {
    if (!loaded_) return true;
    if (!RequestClose()) return false;
    Unload();
    return true;
}

void Form::Unload() {
    if (!loaded_) return;
    loaded_ = false;
    // The owner comes back before this window dies, or the system would activate
    // another program's window in between.
    if (Form* owner = std::exchange(modalOwner_, nullptr); owner && ownerWasEnabled_) {
        owner->SetEnabled(true);
    }
    SyncVisible(false);  // destroying hides it: a hide of its own costs seconds under Wine
    if (formPeer()) formPeer()->Destroy();
    if (onUnload) onUnload();
}

void Form::CenterOver(const Form& owner) {
    const Bounds& o = owner.GetBounds();
    const Bounds& b = GetBounds();
    Move(std::max(0, o.left + (o.width - b.width) / 2),
         std::max(0, o.top + (o.height - b.height) / 2));
    if (formPeer()) formPeer()->KeepOnScreen();
}

bool Form::PressEnter() {
    Button* button = defaultButton_;
    if (!button || !button->Enabled() || !button->Visible()) return false;
    button->Click();
    return true;
}

bool Form::PressEscape() {
    Button* button = cancelButton_;
    if (!button || !button->Enabled() || !button->Visible()) return false;
    button->Click();
    return true;
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
    if (onBeforeCommand) onBeforeCommand(id);
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
